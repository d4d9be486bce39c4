// The drained ball: bonus count, player rotation, serve or game over.
#include "runtime/GameDrain.h"

#include "config/AdjustmentRows.h"
#include "config/PentacleTable.h"
#include "runtime/BonusLadder.h"
#include "runtime/GameAwards.h"
#include "runtime/GameOver.h"
#include "runtime/GameServe.h"
#include "runtime/GameSwitches.h"
#include "runtime/MachineOps.h"
#include "runtime/RulesScore.h"

#include <algorithm>
#include <string>

namespace pinstage {

namespace {

void endOfGame(Machine& m) {
    if (optionIsYes(m.params.adjustments, AdjustmentOption::Lottery))
        runMatch(m);
    showGameOver(m);
    playFunctionOnce(m, fn::contactSound(contact::kBallReturn));
    playFunctionOnce(m, fn::kGameOver);
    checkRecord(m);
}

} // namespace

void moveToNextPlayer(Machine& m) {
    GameState& g = m.game;
    int balls = ballsPerGame(m.params.adjustments);
    int last = std::min<int>(g.lastPlayerIndex, kPlayerCount - 1);
    for (int tries = 0; tries < kPlayerCount; ++tries) {
        g.currentPlayer = uint8_t(g.currentPlayer >= last ? 0 : g.currentPlayer + 1);
        if (g.players[g.currentPlayer].ball < balls)
            break;
    }
}

DrainOutcome drainHandler(Machine& m) {
    constexpr int c = contact::kBallReturn;
    if (!closurePending(m, c))
        return DrainOutcome::NotPending;
    GameState& g = m.game;
    stopFunction(m, fn::kBackgroundMusic);
    uint8_t player = currentPlayerIndex(m);
    m.reels.carryPendingTens(player);
    if (!m.reels.reelsIdle())
        return DrainOutcome::Waiting;
    if (!gameRunning(m)) {
        clearClosure(m, c);
        return DrainOutcome::Done;
    }
    if (!g.drainSeen) {
        g.drainSeen = 1;
        trace(m, "drain");
    }

    if (m.reels.ballHasScored || g.tilted) {
        PlayerState& p = g.players[player];
        // Bonus still on its way from the playfield is counted with the rest, so that it never
        // passes to the next player.
        if (!g.tilted && (p.bonus > 0 || g.pendingBonus > 0)) {
            uint32_t now = m.now();
            if (p.bonus > 0 && cadenceDue(now, g.bonusCountTime, kBonusCountPeriodMs)) {
                g.bonusCountTime = now;
                bonusCountdownStep(m);
                if (tracing(m))
                    trace(m, "bonus count " + std::to_string(p.bonus));
            }
            return DrainOutcome::Counting;
        }
        p.score = playerScore(m, player);
        bool shootAgain = lampIsOn(m, lamp::kShootAgain);
        int balls = ballsPerGame(m.params.adjustments);
        if (!shootAgain && p.ball < 255)
            ++p.ball;
        savePlayerPlayfield(m);
        if (p.ball >= balls)
            g.playersDoneMask |= uint8_t(1u << player);
        if (!shootAgain)
            moveToNextPlayer(m);
        if (g.playersDoneMask == kNoGame) {
            g.drainSeen = 0;
            endOfGame(m);
            clearClosure(m, c);
            return DrainOutcome::Done;
        }
    }
    g.drainSeen = 0;
    serveBall(m);
    clearClosure(m, c);
    return DrainOutcome::Done;
}

} // namespace pinstage
