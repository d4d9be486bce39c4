// The ways out of the main loop: the two stages of closing the backglass window, the dashboard
// opened by the test push, and the shutdown of the PC.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

// First stage (loop running): every coil and lamp off and sent, then the loop stops. Second
// stage (loop stopped): outputs off, board closed; the window system is the caller's.
void FormClose(Machine& m);

// c0 "Test Push": ends a running game, switches everything off, runs the dashboard modally, then
// switches everything off again and puts the attract media 7 s ahead.
void dashboardWayOut(Machine& m);

// The start button held 5 s: the shutdown screen, then the power-off command.
void shutdownWayOut(Machine& m);

} // namespace pinstage
