// A reel bank built on the built-in layout at 1920 x 1080, with a recording sound engine and a
// manual clock, and a driver that turns the stepper and animator like the main loop does.
#pragma once

#include "config/FrontonParams.h"
#include "display/ReelBank.h"
#include "platform/Clock.h"
#include "sound/RecordingSoundEngine.h"

#include <vector>

namespace pinstage::test {

constexpr int kClick = 3;
constexpr int kTransfer = 4;

struct ReelRig {
    FrontonRecord layout = defaultFronton();
    RecordingSoundEngine sound;
    ManualClock clock{5000};
    ReelBank bank;
    std::vector<uint32_t> tickTimes; // times at which some reel window moved

    explicit ReelRig(ReelSounds sounds = {}) {
        if (!sounds.engine)
            sounds = {&sound, kClick, kTransfer};
        bank.build(layout, DesignMapping::fromLayout({1920, 1080}, layout), sounds);
    }

    // One main-loop turn 1 ms after the last.
    void turn() {
        clock.advance(1);
        std::vector<int32_t> before = windowTops();
        bank.startReelSteps();
        bank.animateReels(clock.now());
        if (windowTops() != before)
            tickTimes.push_back(clock.now());
    }

    // Turns until every reel is idle (bounded); returns the turns taken.
    int runUntilIdle(int maxTurns = 200000) {
        int n = 0;
        while (!bank.reelsIdle() && n < maxTurns) {
            turn();
            ++n;
        }
        return n;
    }

    std::vector<int32_t> windowTops() const {
        std::vector<int32_t> tops;
        for (int c = 0; c < ReelBank::kCounterCount; ++c)
            for (const Rouleau& r : bank.counter(c)->reels())
                tops.push_back(r.window().top);
        return tops;
    }

    Rouleau& reel(int c, int k) { return *bank.reel(c, k); }
};

} // namespace pinstage::test
