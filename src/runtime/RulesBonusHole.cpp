// The bonus hole: score or collect, the delayed kick and the deaf time.
#include "runtime/RulesBonusHole.h"

#include "runtime/BonusLadder.h"
#include "runtime/GameServe.h"
#include "runtime/GameSwitches.h"
#include "runtime/MachineOps.h"
#include "runtime/RulesNumbers.h"
#include "runtime/RulesScore.h"

namespace pinstage {

namespace {

void kick(Machine& m) {
    programDelayedPulse(m, coil::kBonusHoleKicker, kBonusHoleKickDelayMs);
    m.game.bonusHoleReleaseTime = timeStamp(m.now() + kBonusHoleDeafMs);
    m.game.machineEvents &= uint8_t(~kEventBonusHoleServing);
    m.game.machineEvents |= kEventBonusHoleRelease;
}

// While the ball waits: one count-down step at most every 125 ms. True when the bonus is all counted.
bool countWhileWaiting(Machine& m) {
    PlayerState& p = currentPlayerState(m);
    if (p.bonus <= 0)
        return true;
    uint32_t now = m.now();
    if (cadenceDue(now, m.game.bonusCountTime, kBonusCountPeriodMs)) {
        m.game.bonusCountTime = now;
        bonusCountdownStep(m);
    }
    return p.bonus <= 0;
}

} // namespace

void bonusHoleRule(Machine& m) {
    constexpr int c = contact::kBonusHole;
    if (!closurePending(m, c) || m.game.bonusHoleReleaseTime != 0)
        return;
    if (inPlay(m)) {
        GameState& g = m.game;
        if (!(g.machineEvents & kEventBonusHoleServing)) {
            g.machineEvents |= kEventBonusHoleServing;
            PlayerState& p = currentPlayerState(m);
            if (p.bonus <= 0 || !lampIsOn(m, lamp::kBonusHoleLit)) {
                traceRule(m, c, addPoints(m, 500), 0);
            } else {
                playFunctionOnce(m, fn::kBonusHoleCollect);
                traceRule(m, c, 0, 0);
                if (!countWhileWaiting(m))
                    return;
            }
        } else if (!countWhileWaiting(m)) {
            return;
        }
    }
    kick(m);
}

void bonusHoleRelease(Machine& m) {
    GameState& g = m.game;
    if (!(g.machineEvents & kEventBonusHoleRelease) || !cadenceDue(m.now(), g.bonusHoleReleaseTime, 0))
        return;
    clearClosure(m, contact::kBonusHole);
    g.machineEvents &= uint8_t(~kEventBonusHoleRelease);
    g.bonusHoleReleaseTime = 0;
}

} // namespace pinstage
