// Reel stepping: digit steps with carries, ticks with the score-motor pauses, pending tens.
#include "display/ReelBank.h"

#include "config/FrontonParams.h"

#include <algorithm>
#include <climits>

namespace pinstage {

namespace {

// A time set in the future (a pause) must read as "not yet", so the difference is taken signed.
bool laterThan(uint32_t now, uint32_t start, uint32_t period) {
    return int32_t(uint32_t(now - start - period)) > 0;
}

} // namespace

void ReelBank::build(FrontonRecord& layout, const DesignMapping& mapping, ReelSounds sounds) {
    for (int c = 0; c < kCounterCount; ++c) {
        int first = kFirstElements[size_t(c)];
        int count = 0;
        for (int k = 0; k < kElementCounts[size_t(c)]; ++k)
            if (elementPicture(layout.elements[size_t(first + k)]))
                ++count;
        const FrontonElement& e0 = layout.elements[size_t(first)];
        const FrontonElement& e1 = layout.elements[size_t(first + 1)];
        int64_t designWidth = mapping.design().width;
        int64_t pitch = int64_t(e0.displayRight) - e1.displayRight;
        if (designWidth > 0)
            pitch = int64_t(mapping.screen().width) * pitch / designWidth;
        PixelRect rect = mapping.mapElement(e0);
        std::vector<Rouleau> reels;
        for (int k = 0; k < count; ++k) {
            reels.emplace_back(rect, kReelSpeed, &layout.elements[size_t(first + k)], sounds);
            rect.left = int32_t(rect.left - pitch);
            rect.right = int32_t(rect.right - pitch);
        }
        counters_[size_t(c)] = Compteur(first, std::move(reels));
    }
    stepInProgress = 0;
    cadence = kCadenceStart;
    built_ = true;
}

void ReelBank::release() {
    counters_ = {};
    stepInProgress = 0;
    cadence = kCadenceStart;
    built_ = false;
}

Compteur* ReelBank::counter(int c) {
    return (c >= 0 && c < kCounterCount) ? &counters_[size_t(c)] : nullptr;
}

const Compteur* ReelBank::counter(int c) const {
    return (c >= 0 && c < kCounterCount) ? &counters_[size_t(c)] : nullptr;
}

Rouleau* ReelBank::reel(int c, int k) {
    Compteur* counter = this->counter(c);
    return counter ? counter->reel(k) : nullptr;
}

bool ReelBank::startCounterStep(Compteur& c) {
    auto& reels = c.reels();
    size_t n = reels.size();
    size_t k = 0;
    while (k < n && reels[k].forwardSteps <= 0 && reels[k].backwardSteps <= 0)
        ++k;
    if (k == n)
        return false;
    if (reels[k].forwardSteps > 0) {
        for (size_t j = k; j < n && reels[j].forwardSteps > 0; ++j) {
            Rouleau& r = reels[j];
            r.forwardSteps -= 1;
            r.digit = int8_t(r.digit + 1);
            r.forwardPixels += Rouleau::kCellHeight;
            if (r.digit < 10)
                break;
            r.digit = 0;
            if (j + 1 < n)
                reels[j + 1].forwardSteps += 1; // the highest reel's carry is dropped
        }
        return true;
    }
    for (size_t j = k; j < n && reels[j].backwardSteps > 0; ++j) {
        Rouleau& r = reels[j];
        r.backwardSteps -= 1;
        r.digit = int8_t(r.digit - 1);
        r.backwardPixels += Rouleau::kCellHeight;
        if (r.digit >= 0)
            break;
        r.digit = 9;
        if (j + 1 < n)
            reels[j + 1].backwardSteps += 1;
    }
    return true;
}

void ReelBank::startReelSteps() {
    if (stepInProgress)
        return;
    bool started = false;
    for (int c = 0; c < kCounterCount; ++c) {
        Compteur& counter = counters_[size_t(c)];
        const Rouleau* lowest = nullptr;
        for (const Rouleau& r : counter.reels())
            if (r.forwardSteps > 0 || r.backwardSteps > 0) {
                lowest = &r;
                break;
            }
        bool forward = lowest && lowest->forwardSteps > 0;
        if (!startCounterStep(counter))
            continue;
        started = true;
        if (forward && c < kPlayerCounters && ballHasScored == 0) {
            ballHasScored = 1;
            if (onBallScored)
                onBallScored();
        }
    }
    // Only a started step holds the next ones back: the flag is cleared when a step ends.
    if (started)
        stepInProgress = 1;
}

bool ReelBank::reelsIdle() {
    for (const Compteur& c : counters_)
        if (!c.idle())
            return false;
    cadence = kCadenceStart;
    return true;
}

void ReelBank::animateReels(uint32_t now) {
    reelsIdle();
    if (!laterThan(now, tickTime, kTickPeriod))
        return;
    tickTime = now;
    for (Compteur& c : counters_)
        for (Rouleau& r : c.reels()) {
            if (r.forwardPixels >= 1)
                r.forwardTick(stepInProgress);
            else if (r.backwardPixels > 0)
                r.backwardTick(stepInProgress);
        }
    cadence -= 1;
    if (cadence == 24 || cadence == 18 || cadence == 12 || cadence == 6)
        tickTime = now + kDigitPause;
    else if (cadence <= 0) {
        cadence = kCadenceStart;
        tickTime = now + kMotorPause;
    }
}

void ReelBank::carryPendingTens(int c) {
    Compteur* counter = this->counter(c);
    if (!counter)
        return;
    auto& reels = counter->reels();
    // Ten steps at a time, in one division: a huge count read back from a game must not spin.
    auto carry = [](int32_t& steps, int32_t& next) {
        if (steps <= 9)
            return;
        int32_t tens = steps / 10;
        steps -= tens * 10;
        next = int32_t(std::min<int64_t>(int64_t(next) + tens, INT32_MAX));
    };
    for (size_t k = 0; k + 1 < reels.size(); ++k) {
        carry(reels[k].forwardSteps, reels[k + 1].forwardSteps);
        carry(reels[k].backwardSteps, reels[k + 1].backwardSteps);
    }
}

int64_t ReelBank::counterValue(int c, int reelCount) const {
    const Compteur* counter = this->counter(c);
    return counter ? counter->value(reelCount) : 0;
}

void ReelBank::clearScoreReels() {
    for (int c = 0; c < kPlayerCounters; ++c)
        for (Rouleau& r : counters_[size_t(c)].reels())
            r.clear();
}

void ReelBank::copyWindowsToLayout(FrontonRecord& layout) const {
    for (const Compteur& c : counters_)
        for (int k = 0; k < c.reelCount(); ++k) {
            int e = c.firstElement() + k;
            if (e < 0 || e >= kFrontonElementCount)
                continue;
            const PixelRect& w = c.reel(k)->window();
            FrontonElement& el = layout.elements[size_t(e)];
            el.reelWindowLeft = w.left;
            el.reelWindowTop = w.top;
            el.reelWindowRight = w.right;
            el.reelWindowBottom = w.bottom;
        }
}

} // namespace pinstage
