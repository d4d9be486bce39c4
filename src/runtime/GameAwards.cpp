// Knocker strokes, score thresholds, free games, the match and the record.
#include "runtime/GameAwards.h"

#include "board/OutputOperations.h"
#include "config/AdjustmentRows.h"
#include "config/Adjustments.h"
#include "config/PentacleTable.h"
#include "runtime/GameCredits.h"
#include "runtime/GameSwitches.h"
#include "runtime/MachineOps.h"
#include "runtime/RulesScore.h"
#include "runtime/Startup.h"

#include <algorithm>
#include <string>

namespace pinstage {

namespace {

constexpr int kThresholds = 3;

int playersInGame(const Machine& m) {
    return std::min<int>(m.game.lastPlayerIndex, kPlayerCount - 1) + 1;
}

bool belowFreeGameLimit(const Machine& m, const PlayerState& p) {
    return p.freeGamesThisGame < m.params.adjustments.maxFreeGamesPerPlayer;
}

} // namespace

void knock(Machine& m, int strokes) {
    if (strokes <= 0)
        return;
    Sortie& knocker = m.outputs.coils[coil::kKnocker];
    bool knocking =
        knocker.byteIndex < kCoilByteCount && (m.outputs.coilRequest[knocker.byteIndex] & knocker.mask);
    if (knocking) {
        knocker.repeat = uint8_t(std::min(int(knocker.repeat) + strokes, 255));
    } else {
        knocker.repeat = uint8_t(std::min(strokes - 1, 255));
        coilPulse(m.outputs, knocker);
    }
}

void checkScoreAwards(Machine& m) {
    uint8_t player = currentPlayerIndex(m);
    PlayerState& p = m.game.players[player];
    if (!belowFreeGameLimit(m, p))
        return;
    for (int i = 0; i < kThresholds; ++i) {
        uint8_t bit = uint8_t(1u << i);
        uint32_t threshold = freeGameScore(m.params.adjustments, i);
        if ((p.scoreAwards & bit) || threshold == 0 || p.score < threshold)
            continue;
        p.scoreAwards |= bit;
        awardFreeGame(m, player);
        return;
    }
}

void awardFreeGame(Machine& m, int player) {
    if (player < 0 || player >= kPlayerCount || !awardIsFreeGame(m.params.adjustments))
        return;
    knock(m, 1);
    giveCredit(m);
    PlayerState& p = m.game.players[size_t(player)];
    if (p.freeGamesThisGame < 255)
        ++p.freeGamesThisGame;
    if (tracing(m))
        trace(m, "free game " + std::to_string(player + 1));
}

void runMatch(Machine& m) {
    int digit = int(m.random() % 10);
    showElement(m, element::kMatch);
    showElement(m, element::kLottery0 + digit);
    int matches = 0;
    for (int p = 0; p < playersInGame(m); ++p) {
        const Rouleau* units = m.reels.reel(p, 0);
        if (units && units->digit == digit) {
            ++matches;
            giveCredit(m);
        }
    }
    knock(m, matches);
    if (tracing(m))
        trace(m, "match " + std::to_string(digit) + " wins " + std::to_string(matches));
}

void checkRecord(Machine& m) {
    AdjustmentsRecord& adj = m.params.adjustments;
    if (adj.recordFreeGames == 0)
        return;
    int holder = -1;
    for (int p = 0; p < playersInGame(m); ++p) {
        uint32_t score = playerScore(m, p);
        m.game.players[size_t(p)].score = score;
        if (score >= adj.recordScore) {
            adj.recordScore = score;
            holder = p;
        }
    }
    if (holder < 0)
        return;
    if (tracing(m))
        trace(m, "record " + std::to_string(adj.recordScore) + " player " + std::to_string(holder + 1));
    if (!belowFreeGameLimit(m, m.game.players[size_t(holder)]))
        return;
    // The record gives exactly its number of free games: the award below brings the last one.
    if (awardIsFreeGame(adj)) {
        // More than a full counter of credits is never given (each one is a file save).
        int games = std::min<int>(adj.recordFreeGames, kMaxCredits);
        knock(m, games - 1);
        for (int i = 1; i < games; ++i)
            giveCredit(m);
        awardFreeGame(m, holder);
    }
    saveAdjustmentsInUse(m);
}

} // namespace pinstage
