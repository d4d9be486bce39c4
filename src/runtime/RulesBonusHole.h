// The bonus hole (c18): 500 points, or with its lamp lit the player's bonus counted into the score
// while the ball waits, then a kick 500 ms later; its switch is not heard from the capture until
// 150 ms after the kick has fired.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

constexpr uint32_t kBonusHoleKickDelayMs = 500;
constexpr uint32_t kBonusHoleDeafMs = 150;

void bonusHoleRule(Machine& m);
// Periodic: once the kick has fired and 150 ms more have passed, the hole listens again.
void bonusHoleRelease(Machine& m);

} // namespace pinstage
