// One turn of the main loop, as the program and the scenario tests run it.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

// The work of one turn: table rules, game flow, periodic work, attract and navigation, frame.
void mainLoopStep(Machine& m);

// The loop body after the window message: mainLoopStep, reel stepper and animator, switch scans,
// coil and lamp engines, the pending Escape and the attract lamp chaser.
void loopTurn(Machine& m);

// The attract lamp chaser: all 64 lamps on one after another, then off, one lamp per turn at
// most every 3 ms, while no game runs.
void runLampChaser(Machine& m);

} // namespace pinstage
