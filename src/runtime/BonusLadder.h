// The player's bonus: the stacking ladder of ten lamps that shows up to 55, the advance of earned
// units into the bonus, and the count-down that turns it into thousands.
#pragma once

#include "runtime/Machine.h"

#include <cstdint>

namespace pinstage {

constexpr int8_t kMaxBonus = 55;
constexpr uint32_t kBonusAdvancePeriodMs = 200;
constexpr uint32_t kBonusCountPeriodMs = 125;

// The ladder lamp (1-10) that the last unit of bonus v lights: the first ten units climb L1-L10,
// the next nine L1-L9, and so on; values outside 1-55 are returned as they are.
int bonusLadderPosition(int v);

// One unit of pendingBonus moved into the current player's bonus (lost at 55), with its lamps.
void bonusAdvanceStep(Machine& m);

// One step of the count-down: one bonus unit becomes 1000 points (not multiplied) plus 1000, 2000,
// 3000, 4000 for each multiplier lamp lit, which also pushes bonusCountTime 125 ms further per
// lamp rank. The ladder follows the new value (also when the bonus is already 0).
void bonusCountdownStep(Machine& m);

} // namespace pinstage
