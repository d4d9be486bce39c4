// Points to reel steps, scores from the reels, the multiplier lamps and the lanes.
#include "runtime/RulesScore.h"

#include "board/OutputOperations.h"
#include "config/PentacleTable.h"
#include "runtime/GameSwitches.h"
#include "runtime/MachineOps.h"

#include <algorithm>
#include <cstdio>

namespace pinstage {

namespace {
constexpr int kScoreReels = 7;
constexpr int kHighestAddressedReel = 4; // ten-thousands
constexpr int32_t kMaxMultiplier = 5;
} // namespace

uint32_t addPoints(Machine& m, uint32_t points, bool multiplied) {
    if (points == 0)
        return 0;
    int reel = 0;
    uint32_t steps = points;
    while (steps % 10 == 0 && reel < kHighestAddressedReel) {
        steps /= 10;
        ++reel;
    }
    uint32_t factor =
        multiplied ? uint32_t(std::clamp(m.game.scoreMultiplier, int32_t(1), kMaxMultiplier)) : 1;
    int player = currentPlayerIndex(m);
    Rouleau* r = m.reels.reel(player, reel);
    if (!r)
        return 0;
    r->forwardSteps += int32_t(steps * factor);
    m.reels.carryPendingTens(player);
    return points * factor;
}

void addPendingBonus(Machine& m, int units) {
    int v = std::clamp(int(m.game.pendingBonus) + units, 0, 127);
    m.game.pendingBonus = int8_t(v);
}

uint32_t playerScore(const Machine& m, int p) {
    if (p < 0 || p >= kPlayerCount)
        return 0;
    return uint32_t(m.reels.counterValue(p, kScoreReels));
}

void advanceMultiplierLamps(Machine& m) {
    using namespace lamp;
    if (!lampIsOn(m, kMultiplierX2) && !lampIsOn(m, kMultiplierX3) && !lampIsOn(m, kMultiplierX4) &&
        !lampIsOn(m, kMultiplierX5)) {
        lampOn(m.outputs, kMultiplierX2);
    } else if (lampIsOn(m, kMultiplierX2)) {
        lampOff(m.outputs, kMultiplierX2);
        lampOn(m.outputs, kMultiplierX3);
        lampOn(m.outputs, kBumperTargetLit);
    } else if (lampIsOn(m, kMultiplierX3)) {
        lampOff(m.outputs, kMultiplierX3);
        lampOn(m.outputs, kMultiplierX4);
    } else if (lampIsOn(m, kMultiplierX4)) {
        lampOff(m.outputs, kMultiplierX4);
        lampOn(m.outputs, kMultiplierX5);
        lampOn(m.outputs, kSpecialLit);
    }
}

void laneCheck(Machine& m) {
    using namespace lamp;
    if (!lampIsOn(m, kLane32) || !lampIsOn(m, kLane16) || !lampIsOn(m, kLane8) || !lampIsOn(m, kStar24))
        return;
    lampOff(m.outputs, kLane32);
    lampOff(m.outputs, kLane16);
    lampOff(m.outputs, kLane8);
    lampOff(m.outputs, kStar24);
    lampOn(m.outputs, kSpinnerLit);
    lampOn(m.outputs, kBonusHoleLit);
    advanceMultiplierLamps(m);
}

int32_t multiplierFromLamps(const Machine& m) {
    if (lampIsOn(m, lamp::kMultiplierX2))
        return 2;
    if (lampIsOn(m, lamp::kMultiplierX3))
        return 3;
    if (lampIsOn(m, lamp::kMultiplierX4))
        return 4;
    if (lampIsOn(m, lamp::kMultiplierX5))
        return 5;
    return 2;
}

void traceRule(Machine& m, int contact, uint32_t points, int bonus) {
    if (!tracing(m))
        return;
    char text[64];
    std::snprintf(text, sizeof text, "rule c%d +%u bonus %d", contact, unsigned(points), bonus);
    trace(m, text);
}

} // namespace pinstage
