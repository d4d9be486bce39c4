// The coils file: 24 coils as a structure of arrays, 1320 bytes.
#include "config/CoilsParams.h"

#include "config/FileNames.h"
#include "config/LabelTables.h"
#include "config/RecordFile.h"
#include "config/RecordLayout.h"

namespace pinstage {

namespace {
const char* const kLoadMessage = "fichier de paramétrage des bobines introuvable";
const char* const kSaveMessage = "Impossible de créer le fichier de paramètre des bobines";

template <class V, class R> void layoutCoils(V& v, R& r) {
    for (int n = 0; n < kCoilCount; ++n) {
        size_t k = size_t(n);
        v.u32(0 + 4 * k, FieldName{"byteIndex", n}, r.byteIndex[k]);
        v.u32(96 + 4 * k, FieldName{"mask", n}, r.mask[k]);
        v.u32(192 + 4 * k, FieldName{"restMs", n}, r.restMs[k]);
        v.u32(288 + 4 * k, FieldName{"pulseMs", n}, r.pulseMs[k]);
        v.u8(384 + k, FieldName{"autoRelease", n}, r.autoRelease[k]);
        v.u32(408 + 4 * k, FieldName{"repeat", n}, r.repeat[k]);
        v.u32(504 + 4 * k, FieldName{"activatedAt", n}, r.activatedAt[k]);
        v.text(600 + 30 * k, FieldName{"names", n}, r.names[k]);
    }
}
constexpr auto kLayout = [](auto& v, auto& r) { layoutCoils(v, r); };

uint32_t number(size_t entry) {
    return parseTableNumber(coilDefaults[entry]).value_or(0);
}
} // namespace

void loadCoils(const std::filesystem::path& file, CoilsRecord& r) {
    overlayRecord(r, kCoilsRecordSize, readRecordFile(file, kCoilsRecordSize, kLoadMessage), kLayout);
}

void saveCoils(const std::filesystem::path& file, const CoilsRecord& r) {
    writeRecordFile(file, encodeCoils(r), kSaveMessage);
}

CoilsRecord defaultCoils() {
    CoilsRecord r;
    for (size_t n = 0; n < size_t(kCoilCount); ++n) {
        size_t row = n * kCoilDefaultsRowWidth;
        r.byteIndex[n] = number(row + 0);
        r.mask[n] = number(row + 1);
        r.restMs[n] = number(row + 2);
        r.pulseMs[n] = number(row + 3);
        r.autoRelease[n] = parseTableFlag(coilDefaults[row + 4]).value_or(false) ? 1 : 0;
        r.repeat[n] = number(row + 5);
        r.activatedAt[n] = 0; // entry 6 is a spare: a new record has no coil energised
        r.names[n].setUtf8(coilDefaults[row + 7]);
    }
    return r;
}

void createCoilsDefaults(const DataRoot& root, CoilsRecord& r) {
    CoilsRecord fresh = defaultCoils();
    saveCoils(sharedFile(root, kCoilsFileName), fresh);
    r = fresh;
}

std::vector<uint8_t> encodeCoils(const CoilsRecord& r) {
    return encodeRecord(r, kCoilsRecordSize, kLayout);
}

std::vector<FieldLine> describeCoils(std::span<const uint8_t> bytes) {
    return describeRecord<CoilsRecord>(bytes, kCoilsRecordSize, kLayout);
}

} // namespace pinstage
