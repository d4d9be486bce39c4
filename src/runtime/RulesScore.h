// Points as reel steps on the current player's counter, the scores read back from the reels, the
// multiplier lamp ladder and the lane check.
#pragma once

#include "runtime/Machine.h"

#include <cstdint>

namespace pinstage {

// Adds points to the current player: steps on the reel of the highest power of ten dividing the
// figure (units to ten-thousands reach further only by carries), times scoreMultiplier when
// multiplied. Returns the points actually queued.
uint32_t addPoints(Machine& m, uint32_t points, bool multiplied = true);

// Bonus units earned, moved into the player's bonus by the periodic advance (saturating).
void addPendingBonus(Machine& m, int units);

// Player p's score as the reels show it (0 for a player without a counter).
uint32_t playerScore(const Machine& m, int p);

// Advances the bonus-multiplier lamps x2 -> x3 (bumper target lit) -> x4 -> x5 (special lit).
void advanceMultiplierLamps(Machine& m);

// When the three lanes and the star are all lit: they go out, the spinner and bonus hole light
// and the multiplier advances.
void laneCheck(Machine& m);

// The multiplier a word-bank completion gives: 2-5 from the first multiplier lamp lit, 2 when none.
int32_t multiplierFromLamps(const Machine& m);

// "rule cN +points bonus B" when tracing.
void traceRule(Machine& m, int contact, uint32_t points, int bonus);

} // namespace pinstage
