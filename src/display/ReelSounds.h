// The two sounds every score reel plays: the click of a digit step and the transfer of a carry.
#pragma once

namespace pinstage {

class SoundEngine;

struct ReelSounds {
    SoundEngine* engine = nullptr; // none: the reels roll silently
    int click = -1;                // sound number of game function 0, -1 = none
    int transfer = -1;             // sound number of game function 1, -1 = none
};

} // namespace pinstage
