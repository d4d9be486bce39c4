// The lamps file: 64 lamps as a structure of arrays, 2816 bytes.
#include "config/LampsParams.h"

#include "config/FileNames.h"
#include "config/LabelTables.h"
#include "config/RecordFile.h"
#include "config/RecordLayout.h"

namespace pinstage {

namespace {
const char* const kLoadMessage = "fichier de paramétrage des voyants introuvable";
const char* const kSaveMessage = "Impossible de créer le fichier de paramètrages des voyants";

template <class V, class R> void layoutLamps(V& v, R& r) {
    for (int n = 0; n < kLampCount; ++n) {
        size_t k = size_t(n);
        v.u8(0 + k, FieldName{"flags", n}, r.flags[k]);
        v.u32(64 + 4 * k, FieldName{"offMs", n}, r.offMs[k]);
        v.u32(320 + 4 * k, FieldName{"onMs", n}, r.onMs[k]);
        v.u32(576 + 4 * k, FieldName{"onStart", n}, r.onStart[k]);
        v.u32(832 + 4 * k, FieldName{"offStart", n}, r.offStart[k]);
        v.u8(1088 + k, FieldName{"byteIndex", n}, r.byteIndex[k]);
        v.u8(1152 + k, FieldName{"mask", n}, r.mask[k]);
        v.text(1216 + 25 * k, FieldName{"names", n}, r.names[k]);
    }
}
constexpr auto kLayout = [](auto& v, auto& r) { layoutLamps(v, r); };

uint32_t number(size_t entry) {
    return parseTableNumber(lampDefaults[entry]).value_or(0);
}
} // namespace

void loadLamps(const std::filesystem::path& file, LampsRecord& r) {
    overlayRecord(r, kLampsRecordSize, readRecordFile(file, kLampsRecordSize, kLoadMessage), kLayout);
}

void saveLamps(const std::filesystem::path& file, const LampsRecord& r) {
    writeRecordFile(file, encodeLamps(r), kSaveMessage, SaveMode::OverwriteInPlace);
}

LampsRecord defaultLamps() {
    LampsRecord r;
    for (size_t n = 0; n < size_t(kLampCount); ++n) {
        size_t row = n * kLampDefaultsRowWidth;
        r.flags[n] = uint8_t(number(row + 0));
        r.offMs[n] = number(row + 1);
        r.onMs[n] = number(row + 2);
        r.onStart[n] = number(row + 3);
        r.offStart[n] = number(row + 4);
        r.byteIndex[n] = uint8_t(number(row + 5));
        r.mask[n] = uint8_t(number(row + 6));
        r.names[n].setUtf8(lampDefaults[row + 7]);
    }
    return r;
}

void createLampsDefaults(const DataRoot& root, LampsRecord& r) {
    LampsRecord fresh = defaultLamps();
    saveLamps(sharedFile(root, kLampsFileName), fresh);
    r = fresh;
}

std::vector<uint8_t> encodeLamps(const LampsRecord& r) {
    return encodeRecord(r, kLampsRecordSize, kLayout);
}

std::vector<FieldLine> describeLamps(std::span<const uint8_t> bytes) {
    return describeRecord<LampsRecord>(bytes, kLampsRecordSize, kLayout);
}

} // namespace pinstage
