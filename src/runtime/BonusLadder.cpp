// The bonus ladder lamps, the bonus advance and the count-down step.
#include "runtime/BonusLadder.h"

#include "board/OutputOperations.h"
#include "config/PentacleTable.h"
#include "runtime/GameSwitches.h"
#include "runtime/RulesScore.h"

namespace pinstage {

namespace {

// Ladder lamp d (1-10); nothing outside.
void ladderOn(Machine& m, int d) {
    if (d >= 1 && d <= 10)
        lampOn(m.outputs, lamp::kBonusLadder[size_t(d - 1)]);
}
void ladderOff(Machine& m, int d) {
    if (d >= 1 && d <= 10)
        lampOff(m.outputs, lamp::kBonusLadder[size_t(d - 1)]);
}

// Values at which a run of the ladder has just been completed from above: the count-down leaves
// the top lamp of that run lit and only puts L1 out.
bool endsARun(int v) {
    switch (v) {
    case 10:
    case 19:
    case 27:
    case 34:
    case 40:
    case 45:
    case 49:
    case 52:
    case 54:
        return true;
    default:
        return false;
    }
}

struct MultiplierLampBonus {
    int lamp;
    uint32_t points;
    uint32_t pushMs;
};
constexpr MultiplierLampBonus kCountBonuses[] = {
    {lamp::kMultiplierX2, 1000, 125},
    {lamp::kMultiplierX3, 2000, 250},
    {lamp::kMultiplierX4, 3000, 375},
    {lamp::kMultiplierX5, 4000, 500},
};

} // namespace

int bonusLadderPosition(int v) {
    int t = 0;
    for (int s = 10; s >= 2; --s) {
        t += s;
        if (t < v && v < t + s)
            v -= t;
    }
    return v;
}

void bonusAdvanceStep(Machine& m) {
    if (m.game.pendingBonus <= 0)
        return;
    m.game.pendingBonus = int8_t(m.game.pendingBonus - 1);
    PlayerState& p = currentPlayerState(m);
    if (p.bonus >= kMaxBonus)
        return;
    p.bonus = int8_t(p.bonus < 0 ? 1 : p.bonus + 1);
    if (p.bonus > 19)
        lampOn(m.outputs, lamp::kBonus20);
    int d = bonusLadderPosition(p.bonus);
    ladderOn(m, d);
    if (d >= 2)
        ladderOff(m, d - 1);
}

void bonusCountdownStep(Machine& m) {
    PlayerState& p = currentPlayerState(m);
    if (p.bonus > 0) {
        p.bonus = int8_t(p.bonus - 1);
        if (p.bonus < 20)
            lampOff(m.outputs, lamp::kBonus20);
        uint32_t points = 1000;
        for (const auto& extra : kCountBonuses)
            if (lampIsOn(m, extra.lamp)) {
                points += extra.points;
                m.game.bonusCountTime += extra.pushMs;
            }
        addPoints(m, points, false);
    }
    int v = p.bonus < 0 ? 0 : p.bonus;
    if (endsARun(v)) {
        ladderOff(m, 1);
        return;
    }
    int d = bonusLadderPosition(v);
    if (d == 0) {
        ladderOff(m, 1);
    } else if (d >= 1 && d <= 9) {
        ladderOff(m, d + 1);
        ladderOn(m, d);
    }
}

} // namespace pinstage
