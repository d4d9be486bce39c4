// The backglass layout file "FrontonParam.fli" (numbered): 89 elements of 184 bytes, their built-in
// defaults, load/save and checked access to the values that index other tables.
#pragma once

#include "config/ByteCodec.h"
#include "config/PentacleTable.h"
#include "platform/DataRoot.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pinstage {

constexpr int kFrontonElementCount = element::kCount;
constexpr int kFrontonPictureCount = 51; // elements 0-50 also describe pictures 0-50
constexpr size_t kFrontonElementSize = 184;
constexpr size_t kFrontonFileSize = kFrontonElementCount * kFrontonElementSize; // 16 376
constexpr int32_t kFrontonLayerCount = 40;                                      // layers 0-39 are drawn

struct FrontonElement {
    TextSlot<32> pictureFile;      // 0: picture file of picture n (elements 0-50)
    int32_t sourceLeft{};          // 32
    int32_t sourceRight{};         // 36
    int32_t sourceTop{};           // 40
    int32_t sourceBottom{};        // 44
    TextSlot<80> functionLabel;    // 48: also the symbol bitmap's name
    TextSlot<4> pictureNumber;     // 128: decimal text; empty = never drawn
    int32_t displayLeft{};         // 132: design coordinates
    int32_t displayRight{};        // 136
    int32_t displayTop{};          // 140
    int32_t displayBottom{};       // 144
    int32_t layer{};               // 148: 0-39 drawn, lower first
    int32_t parent{};              // 152: element under this one
    int32_t drawSlot{};            // 156: run time, element drawn at this place of the order
    int32_t reelWindowLeft{};      // 160: run time, reels only
    int32_t reelWindowRight{};     // 164
    int32_t reelWindowTop{};       // 168
    int32_t reelWindowBottom{};    // 172
    uint8_t dirty{};               // 176: run time, redraw at the next frame
    uint8_t editorVisibility{};    // 177
    TextSlot<6> pictureNumberCopy; // 178
};

struct FrontonRecord {
    std::array<FrontonElement, kFrontonElementCount> elements{};
};

// 51 rows of (file name, source left, right, top, bottom).
extern const std::array<const char*, 255> frontonImageDefaults;
// 89 rows of (function label, picture number text, display left, right, top, bottom, layer, parent,
// draw slot, reel window left, right, top, bottom).
extern const std::array<const char*, 1157> frontonElementDefaults;

FrontonRecord defaultFronton();

// Reads at most 16 376 bytes; a short file fills what it holds and leaves the rest as it was.
// PinError "fichier des paramètres du fronton introuvable" when unreadable.
void loadFronton(const std::filesystem::path& file, FrontonRecord& r);
// Writes over the file's first bytes (a longer file keeps its tail), power-safe. PinError "Impossible de
// créer le fichier de paramètrages du fronton".
void saveFronton(const std::filesystem::path& file, const FrontonRecord& r);
// Fills r with the defaults and writes FrontonParamN.fli and DefautFrontonN.fli; r changes only
// when both files were written.
void createFrontonDefaults(const DataRoot& root, int config, FrontonRecord& r);
// The backglass editor's restore action: reads DefautFrontonN.fli when present, else creates the defaults.
void restoreFrontonDefaults(const DataRoot& root, int config, FrontonRecord& r);

std::vector<uint8_t> encodeFronton(const FrontonRecord& r);
void decodeFronton(std::span<const uint8_t> bytes, FrontonRecord& r);

// The picture (0-50) an element shows: its picture number text read as decimal ("7" and "07" alike);
// nullopt when empty, not a number or beyond the picture list.
std::optional<int> elementPicture(const FrontonElement& e);
// The element under this one (0-88), nullopt when out of range.
std::optional<int> elementParent(const FrontonElement& e);
// The element drawn at this place of the drawing order (0-88), nullopt when out of range.
std::optional<int> elementInDrawSlot(const FrontonElement& e);
// True when the layer is one of the drawn layers 0-39.
bool isDrawnLayer(int32_t layer);

std::vector<FieldLine> describeFronton(std::span<const uint8_t> bytes);

} // namespace pinstage
