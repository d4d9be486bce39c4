// The coils file "BobinesParam.fli": 24 coils as a structure of arrays, 1320 bytes.
#pragma once

#include "config/ByteCodec.h"

#include <array>
#include <cstdint>

namespace pinstage {

constexpr int kCoilCount = 24;
constexpr size_t kCoilsRecordSize = 1320;

struct CoilsRecord {
    std::array<uint32_t, kCoilCount> byteIndex{};   // offset 0: coil byte 0..2 (low byte used)
    std::array<uint32_t, kCoilCount> mask{};        // offset 96: one bit 0x01..0x80 (low byte used)
    std::array<uint32_t, kCoilCount> restMs{};      // offset 192
    std::array<uint32_t, kCoilCount> pulseMs{};     // offset 288
    std::array<uint8_t, kCoilCount> autoRelease{};  // offset 384: 1 = a pulse consumes its request
    std::array<uint32_t, kCoilCount> repeat{};      // offset 408: extra pulses (low byte used)
    std::array<uint32_t, kCoilCount> activatedAt{}; // offset 504: ms stamp, 0 = idle
    std::array<TextSlot<30>, kCoilCount> names{};   // offset 600
};

} // namespace pinstage
