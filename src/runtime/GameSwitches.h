// Small checks the rules and the game flow share: pending closures, lamp states, play state and
// the timing of cadences whose next step may be pushed into the future.
#pragma once

#include "runtime/Machine.h"

#include <cstdint>

namespace pinstage {

inline bool closurePending(const Machine& m, int c) {
    return c >= 0 && c < kContactCount && (m.switches.contactFlags[size_t(c)] & kContactPending);
}

inline void clearClosure(Machine& m, int c) {
    if (c >= 0 && c < kContactCount)
        m.switches.contactFlags[size_t(c)] &= uint8_t(~kContactPending);
}

inline bool lampIsOn(const Machine& m, int n) {
    return n >= 0 && n < kLampCount && m.outputs.lamps[size_t(n)].lit != 0;
}

// A rule scores, lights, plays and fires only in a running, untilted game.
inline bool inPlay(const Machine& m) {
    return m.game.playersDoneMask != kNoGame && m.game.tilted == 0;
}

// The player whose reels and records the game addresses, kept inside the four players.
inline uint8_t currentPlayerIndex(const Machine& m) {
    return m.game.currentPlayer < kPlayerCount ? m.game.currentPlayer : 0;
}
inline PlayerState& currentPlayerState(Machine& m) {
    return m.game.players[currentPlayerIndex(m)];
}

// Times stored as "none" are 0, so a time taken at 0 is moved one millisecond on.
inline uint32_t timeStamp(uint32_t now) {
    return now != 0 ? now : 1;
}

// How far ahead of now a cadence may legitimately be pushed; a start further ahead than this is
// a time left unused for weeks that the clock has wrapped past.
constexpr uint32_t kLongestPushMs = 60000;

// True when more than period ms have passed since last, where last may have been set ahead of now
// to delay the next step.
inline bool cadenceDue(uint32_t now, uint32_t last, uint32_t period) {
    int64_t since = int32_t(now - last);
    return since > int64_t(period) || since < -int64_t(kLongestPushMs);
}

} // namespace pinstage
