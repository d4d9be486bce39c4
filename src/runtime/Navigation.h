// The flipper buttons outside a game: the key cursor of the on-screen keyboard moved with the
// typematic timing of the buttons, the two-button long press that ends the main loop, and the
// mouse pointer with its balanced shown/hidden state.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

// Keys per row of the on-screen keyboard (keyPositions).
constexpr std::array<int, 5> kKeyRowLengths{14, 14, 14, 13, 2};
constexpr uint32_t kLongPressMs = 5000;

// One navigation step from the levels of the two flipper buttons (dryInputs bit 0 = c64,
// bit 7 = c71): c64 moves the key cursor forward, c71 backward; one step per press, then after
// 1 s held one step every 100 ms; both held more than 5 s with no game clear mainLoopRunning.
void PasClavierFlipper(Machine& m);

// The key cursor moved by n keys, wrapping across rows; the pointer follows.
void moveKeyForward(Machine& m, int n);
void moveKeyBackward(Machine& m, int n);

// The pointer moved to a screen point (cursorPoint, SetCursorPos).
void moveCursorTo(Machine& m, int32_t x, int32_t y);

// Shows or hides the pointer; the host hears only real changes, so shows and hides stay balanced.
void setCursorVisible(Machine& m, bool shown);

} // namespace pinstage
