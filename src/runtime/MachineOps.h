// Small operations every part of the runtime uses on the Machine: backglass element flags,
// sounds by game function, credits, and the trace.
#pragma once

#include "runtime/Machine.h"

#include <string>

namespace pinstage {

// Backglass elements the game addresses by number.
namespace element {
constexpr int kBackground = 0;
constexpr int kTitle = 1;
constexpr int kFirstReel = 2;
constexpr int kCreditUnitsReel = 30;
constexpr int kMultipliedBy = 32;
constexpr int kReste = 33;
constexpr int kSecondes = 34;
constexpr int kSeconde = 35;
constexpr int kTilt = 36;
constexpr int kGameOver = 37;
constexpr int kMatch = 39;
constexpr int kBallInPlay = 40;
constexpr int kShootAgain = 41;
constexpr int kPanelPlayers = 42;
constexpr int kPanelCompete = 43;
constexpr int kRecordToBeat = 44;
constexpr int kPanelDigit1 = 45;    // 45-48: players 1-4
constexpr int kLottery0 = 49;       // 49-58: digits 0-9
constexpr int kBanner1 = 59;        // 59-62: players 1-4
constexpr int kBallInPlay1 = 63;    // 63-67: balls 1-5
constexpr int kRecordMillions = 68; // 68-74: millions down to units
constexpr int kMultiplierValue = 75;
constexpr int kScoreFrame1 = 76; // 76-79
constexpr int kCreditFrame = 80;
constexpr int kSecondsHundreds = 81; // 81-83
constexpr int kLetterP = 84;         // 84-86: P, I, T
constexpr int kAdvert = 88;
} // namespace element

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
