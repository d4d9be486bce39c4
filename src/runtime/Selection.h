// The table selection screen: its drawing, its wait for the start button and its 50 ms step
// (coin, game-over switch, start, the two flipper buttons with their timing, circular choice).
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

// Draws the screen (laid out on the host's screen size) and waits, delivering window events,
// until selectionWaiting is cleared (by selectionTick or a quit request).
void showSelectionScreen(Machine& m);

// Lays the screen out and asks the host to draw it with the frame on configurationNumber; the
// pointer goes to the centre of the current choice.
void drawSelectionScreen(Machine& m);

// One step of the screen, after the start-up tick has scanned the switches: c4 adds a credit,
// c1 ends the program, c5 chooses; c64 goes to the previous choice and c71 to the next (a press
// moves one choice; presses within 400 ms of the last move are dropped; after 1 s held, one move
// every 200 ms).
void selectionTick(Machine& m);

} // namespace pinstage
