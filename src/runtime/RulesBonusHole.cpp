// The bonus hole: score or collect, the delayed kick and the deaf time.
#include "runtime/RulesBonusHole.h"

#include "config/PentacleTable.h"
#include "runtime/BonusLadder.h"
#include "runtime/GameServe.h"
#include "runtime/GameSwitches.h"
#include "runtime/MachineOps.h"
#include "runtime/RulesScore.h"

#include <optional>

namespace pinstage {

namespace {

void kick(Machine& m) {
    programDelayedPulse(m, coil::kBonusHoleKicker, kBonusHoleKickDelayMs);
    // The hole stays deaf until 150 ms after the kick fires (set then): the ball still lies in it
    // until the kicker moves, and a closure meanwhile must neither score again nor delay the kick.
    m.game.bonusHoleReleaseTime = timeStamp(m.now() + kBonusHoleDeafMs);
    m.game.bonusHoleKickPending = 1;
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

// When the kicker fired, once it has: its activation while it is energised (1 marks the delayed
// start, not a firing); the end of its pulse when the whole pulse passed unseen, or now when the
// request was cancelled before any firing.
std::optional<uint32_t> kickFiredAt(const Machine& m) {
    const size_t k = size_t(coil::kBonusHoleKicker);
    const Sortie& kicker = m.outputs.coils[k];
    if (kicker.activatedAt > 1)
        return kicker.activatedAt;
    bool requested =
        kicker.byteIndex < kCoilByteCount && (m.outputs.coilRequest[kicker.byteIndex] & kicker.mask);
    if (requested)
        return std::nullopt;
    uint32_t released = m.outputs.lastRelease[k];
    return released != 0 ? released : m.now();
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
    if (!(g.machineEvents & kEventBonusHoleRelease))
        return;
    if (g.bonusHoleKickPending) {
        std::optional<uint32_t> fired = kickFiredAt(m);
        if (!fired)
            return;
        g.bonusHoleKickPending = 0;
        g.bonusHoleReleaseTime = timeStamp(*fired + kBonusHoleDeafMs);
    }
    if (!cadenceDue(m.now(), g.bonusHoleReleaseTime, 0))
        return;
    clearClosure(m, contact::kBonusHole);
    g.machineEvents &= uint8_t(~kEventBonusHoleRelease);
    g.bonusHoleReleaseTime = 0;
}

} // namespace pinstage
