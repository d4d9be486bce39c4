// The millisecond clock every cadence of the machine reads: unsigned 32-bit, wrapping.
#pragma once

#include <chrono>
#include <cstdint>

namespace pinstage {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary origin; wraps after about 49 days.
    virtual uint32_t now() const = 0;
};

// A period has passed when now is strictly greater than start + period, wrap-safe.
inline bool periodPassed(uint32_t now, uint32_t start, uint32_t period) {
    return uint32_t(now - start) > period;
}

// Milliseconds elapsed since start, wrap-safe.
inline uint32_t elapsedSince(uint32_t now, uint32_t start) { return uint32_t(now - start); }

class SteadyClock final : public Clock {
public:
    SteadyClock() : origin_(std::chrono::steady_clock::now()) {}
    uint32_t now() const override {
        auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - origin_);
        return uint32_t(ms.count());
    }

private:
    std::chrono::steady_clock::time_point origin_;
};

// The clock of tests and simulations: time moves only when told.
class ManualClock final : public Clock {
public:
    explicit ManualClock(uint32_t start = 1000) : now_(start) {}
    uint32_t now() const override { return now_; }
    void set(uint32_t ms) { now_ = ms; }
    void advance(uint32_t ms) { now_ += ms; }

private:
    uint32_t now_;
};

} // namespace pinstage
