#include "runtime/RandomSeed.h"

#include <chrono>

namespace pinstage {

namespace {

// splitmix64's finaliser: every bit of the input reaches every bit of the output.
uint64_t mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

} // namespace

uint32_t seedFromTime() {
    static uint64_t calls = 0;
    const auto wall = uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
    const auto steady = uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
    return uint32_t(mix(wall ^ mix(steady + ++calls)) >> 32);
}

uint32_t startSeed(const std::optional<uint32_t>& given) {
    return given ? *given : seedFromTime();
}

} // namespace pinstage
