// Backglass layout file: byte image of the 89 elements, defaults built from the label tables,
// power-safe save and checked reading of the values that index other tables.
#include "config/FrontonParams.h"

#include "config/FileNames.h"
#include "config/LabelTables.h"
#include "config/RecordFile.h"

namespace pinstage {

namespace {

constexpr const char* kLoadError = "fichier des paramètres du fronton introuvable";
constexpr const char* kSaveError = "Impossible de créer le fichier de paramètrages du fronton";
constexpr size_t kImageRowWidth = 5;
constexpr size_t kElementRowWidth = 13;

// The built-in rows are constant and checked by the tests; a malformed entry would read as 0.
int32_t tableNumber(const char* text) {
    return int32_t(parseTableNumber(text).value_or(0));
}

// Field offsets within one element.
enum : size_t {
    oPictureFile = 0,
    oSourceLeft = 32,
    oSourceRight = 36,
    oSourceTop = 40,
    oSourceBottom = 44,
    oFunctionLabel = 48,
    oPictureNumber = 128,
    oDisplayLeft = 132,
    oDisplayRight = 136,
    oDisplayTop = 140,
    oDisplayBottom = 144,
    oLayer = 148,
    oParent = 152,
    oDrawSlot = 156,
    oReelLeft = 160,
    oReelRight = 164,
    oReelTop = 168,
    oReelBottom = 172,
    oDirty = 176,
    oEditorVisibility = 177,
    oPictureNumberCopy = 178,
};

void encodeElement(ByteWriter& w, size_t b, const FrontonElement& e) {
    w.raw(b + oPictureFile, e.pictureFile.bytes);
    w.i32(b + oSourceLeft, e.sourceLeft);
    w.i32(b + oSourceRight, e.sourceRight);
    w.i32(b + oSourceTop, e.sourceTop);
    w.i32(b + oSourceBottom, e.sourceBottom);
    w.raw(b + oFunctionLabel, e.functionLabel.bytes);
    w.raw(b + oPictureNumber, e.pictureNumber.bytes);
    w.i32(b + oDisplayLeft, e.displayLeft);
    w.i32(b + oDisplayRight, e.displayRight);
    w.i32(b + oDisplayTop, e.displayTop);
    w.i32(b + oDisplayBottom, e.displayBottom);
    w.i32(b + oLayer, e.layer);
    w.i32(b + oParent, e.parent);
    w.i32(b + oDrawSlot, e.drawSlot);
    w.i32(b + oReelLeft, e.reelWindowLeft);
    w.i32(b + oReelRight, e.reelWindowRight);
    w.i32(b + oReelTop, e.reelWindowTop);
    w.i32(b + oReelBottom, e.reelWindowBottom);
    w.u8(b + oDirty, e.dirty);
    w.u8(b + oEditorVisibility, e.editorVisibility);
    w.raw(b + oPictureNumberCopy, e.pictureNumberCopy.bytes);
}

void decodeElement(const ByteReader& rd, size_t b, FrontonElement& e) {
    rd.raw(b + oPictureFile, e.pictureFile.bytes);
    e.sourceLeft = rd.i32(b + oSourceLeft);
    e.sourceRight = rd.i32(b + oSourceRight);
    e.sourceTop = rd.i32(b + oSourceTop);
    e.sourceBottom = rd.i32(b + oSourceBottom);
    rd.raw(b + oFunctionLabel, e.functionLabel.bytes);
    rd.raw(b + oPictureNumber, e.pictureNumber.bytes);
    e.displayLeft = rd.i32(b + oDisplayLeft);
    e.displayRight = rd.i32(b + oDisplayRight);
    e.displayTop = rd.i32(b + oDisplayTop);
    e.displayBottom = rd.i32(b + oDisplayBottom);
    e.layer = rd.i32(b + oLayer);
    e.parent = rd.i32(b + oParent);
    e.drawSlot = rd.i32(b + oDrawSlot);
    e.reelWindowLeft = rd.i32(b + oReelLeft);
    e.reelWindowRight = rd.i32(b + oReelRight);
    e.reelWindowTop = rd.i32(b + oReelTop);
    e.reelWindowBottom = rd.i32(b + oReelBottom);
    e.dirty = rd.u8(b + oDirty);
    e.editorVisibility = rd.u8(b + oEditorVisibility);
    rd.raw(b + oPictureNumberCopy, e.pictureNumberCopy.bytes);
}

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

} // namespace

FrontonRecord defaultFronton() {
    FrontonRecord r;
    for (size_t n = 0; n < size_t(kFrontonElementCount); ++n) {
        FrontonElement& e = r.elements[n];
        if (n < size_t(kFrontonPictureCount)) {
            const char* const* img = &frontonImageDefaults[n * kImageRowWidth];
            e.pictureFile.setUtf8(img[0]);
            e.sourceLeft = tableNumber(img[1]);
            e.sourceRight = tableNumber(img[2]);
            e.sourceTop = tableNumber(img[3]);
            e.sourceBottom = tableNumber(img[4]);
        }
        const char* const* el = &frontonElementDefaults[n * kElementRowWidth];
        e.functionLabel.setUtf8(el[0]);
        e.pictureNumber.setUtf8(el[1]);
        e.pictureNumberCopy.setUtf8(el[1]);
        e.displayLeft = tableNumber(el[2]);
        e.displayRight = tableNumber(el[3]);
        e.displayTop = tableNumber(el[4]);
        e.displayBottom = tableNumber(el[5]);
        e.layer = tableNumber(el[6]);
        e.parent = tableNumber(el[7]);
        e.drawSlot = tableNumber(el[8]);
        e.reelWindowLeft = tableNumber(el[9]);
        e.reelWindowRight = tableNumber(el[10]);
        e.reelWindowTop = tableNumber(el[11]);
        e.reelWindowBottom = tableNumber(el[12]);
    }
    return r;
}

std::vector<uint8_t> encodeFronton(const FrontonRecord& r) {
    std::vector<uint8_t> bytes(kFrontonFileSize, 0);
    ByteWriter w(bytes);
    for (size_t n = 0; n < size_t(kFrontonElementCount); ++n)
        encodeElement(w, n * kFrontonElementSize, r.elements[n]);
    return bytes;
}

void decodeFronton(std::span<const uint8_t> bytes, FrontonRecord& r) {
    // The file's bytes lie over the record's own image: a short file leaves the rest as it was.
    std::vector<uint8_t> image = encodeFronton(r);
    std::copy_n(bytes.begin(), std::min(bytes.size(), image.size()), image.begin());
    ByteReader rd(image);
    for (size_t n = 0; n < size_t(kFrontonElementCount); ++n)
        decodeElement(rd, n * kFrontonElementSize, r.elements[n]);
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
    std::vector<FieldLine> lines;
    auto record = bytes.first(std::min(bytes.size(), kFrontonFileSize));
    ByteReader rd(record);
    for (size_t n = 0; n < size_t(kFrontonElementCount); ++n) {
        size_t b = n * kFrontonElementSize;
        std::string index = "[" + std::to_string(n) + "]";
        auto add = [&](size_t o, size_t size, const char* name, auto value) {
            if (rd.has(b + o, size))
                lines.push_back({b + o, name + index, value()});
        };
        auto text = [&](size_t o, size_t size, const char* name) {
            add(o, size, name, [&] { return cp1252ToUtf8(readSlotCp1252(&record[b + o], size)); });
        };
        auto num = [&](size_t o, const char* name) {
            add(o, 4, name, [&] { return std::to_string(rd.i32(b + o)); });
        };
        // An index outside its table is listed with a note, as the display will ignore it.
        auto index32 = [&](size_t o, const char* name, int32_t end, const char* note) {
            add(o, 4, name, [&] {
                int32_t v = rd.i32(b + o);
                return std::to_string(v) + (v < 0 || v >= end ? note : "");
            });
        };
        text(oPictureFile, 32, "pictureFile");
        num(oSourceLeft, "sourceLeft");
        num(oSourceRight, "sourceRight");
        num(oSourceTop, "sourceTop");
        num(oSourceBottom, "sourceBottom");
        text(oFunctionLabel, 80, "functionLabel");
        add(oPictureNumber, 4, "pictureNumber", [&] {
            std::string raw = readSlotCp1252(&record[b + oPictureNumber], 4);
            auto picture = decimalIndex(raw);
            bool outside = !raw.empty() && (!picture || *picture >= kFrontonPictureCount);
            return cp1252ToUtf8(raw) + (outside ? " (hors limites)" : "");
        });
        num(oDisplayLeft, "displayLeft");
        num(oDisplayRight, "displayRight");
        num(oDisplayTop, "displayTop");
        num(oDisplayBottom, "displayBottom");
        index32(oLayer, "layer", kFrontonLayerCount, " (non affiché)");
        index32(oParent, "parent", kFrontonElementCount, " (hors limites)");
        index32(oDrawSlot, "drawSlot", kFrontonElementCount, " (hors limites)");
        num(oReelLeft, "reelWindowLeft");
        num(oReelRight, "reelWindowRight");
        num(oReelTop, "reelWindowTop");
        num(oReelBottom, "reelWindowBottom");
        add(oDirty, 1, "dirty", [&] { return std::to_string(rd.u8(b + oDirty)); });
        add(oEditorVisibility, 1, "editorVisibility",
            [&] { return std::to_string(rd.u8(b + oEditorVisibility)); });
        text(oPictureNumberCopy, 6, "pictureNumberCopy");
    }
    return lines;
}

} // namespace pinstage
