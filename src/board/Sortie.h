// One coil output as the coil engine drives it.
#pragma once

#include "config/CoilsRecord.h"

#include <cstdint>
#include <string>

namespace pinstage {

constexpr int kCoilByteCount = 3;

struct Sortie {
    uint8_t byteIndex = 0; // coil byte 0..2, i.e. board port 3..5
    uint8_t mask = 0;      // one bit
    uint32_t restMs = 0;   // least time from the end of one pulse to the start of the next
    uint32_t pulseMs = 0;  // how long the coil stays energised
    uint8_t autoRelease = 0;
    uint8_t repeat = 0;       // extra pulses still to give
    uint32_t activatedAt = 0; // 0 = not energised by the pulse engine
    uint8_t switchedOn = 0;   // 1 = held on
    std::string name;         // UTF-8
};

inline bool isSingleBit(uint8_t mask) {
    return mask != 0 && (mask & (mask - 1)) == 0;
}

// An output whose byte or mask is outside the port bytes stays inert.
inline bool isWired(const Sortie& s) {
    return s.byteIndex < kCoilByteCount && isSingleBit(s.mask);
}

} // namespace pinstage
