// When the main loop next has something to do: the earliest deadline of everything it runs on
// time (lamp chaser, blinks and the game's cadences, reels, frame, coil pulses, lamp reports,
// scripted switches, the run time limit), or the next millisecond when it must watch the board.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

// The longest the loop sleeps without any deadline (nothing it runs waits longer than this).
constexpr uint32_t kLongestIdleMs = 100;

// The earliest time after now at which a loop turn may find work, at most kLongestIdleMs ahead;
// now itself when work is due at once. Reads the machine only.
uint32_t nextLoopDeadline(const Machine& m);

} // namespace pinstage
