// The adjustments file: 30 settings in 112 bytes, file order differing from row order.
#include "config/Adjustments.h"

#include "config/AdjustmentRows.h"
#include "config/FileNames.h"
#include "config/LabelTables.h"
#include "config/RecordFile.h"
#include "config/RecordLayout.h"

namespace pinstage {

namespace {
const char* const kLoadMessage = "Paramètres d'ajustement introuvables";
const char* const kSaveMessage = "Impossible de créer le fichier de paramètres d'ajustement";

template <class V, class R> void layoutAdjustments(V& v, R& r) {
    for (int i = 0; i < kCoinSlotCount; ++i) {
        size_t k = size_t(i);
        v.u16(0 + 2 * k, FieldName{"coinsPerCredit", i}, r.coinsPerCredit[k]);
        v.u16(6 + 2 * k, FieldName{"coinsForBonus", i}, r.coinsForBonus[k]);
        v.u16(12 + 2 * k, FieldName{"bonusCreditValue", i}, r.bonusCreditValue[k]);
        v.u16(18 + 2 * k, FieldName{"gamesPerCredit", i}, r.gamesPerCredit[k]);
    }
    v.u16(24, FieldName{"ballsPerGame"}, r.ballsPerGame);
    v.raw(26, FieldName{"alignment26"}, r.alignment26);
    for (int i = 0; i < 3; ++i)
        v.u32(28 + 4 * size_t(i), FieldName{"freeGameScores", i}, r.freeGameScores[size_t(i)]);
    v.u32(40, FieldName{"recordScore"}, r.recordScore);
    v.u16(44, FieldName{"recordFreeGames"}, r.recordFreeGames);
    v.text(46, FieldName{"lottery"}, r.lottery);
    v.text(50, FieldName{"awardKind"}, r.awardKind);
    v.u16(74, FieldName{"maxFreeGamesPerPlayer"}, r.maxFreeGamesPerPlayer);
    v.text(76, FieldName{"videos"}, r.videos);
    v.text(80, FieldName{"rankingPhotos"}, r.rankingPhotos);
    v.text(84, FieldName{"freePlay"}, r.freePlay);
    v.text(88, FieldName{"photoAtGameOver"}, r.photoAtGameOver);
    v.text(92, FieldName{"posters"}, r.posters);
    v.text(96, FieldName{"internetAds"}, r.internetAds);
    v.text(100, FieldName{"kiosk"}, r.kiosk);
    v.text(104, FieldName{"startupChoice"}, r.startupChoice);
    v.text(108, FieldName{"nameEntry"}, r.nameEntry);
}
constexpr auto kLayout = [](auto& v, auto& r) { layoutAdjustments(v, r); };
} // namespace

void loadAdjustments(const std::filesystem::path& file, AdjustmentsRecord& r) {
    overlayRecord(r, kAdjustmentsRecordSize, readRecordFile(file, kAdjustmentsRecordSize, kLoadMessage),
                  kLayout);
}

void saveAdjustments(const std::filesystem::path& file, const AdjustmentsRecord& r) {
    writeRecordFile(file, encodeAdjustments(r), kSaveMessage);
}

AdjustmentsRecord defaultAdjustments() {
    AdjustmentsRecord r;
    for (int row = 1; row <= kAdjustmentRowCount; ++row)
        storeAdjustment(r, row, adjustmentDefaults[size_t(row)]);
    return r;
}

void createAdjustmentsDefaults(const DataRoot& root, int config, AdjustmentsRecord& r) {
    AdjustmentsRecord fresh = defaultAdjustments();
    saveAdjustments(configFile(root, kAdjustmentsFileName, config), fresh);
    r = fresh;
}

std::vector<uint8_t> encodeAdjustments(const AdjustmentsRecord& r) {
    return encodeRecord(r, kAdjustmentsRecordSize, kLayout);
}

std::vector<FieldLine> describeAdjustments(std::span<const uint8_t> bytes) {
    return describeRecord<AdjustmentsRecord>(bytes, kAdjustmentsRecordSize, kLayout);
}

} // namespace pinstage
