// Small operations every part of the runtime uses on the Machine: backglass element flags,
// sounds by game function, credits, and the trace.
#pragma once

#include "config/PentacleTable.h"
#include "runtime/Machine.h"

#include <string>

namespace pinstage {

// Asks the next frame to show or hide element e (its shown and dirty flags); out of range: nothing.
void showElement(Machine& m, int e);
void hideElement(Machine& m, int e);
void setElementShown(Machine& m, int e, bool shown);
bool elementShown(const Machine& m, int e);
// Shows element e as digit d (0-9) at the next frame; d outside 0-9 gives it back its own picture.
void showElementDigit(Machine& m, int e, int d);
// The seven record digits (millions first) show the value, cut to its last seven digits.
void showRecordDigits(Machine& m, uint32_t value);

// Game-function sounds; silent without a sound system or when the function has no sound.
void playFunctionOnce(Machine& m, int function);
void restartFunction(Machine& m, int function);
void loopFunction(Machine& m, int function);
void stopFunction(Machine& m, int function);
bool functionPlaying(const Machine& m, int function);
int32_t functionDuration(const Machine& m, int function);
void playSystemSound(Machine& m, const std::string& fileNameUtf8);

// The credit counter's digits, stepped and saved at once to the accounting file in use.
void creditUp(Machine& m);
void creditDown(Machine& m);

// A trace line at the current time, when tracing.
void trace(Machine& m, const std::string& text);
inline bool tracing(const Machine& m) {
    return m.hooks.trace->enabled();
}

// A stored deadline (a time ahead, not a start and a period) has passed when now is later than
// it, wrap-safe within 24 days; 0 means "no deadline" and counts as passed.
inline bool deadlinePassed(uint32_t now, uint32_t deadline) {
    return deadline == 0 || int32_t(now - deadline) > 0;
}

inline bool gameRunning(const Machine& m) {
    return m.game.playersDoneMask != kNoGame;
}

} // namespace pinstage
