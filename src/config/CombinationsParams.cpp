// The combinations file: ten fields per combination, structure of arrays.
#include "config/CombinationsParams.h"

#include "config/FileNames.h"
#include "config/LabelTables.h"
#include "config/RecordFile.h"
#include "config/RecordLayout.h"

namespace pinstage {

namespace {
const char* const kLoadMessage = "fichier des paramètres des combinaisons de jeu introuvable";
const char* const kSaveMessage = "Impossible de créer le fichier des combinaisons de jeu";

template <class V, class Row> void layoutBytes(V& v, size_t base, const char* name, int n, Row& row) {
    for (size_t j = 0; j < row.size(); ++j)
        v.u8(base + row.size() * size_t(n) + j, FieldName{name, n, int(j)}, row[j]);
}

template <class V, class R> void layoutCombinations(V& v, R& r) {
    for (int n = 0; n < kCombinationCount; ++n) {
        size_t k = size_t(n);
        v.text(25 * k, FieldName{"names", n}, r.names[k]);
        v.u32(800 + 4 * k, FieldName{"directScore", n}, r.directScore[k]);
        v.u32(928 + 4 * k, FieldName{"bonusSteps", n}, r.bonusSteps[k]);
        v.u32(1056 + 4 * k, FieldName{"soundNumber", n}, r.soundNumber[k]);
        layoutBytes(v, 1184, "coils", n, r.coils[k]);
        for (size_t j = 0; j < kCombinationCoilWidth; ++j)
            v.u32(1344 + 4 * (kCombinationCoilWidth * k + j), FieldName{"coilDelayMs", n, int(j)},
                  r.coilDelayMs[k][j]);
        layoutBytes(v, 1984, "lampsOn", n, r.lampsOn[k]);
        layoutBytes(v, 2304, "lampsOff", n, r.lampsOff[k]);
        layoutBytes(v, 2624, "lampsToggled", n, r.lampsToggled[k]);
        layoutBytes(v, 2944, "combinations", n, r.combinations[k]);
    }
}
constexpr auto kLayout = [](auto& v, auto& r) { layoutCombinations(v, r); };
} // namespace

void loadCombinations(const std::filesystem::path& file, CombinationsRecord& r) {
    overlayRecord(r, kCombinationsRecordSize, readRecordFile(file, kCombinationsRecordSize, kLoadMessage),
                  kLayout);
}

void saveCombinations(const std::filesystem::path& file, const CombinationsRecord& r) {
    writeRecordFile(file, encodeCombinations(r), kSaveMessage, SaveMode::OverwriteInPlace);
}

CombinationsRecord defaultCombinations() {
    CombinationsRecord r; // scores and bonus steps 0
    for (size_t n = 0; n < size_t(kCombinationCount); ++n) {
        r.names[n].setUtf8(combinationNames[n]);
        r.soundNumber[n] = kCombinationNoSound;
        r.coils[n].fill(kCombinationNoCoil);
        r.coilDelayMs[n].fill(kCombinationNoDelay);
        r.lampsOn[n].fill(kCombinationNoLampOn);
        r.lampsOff[n].fill(kCombinationNoLampOff);
        r.lampsToggled[n].fill(kCombinationNoLampToggled);
        r.combinations[n].fill(kCombinationNoLink);
    }
    return r;
}

void createCombinationsDefaults(const DataRoot& root, int config, CombinationsRecord& r) {
    CombinationsRecord fresh = defaultCombinations();
    saveCombinations(configFile(root, kCombinationsFileName, config), fresh);
    r = fresh;
    saveCombinations(configFile(root, kCombinationsDefaultCopyName, config), fresh);
}

std::vector<uint8_t> encodeCombinations(const CombinationsRecord& r) {
    return encodeRecord(r, kCombinationsRecordSize, kLayout);
}

std::vector<FieldLine> describeCombinations(std::span<const uint8_t> bytes) {
    return describeRecord<CombinationsRecord>(bytes, kCombinationsRecordSize, kLayout);
}

} // namespace pinstage
