// The flipper and start buttons answering a modal box: while a box is up a timer scans the
// buttons and synthesises the keys the box understands; a timed Escape closes a box by itself.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

constexpr uint32_t kModalKeyRepeatMs = 200;

// One tick of the box timer outside the splash: the due Escape; then the direct switches and the
// matrix are scanned; a start press plays "gongo.wav" and synthesises Enter; a held flipper button
// plays "ting.wav" and synthesises Tab, at most every 200 ms (shared by both buttons).
void modalButtonsStep(Machine& m);

// An Escape synthesised once delayMs have passed (by the box timer or the main loop).
void requestEscape(Machine& m, uint32_t delayMs);
// The due Escape, if any: synthesised and the request cleared. True when it was sent.
bool serveEscapeRequest(Machine& m);

} // namespace pinstage
