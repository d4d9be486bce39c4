// Multiplied play, started by the word bank: every playfield score times scoreMultiplier while
// the seconds count down on the backglass, with its jingle, then its looping tune.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

constexpr uint32_t kSecondTickMs = 1000;

// Shows "SCORES MULTIPLIES PAR", "RESTE", "SECONDES" and the seconds, times the jingle, and runs
// one second-tick at once.
void startMultipliedPlay(Machine& m);
// One second of multiplied play: the figure counts down; at 0 multiplied play ends.
void multipliedSecondTick(Machine& m);
// Back to normal scores: the elements hidden, the loop stopped and, with restartMusic, the
// background music back when a ball is in play.
void endMultipliedPlay(Machine& m, bool restartMusic = true);
// When the jingle has played: the multiplied-play tune loops in place of the background music.
void multipliedJingleStep(Machine& m);

// The remaining seconds on elements 81-83 (hundreds and tens only when needed); -1 hides them.
// The figure drawn is multipliedSeconds, which is what remains whenever the elements are shown.
void showSecondsFigure(Machine& m, int32_t seconds);

} // namespace pinstage
