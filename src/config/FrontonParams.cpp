// Backglass layout file: byte image of the 89 elements, defaults built from the label tables,
// power-safe save and checked reading of the values that index other tables.
#include "config/FrontonParams.h"

#include "config/FileNames.h"
#include "config/RecordFile.h"
#include "config/RecordLayout.h"

namespace pinstage {

namespace {

constexpr const char* kLoadError = "fichier des paramètres du fronton introuvable";
constexpr const char* kSaveError = "Impossible de créer le fichier de paramètrages du fronton";
// The fields of the built-in rows, in their order. The rows are constant and checked by the tests; a
// malformed entry would leave its field 0.
constexpr std::array<const char*, 5> kImageColumns = {"pictureFile", "sourceLeft", "sourceRight", "sourceTop",
                                                      "sourceBottom"};
constexpr std::array<const char*, 13> kElementColumns = {
    "functionLabel",   "pictureNumber", "displayLeft",     "displayRight", "displayTop",
    "displayBottom",   "layer",         "parent",          "drawSlot",     "reelWindowLeft",
    "reelWindowRight", "reelWindowTop", "reelWindowBottom"};

// A decimal index text: optional blanks around digits; nullopt for anything else.
std::optional<int> decimalIndex(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    size_t last = text.find_last_not_of(' ');
    int value = 0;
    for (size_t i = first; i <= last; ++i) {
        char c = text[i];
        if (c < '0' || c > '9' || value > 100000)
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<int> inRange(int32_t v, int end) {
    if (v < 0 || v >= end)
        return std::nullopt;
    return int(v);
}

// The listing notes an index outside its table, as the display will ignore it.
const char* pictureNote(const std::string& text) {
    auto picture = decimalIndex(text);
    return !text.empty() && (!picture || *picture >= kFrontonPictureCount) ? " (hors limites)" : nullptr;
}
const char* layerNote(int32_t v) {
    return isDrawnLayer(v) ? nullptr : " (non affiché)";
}
const char* elementNote(int32_t v) {
    return inRange(v, kFrontonElementCount) ? nullptr : " (hors limites)";
}

// One element: 184 bytes at its place in the file.
template <class V, class E> void layoutElement(V& v, E& e) {
    v.text(0, FieldName{"pictureFile"}, e.pictureFile);
    v.i32(32, FieldName{"sourceLeft"}, e.sourceLeft);
    v.i32(36, FieldName{"sourceRight"}, e.sourceRight);
    v.i32(40, FieldName{"sourceTop"}, e.sourceTop);
    v.i32(44, FieldName{"sourceBottom"}, e.sourceBottom);
    v.text(48, FieldName{"functionLabel"}, e.functionLabel);
    v.text(128, FieldName{"pictureNumber"}, e.pictureNumber, pictureNote);
    v.i32(132, FieldName{"displayLeft"}, e.displayLeft);
    v.i32(136, FieldName{"displayRight"}, e.displayRight);
    v.i32(140, FieldName{"displayTop"}, e.displayTop);
    v.i32(144, FieldName{"displayBottom"}, e.displayBottom);
    v.i32(148, FieldName{"layer"}, e.layer, layerNote);
    v.i32(152, FieldName{"parent"}, e.parent, elementNote);
    v.i32(156, FieldName{"drawSlot"}, e.drawSlot, elementNote);
    v.i32(160, FieldName{"reelWindowLeft"}, e.reelWindowLeft);
    v.i32(164, FieldName{"reelWindowRight"}, e.reelWindowRight);
    v.i32(168, FieldName{"reelWindowTop"}, e.reelWindowTop);
    v.i32(172, FieldName{"reelWindowBottom"}, e.reelWindowBottom);
    v.u8(176, FieldName{"dirty"}, e.dirty);
    v.u8(177, FieldName{"editorVisibility"}, e.editorVisibility);
    v.text(178, FieldName{"pictureNumberCopy"}, e.pictureNumberCopy);
}
constexpr auto kElementLayout = [](auto& v, auto& e) { layoutElement(v, e); };
constexpr auto kLayout = [](auto& v, auto& r) {
    layoutEach(v, 0, kFrontonElementSize, kFrontonElementCount, r.elements, kElementLayout);
};

template <size_t N>
std::span<const char* const> rowOf(const std::array<const char*, N>& table, size_t n, size_t width) {
    return std::span(table).subspan(n * width, width);
}

} // namespace

FrontonRecord defaultFronton() {
    FrontonRecord r;
    for (size_t n = 0; n < size_t(kFrontonElementCount); ++n) {
        FrontonElement& e = r.elements[n];
        if (n < size_t(kFrontonPictureCount))
            assignFields(e, kElementLayout, kImageColumns,
                         rowOf(frontonImageDefaults, n, kImageColumns.size()));
        auto row = rowOf(frontonElementDefaults, n, kElementColumns.size());
        assignFields(e, kElementLayout, kElementColumns, row);
        e.pictureNumberCopy.setUtf8(row[1]);
    }
    return r;
}

std::vector<uint8_t> encodeFronton(const FrontonRecord& r) {
    return encodeRecord(r, kFrontonFileSize, kLayout);
}

void decodeFronton(std::span<const uint8_t> bytes, FrontonRecord& r) {
    overlayRecord(r, kFrontonFileSize, bytes, kLayout);
}

void loadFronton(const std::filesystem::path& file, FrontonRecord& r) {
    decodeFronton(readRecordFile(file, kFrontonFileSize, kLoadError), r);
}

void saveFronton(const std::filesystem::path& file, const FrontonRecord& r) {
    writeRecordFile(file, encodeFronton(r), kSaveError, SaveMode::OverwriteInPlace);
}

void createFrontonDefaults(const DataRoot& root, int config, FrontonRecord& r) {
    FrontonRecord defaults = defaultFronton();
    saveFronton(configFile(root, kFrontonFileName, config), defaults);
    saveFronton(configFile(root, kFrontonDefaultCopyName, config), defaults);
    r = defaults;
}

void restoreFrontonDefaults(const DataRoot& root, int config, FrontonRecord& r) {
    auto copy = configFile(root, kFrontonDefaultCopyName, config);
    if (std::filesystem::exists(copy)) {
        // A short copy keeps the built-in defaults for what it lacks.
        FrontonRecord fresh = defaultFronton();
        loadFronton(copy, fresh);
        r = fresh;
    } else {
        createFrontonDefaults(root, config, r);
    }
}

std::optional<int> elementPicture(const FrontonElement& e) {
    auto n = decimalIndex(e.pictureNumber.cp1252());
    if (!n || *n >= kFrontonPictureCount)
        return std::nullopt;
    return n;
}

std::optional<int> elementParent(const FrontonElement& e) {
    return inRange(e.parent, kFrontonElementCount);
}

std::optional<int> elementInDrawSlot(const FrontonElement& e) {
    return inRange(e.drawSlot, kFrontonElementCount);
}

bool isDrawnLayer(int32_t layer) {
    return layer >= 0 && layer < kFrontonLayerCount;
}

std::vector<FieldLine> describeFronton(std::span<const uint8_t> bytes) {
    return describeRecord<FrontonRecord>(bytes, kFrontonFileSize, kLayout);
}

} // namespace pinstage
