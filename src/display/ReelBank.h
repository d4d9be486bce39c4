// The five reel counters of the backglass (players 1-4, credits) and the shared stepping state:
// one digit step at a time per counter, ticks of 13 ms or more, and the score-motor cadence.
#pragma once

#include "config/PentacleTable.h"
#include "display/Compteur.h"
#include "display/ReelSounds.h"
#include "display/ScreenMapping.h"

#include <array>
#include <cstdint>
#include <functional>

namespace pinstage {

struct FrontonRecord;

class ReelBank {
public:
    static constexpr int kCounterCount = 5;
    static constexpr int kPlayerCounters = 4;
    static constexpr int kCreditCounter = 4;
    static constexpr int kReelSpeed = 10;
    static constexpr int32_t kCadenceStart = 30;
    static constexpr uint32_t kTickPeriod = 12;  // a tick when more than 12 ms have passed
    static constexpr uint32_t kDigitPause = 30;  // after every sixth tick
    static constexpr uint32_t kMotorPause = 100; // after every fifth digit
    static constexpr std::array<int, kCounterCount> kFirstElements = element::kCounterFirstReels;
    static constexpr std::array<int, kCounterCount> kElementCounts = element::kCounterReelCounts;

    // Builds the counters from the layout: a counter has as many reels as it has elements with a
    // picture; its units reel lies on its first element and each next reel one pitch to the left.
    // Every reel starts at 0 and its element's reel window is set to match.
    void build(FrontonRecord& layout, const DesignMapping& mapping, ReelSounds sounds);
    // Drops every counter (display released).
    void release();
    bool built() const { return built_; }

    Compteur* counter(int c);
    const Compteur* counter(int c) const;
    Rouleau* reel(int c, int k);

    // Starts at most one queued digit step per counter, unless a step is still in progress.
    void startReelSteps();
    // One animation tick of every moving reel when its time has come.
    void animateReels(uint32_t now);
    // True when no reel has queued steps or pixels left; then the cadence starts again.
    bool reelsIdle();
    // On one counter: every ten queued steps on a reel become one on the next reel.
    void carryPendingTens(int counter);
    // Sum of digit(k) * 10^k over the first reelCount reels of a counter; 0 for a missing counter.
    int64_t counterValue(int counter, int reelCount) const;
    // The four score counters at 0 at once, nothing queued.
    void clearScoreReels();
    // Copies each reel's window into its element's reel window fields.
    void copyWindowsToLayout(FrontonRecord& layout) const;

    // Shared state, read and reset by the game.
    uint8_t stepInProgress = 0;
    uint32_t tickTime = 0;
    int32_t cadence = kCadenceStart;
    // Cleared by the game when a ball is served; set by the first forward step of a player counter.
    uint8_t ballHasScored = 0;
    // Called when that first step starts: the game puts the shoot-again lamp out and hides its text.
    std::function<void()> onBallScored;

private:
    bool startCounterStep(Compteur& c);

    std::array<Compteur, kCounterCount> counters_{};
    bool built_ = false;
};

} // namespace pinstage
