// The lamps file "VoyantsParam.fli": 64 lamps as a structure of arrays, 2816 bytes.
#pragma once

#include "config/ByteCodec.h"

#include <array>
#include <cstdint>

namespace pinstage {

constexpr int kLampCount = 64;
constexpr size_t kLampsRecordSize = 2816;

struct LampsRecord {
    std::array<uint8_t, kLampCount> flags{};      // offset 0: mode flags, cycles in bits 4-7
    std::array<uint32_t, kLampCount> offMs{};     // offset 64
    std::array<uint32_t, kLampCount> onMs{};      // offset 320
    std::array<uint32_t, kLampCount> onStart{};   // offset 576
    std::array<uint32_t, kLampCount> offStart{};  // offset 832
    std::array<uint8_t, kLampCount> byteIndex{};  // offset 1088: lamp byte 0..7
    std::array<uint8_t, kLampCount> mask{};       // offset 1152: one bit 0x01..0x80
    std::array<TextSlot<25>, kLampCount> names{}; // offset 1216
};

} // namespace pinstage
