// The two sounds every score reel plays: the click of a digit step and the transfer of a carry.
#pragma once

#include "config/PentacleTable.h"
#include "config/SoundsRecord.h"

namespace pinstage {

class SoundEngine;

struct ReelSounds {
    SoundEngine* engine = nullptr; // none: the reels roll silently
    int click = -1;                // sound number of game function 0, -1 = none
    int transfer = -1;             // sound number of game function 1, -1 = none
};

// The reel sounds the sound table gives (a function without a sound gives none).
inline ReelSounds reelSoundsFrom(const SoundsRecord& table, SoundEngine* engine) {
    return {engine, soundOfFunction(table, fn::kReelClick), soundOfFunction(table, fn::kReelTransfer)};
}

} // namespace pinstage
