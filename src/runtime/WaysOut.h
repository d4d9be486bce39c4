// The ways out of the main loop: the two stages of closing the backglass window, the dashboard
// opened by the test push, the test switch, the start button held for the PC shutdown, and the
// quit request of the window system.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

constexpr uint32_t kShutdownHoldMs = 5000;
constexpr uint32_t kShutdownScreenMs = 3000;

// First stage (loop running): every coil and lamp off and sent, then the loop stops. Second
// stage (loop stopped): the end of the program: outputs off, the final trace line, the board
// closed, sound and display released, the application asked to quit. The second stage runs once.
void FormClose(Machine& m);

// c0 "Test Push": its sound, the media step ended, a running game ended, everything off, the
// dashboard run modally; then everything off again, the pointer hidden and unclipped, the attract
// media 7 s ahead, the layout reloaded when the dashboard saved it, the backglass redrawn.
void dashboardWayOut(Machine& m);

// c6 "Test Inter": a beep, then FormClose.
void testInterWayOut(Machine& m);

// The start button's hold: re-scans the matrix while c5 stays closed (keeping the coil engine's
// pulses on time). Returns true when c5 opened within 5 s (the press goes on as a normal start);
// otherwise runs the shutdown and returns false.
bool waitStartRelease(Machine& m);

// The start button held 5 s: the record hidden, one frame, the shutdown screen, 3 s, the
// power-off command; then the program ends (outputs off).
void shutdownWayOut(Machine& m);

// The window system asks the program to end (window closed, run time over): the loop stops with
// its outputs off, any selection wait ends, and the program ends once control unwinds.
void requestQuit(Machine& m);

// Every coil and lamp off and sent to the board at once.
void allOutputsOff(Machine& m);

} // namespace pinstage
