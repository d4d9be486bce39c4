// The TEST buttons' play and caption timing.
#include "dashboard/SoundTestButtons.h"

#include "sound/SoundSystem.h"

namespace pinstage {

bool requestSoundTest(SoundTestState& s, int sound, int row) {
    if (sound < 0 || sound >= kSoundCount)
        return false;
    s.bits[size_t(sound)] |= kSoundTestRequested;
    s.lastRow = row;
    return true;
}

std::vector<int> runSoundTests(SoundTestState& s, SoundSystem* sound, uint32_t now) {
    for (int n = 0; n < kSoundCount; ++n) {
        uint8_t& bits = s.bits[size_t(n)];
        if (!(bits & kSoundTestRequested))
            continue;
        if (sound)
            for (int other = 0; other < kSoundCount; ++other)
                if (s.bits[size_t(other)] & kSoundTestPlayed)
                    sound->stopSound(other);
        bits = uint8_t((bits & ~kSoundTestRequested) | kSoundTestPlayed | kSoundTestRedraw);
        s.startedAt[size_t(n)] = now;
        if (sound)
            sound->playSound(n, false);
    }
    std::vector<int> redraw;
    for (int n = 0; n < kSoundCount; ++n) {
        uint8_t& bits = s.bits[size_t(n)];
        if ((bits & kSoundTestRedraw) && uint32_t(now - s.startedAt[size_t(n)]) > kSoundTestCaptionMs) {
            bits = uint8_t(bits & ~kSoundTestRedraw);
            redraw.push_back(n);
        }
    }
    if (!redraw.empty())
        s.lastRow = 0;
    return redraw;
}

} // namespace pinstage
