// The TEST buttons of the sounds grid: which sounds were asked for, which this page started, and
// which captions must turn back from "PLAY" to "TEST". The dashboard's timer plays them without
// ever waiting: a caption turns back on the first tick 300 ms after its sound started.
#pragma once

#include "config/SoundsRecord.h"

#include <array>
#include <cstdint>
#include <vector>

namespace pinstage {

class SoundSystem;

constexpr uint8_t kSoundTestRequested = 0x01;
constexpr uint8_t kSoundTestPlayed = 0x02;
constexpr uint8_t kSoundTestRedraw = 0x04;
constexpr uint32_t kSoundTestCaptionMs = 300;

struct SoundTestState {
    std::array<uint8_t, kSoundCount> bits{};
    std::array<uint32_t, kSoundCount> startedAt{};
    int lastRow = 0; // grid row of the last click; 0 = none
};

// A click on sound n's button in grid row `row`; false (nothing recorded) outside 0-63.
bool requestSoundTest(SoundTestState& s, int sound, int row);

// One timer tick. Each requested sound: every sound this page started is stopped, then it plays
// once (without a sound system nothing is heard, the buttons still answer). Returns the sounds
// whose caption must show "TEST" again now, their redraw bit consumed.
std::vector<int> runSoundTests(SoundTestState& s, SoundSystem* sound, uint32_t now);

} // namespace pinstage
