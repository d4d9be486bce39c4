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

// The coil and lamp engines, as the loop runs them (not while the dashboard holds the outputs).
// Every wait inside a turn calls it too, so no coil is held past its pulse and queued strokes sound.
void runOutputEngines(Machine& m);

// The attract lamp chaser: all 64 lamps on one after another, then off, one lamp per turn at
// most every 3 ms, while no game runs.
void runLampChaser(Machine& m);

// While mainLoopRunning: window events, one turn, then a wait for window events until the
// earliest deadline the loop knows (at least the next millisecond when the turn took no time), so
// an idle machine sleeps instead of spinning; with a board that must be polled, 1 ms at most.
void runMainLoop(Machine& m);

// The development run time limit (--quit-after): true, and the quit requested with its journal
// line, once the time since the splash has reached the limit.
bool runTimeOver(Machine& m);
// The same check for a timer outside the loop (a wait or a modal window holding the loop): the
// milliseconds still to go, or 0 once the limit is reached (the quit then requested as above, or
// already requested, or no limit set).
uint32_t runTimeLeft(Machine& m);

} // namespace pinstage
