// The seed of the machine's random draws (the match digit): taken from the time at start, so that
// the draws differ from one power-on to the next, or given (--seed) so that a run can be replayed.
#pragma once

#include <cstdint>
#include <optional>

namespace pinstage {

// A seed that changes at every call and every start: the wall clock and the steady clock in
// nanoseconds, mixed.
uint32_t seedFromTime();

// The given seed, or one from the time.
uint32_t startSeed(const std::optional<uint32_t>& given);

} // namespace pinstage
