// The game rule file: nine fields per matrix contact, structure of arrays.
#include "config/GameRuleParams.h"

#include "config/FileNames.h"
#include "config/RecordFile.h"
#include "config/RecordLayout.h"

namespace pinstage {

namespace {
const char* const kLoadMessage = "fichier des paramètres de la règle du jeu introuvable";
const char* const kSaveMessage = "Impossible de créer le fichier de règle du jeu";

template <class V, class Row> void layoutRow(V& v, size_t base, const char* name, int n, Row& row) {
    for (size_t j = 0; j < row.size(); ++j)
        v.u8(base + row.size() * size_t(n) + j, FieldName{name, n, int(j)}, row[j]);
}

template <class V, class R> void layoutGameRule(V& v, R& r) {
    for (int n = 0; n < kRuleCount; ++n) {
        size_t k = size_t(n);
        v.u32(0 + 4 * k, FieldName{"directScore", n}, r.directScore[k]);
        v.u8(256 + k, FieldName{"bonusSteps", n}, r.bonusSteps[k]);
        v.u8(320 + k, FieldName{"soundNumber", n}, r.soundNumber[k]);
        v.u8(384 + k, FieldName{"directCoil", n}, r.directCoil[k]);
        v.u32(448 + 4 * k, FieldName{"coilDelayMs", n}, r.coilDelayMs[k]);
        layoutRow(v, 704, "lampsOn", n, r.lampsOn[k]);
        layoutRow(v, 1344, "lampsOff", n, r.lampsOff[k]);
        layoutRow(v, 1984, "lampsToggled", n, r.lampsToggled[k]);
        layoutRow(v, 2624, "combinations", n, r.combinations[k]);
    }
}
constexpr auto kLayout = [](auto& v, auto& r) { layoutGameRule(v, r); };
} // namespace

void loadGameRule(const std::filesystem::path& file, GameRuleRecord& r) {
    overlayRecord(r, kGameRuleRecordSize, readRecordFile(file, kGameRuleRecordSize, kLoadMessage), kLayout);
}

void saveGameRule(const std::filesystem::path& file, const GameRuleRecord& r) {
    writeRecordFile(file, encodeGameRule(r), kSaveMessage, SaveMode::OverwriteInPlace);
}

GameRuleRecord defaultGameRule() {
    GameRuleRecord r; // scores, bonus steps and delays 0
    for (size_t n = 0; n < size_t(kRuleCount); ++n) {
        r.soundNumber[n] = kGameRuleNone;
        r.directCoil[n] = kGameRuleNone;
        r.lampsOn[n].fill(kGameRuleNone);
        r.lampsOff[n].fill(kGameRuleNone);
        r.lampsToggled[n].fill(kGameRuleNone);
        r.combinations[n].fill(kGameRuleNone);
    }
    return r;
}

void createGameRuleDefaults(const DataRoot& root, int config, GameRuleRecord& r) {
    GameRuleRecord fresh = defaultGameRule();
    saveGameRule(configFile(root, kGameRuleFileName, config), fresh);
    r = fresh;
    saveGameRule(configFile(root, kGameRuleDefaultCopyName, config), fresh);
}

std::vector<uint8_t> encodeGameRule(const GameRuleRecord& r) {
    return encodeRecord(r, kGameRuleRecordSize, kLayout);
}

std::vector<FieldLine> describeGameRule(std::span<const uint8_t> bytes) {
    return describeRecord<GameRuleRecord>(bytes, kGameRuleRecordSize, kLayout);
}

} // namespace pinstage
