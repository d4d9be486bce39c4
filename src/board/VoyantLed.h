// One lamp as the lamp engine drives it, with its blink cycle.
#pragma once

#include "board/Sortie.h"
#include "config/LampsRecord.h"

#include <cstdint>
#include <string>

namespace pinstage {

constexpr int kLampByteCount = 8;

// Mode flags: off phase, on phase, blinking; bit 3 is kept; bits 4-7 count the blink cycles left.
constexpr uint8_t kLampOffPhase = 0x01;
constexpr uint8_t kLampOnPhase = 0x02;
constexpr uint8_t kLampBlinking = 0x04;
constexpr uint8_t kLampKeptOnSwitch = 0x0B;
constexpr uint8_t kLampCycleUnit = 0x10;
constexpr uint8_t kLampCycleMask = 0xF0;

struct VoyantLed {
    uint8_t flags = 0;
    uint32_t offMs = 0;
    uint32_t onMs = 0;
    uint32_t onStart = 0;
    uint32_t offStart = 0;
    uint8_t byteIndex = 0; // lamp byte 0..7
    uint8_t mask = 0;      // one bit
    std::string name;      // UTF-8
    uint8_t lit = 0;       // 1 = switched on
};

inline bool isWired(const VoyantLed& l) {
    return l.byteIndex < kLampByteCount && isSingleBit(l.mask);
}

} // namespace pinstage
