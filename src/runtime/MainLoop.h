// The main loop: one turn of work, as the program and the scenario tests run it, and the loop
// that pumps the window system between turns and waits briefly when a turn found nothing due.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

// The work of one turn: table rules, game flow, periodic work, the name step or (no game) the
// attract sequence, the webcam shot, the frame, and the navigation while the keyboard is open.
void mainLoopStep(Machine& m);

// The loop body after the window message: mainLoopStep, reel stepper and animator, switch scans,
// coil and lamp engines, the pending Escape and the attract lamp chaser.
void loopTurn(Machine& m);

// The attract lamp chaser: all 64 lamps on one after another, then off, one lamp per turn at
// most every 3 ms, while no game runs.
void runLampChaser(Machine& m);

// While mainLoopRunning: window events, one turn, and when the clock did not move during the
// turn (nothing can have come due) a wait of at most 1 ms, so an idle machine does not spin.
void runMainLoop(Machine& m);

// The development run time limit (--quit-after): true, and the quit requested, once it is over.
bool runTimeOver(Machine& m);

} // namespace pinstage
