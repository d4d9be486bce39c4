// Records buffers, the finished game's records and the ranking step's start.
#include "runtime/PlayerRecords.h"

#include "platform/PinError.h"
#include "runtime/Attract.h"
#include "runtime/MachineOps.h"
#include "runtime/RulesScore.h"

#include <vector>

namespace pinstage {

std::filesystem::path playersFileInUse(const Machine& m) {
    return playersFile(m.root, m.rt.configurationInUse);
}

void initialisePlayerBuffers(Machine& m) {
    m.records.buffers = defaultPlayerRecords(currentDateTimeText());
    m.records.contestEntrant = {};
}

void beginContestRecord(Machine& m, int player) {
    if (player < 1 || player > kPlayerCount)
        return;
    FicheJoueur& f = m.records.buffers[size_t(player - 1)];
    f = FicheJoueur{};
    m.records.contestEntrant[size_t(player - 1)] = true;
}

void recordFinishedGame(Machine& m) {
    RecordsState& r = m.records;
    const int players = std::min<int>(m.game.lastPlayerIndex + 1, kPlayerCount);
    const std::string endDate = currentDateTimeText();
    std::vector<FicheJoueur> finished;
    for (int p = 0; p < players; ++p) {
        FicheJoueur& f = r.buffers[size_t(p)];
        if (!r.contestEntrant[size_t(p)])
            continue;
        if (f.nomDuJoueur.cp1252().empty() && f.cheminPhoto.cp1252().empty())
            continue;
        f.dateFin.setUtf8(endDate);
        f.score = playerScore(m, p);
        finished.push_back(f);
    }
    r.contestEntrant = {};
    if (finished.empty())
        return;
    try {
        EcrireFichesJoueurs(playersFileInUse(m), finished, true, 0, int(finished.size()));
        r.sortPending = true;
        trace(m, "records added " + std::to_string(finished.size()));
    } catch (const PinError& e) {
        trace(m, std::string("records not saved: ") + e.what());
    }
}

void startRankingStep(Machine& m) {
    RecordsState& r = m.records;
    if (r.sortPending) {
        r.sortPending = false;
        try {
            TrierFichesJoueurs(playersFileInUse(m));
        } catch (const PinError& e) {
            // No file to sort: the pages show the default photo.
            trace(m, std::string("ranking not sorted: ") + e.what());
        }
    }
    m.rt.mediaEndTime = nonZeroTime(m.now() + kRankingStepMs);
    r.nextPageTime = 0;
    r.rankingShowing = true;
}

} // namespace pinstage
