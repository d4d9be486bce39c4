// The built-in texts of the playfield, adjustment and accounting records: factory names, default
// rows (numbers as decimal or "0x" text, flags as "true"/"false"), grid titles, labels and limits.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace pinstage {

// Texts are UTF-8. Most tables end with one entry holding a single blank, the grids' end marker.
extern const std::array<const char*, 43> statisticLabels;
extern const std::array<const char*, 73> contactNames;
extern const std::array<const char*, 32> combinationNames;
extern const std::array<const char*, 512>
    lampDefaults; // 8 per lamp: flags, off, on, on start, off start, byte, mask, name
extern const std::array<const char*, 192>
    coilDefaults; // 8 per coil: byte, mask, rest, pulse, auto-release, repeat, spare, name
extern const std::array<const char*, 13> contactGridTitles;
extern const std::array<const char*, 12> combinationGridTitles;
extern const std::array<const char*, 65> lampNames;
extern const std::array<const char*, 17> lampMatrixTitles;
extern const std::array<const char*, 20> switchMatrixTitles;
extern const std::array<const char*, 12> outputPortTitles;
extern const std::array<const char*, 32> adjustmentLabels;   // "dummy", rows 1-30, end marker
extern const std::array<const char*, 32> adjustmentMinimums; // "", rows 1-30, end marker
extern const std::array<const char*, 32> adjustmentMaximums; // "", rows 1-30, end marker
extern const std::array<const char*, 31> adjustmentDefaults; // "", rows 1-30

constexpr size_t kLampDefaultsRowWidth = 8;
constexpr size_t kCoilDefaultsRowWidth = 8;

// A number of a default row: decimal, or base 16 after a "0x" prefix. Empty, malformed or too
// large text gives nullopt.
std::optional<uint32_t> parseTableNumber(std::string_view text);
// A flag of a default row: "true" or "false".
std::optional<bool> parseTableFlag(std::string_view text);

} // namespace pinstage
