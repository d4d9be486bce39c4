// The combinations file "CombinaisonsParam.fli": 32 combinations of contacts, 3104 bytes. Loaded
// and defaulted, but the table rules of the program drive the game, not this record.
#pragma once

#include "config/ByteCodec.h"

#include <array>
#include <cstdint>

namespace pinstage {

constexpr int kCombinationCount = 32;
constexpr size_t kCombinationCoilWidth = 5;
constexpr size_t kCombinationLampWidth = 10;
constexpr size_t kCombinationLinkWidth = 5;
constexpr size_t kCombinationsRecordSize = 3104;

// Defaults chosen outside the ranges of sounds, coils (0-23), lamps (0-63) and combinations (0-31).
constexpr uint32_t kCombinationNoSound = 95;
constexpr uint8_t kCombinationNoCoil = 30;
constexpr uint32_t kCombinationNoDelay = 31;
constexpr uint8_t kCombinationNoLampOn = 80;
constexpr uint8_t kCombinationNoLampOff = 81;
constexpr uint8_t kCombinationNoLampToggled = 82;
constexpr uint8_t kCombinationNoLink = 55;

struct CombinationsRecord {
    using LampRow = std::array<uint8_t, kCombinationLampWidth>;
    std::array<TextSlot<25>, kCombinationCount> names{};                                      // offset 0
    std::array<uint32_t, kCombinationCount> directScore{};                                    // offset 800
    std::array<uint32_t, kCombinationCount> bonusSteps{};                                     // offset 928
    std::array<uint32_t, kCombinationCount> soundNumber{};                                    // offset 1056
    std::array<std::array<uint8_t, kCombinationCoilWidth>, kCombinationCount> coils{};        // offset 1184
    std::array<std::array<uint32_t, kCombinationCoilWidth>, kCombinationCount> coilDelayMs{}; // offset 1344
    std::array<LampRow, kCombinationCount> lampsOn{};                                         // offset 1984
    std::array<LampRow, kCombinationCount> lampsOff{};                                        // offset 2304
    std::array<LampRow, kCombinationCount> lampsToggled{};                                    // offset 2624
    std::array<std::array<uint8_t, kCombinationLinkWidth>, kCombinationCount> combinations{}; // offset 2944
};

} // namespace pinstage
