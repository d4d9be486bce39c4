// The sound table "SonsParam.fli": 96 entries of 112 bytes, of which 95 are stored (10 640 bytes).
// Entry i is both sound i (0-63: the WAV file to load) and game function i (0-95: the sound it plays).
#pragma once

#include "config/ByteCodec.h"

#include <array>
#include <cstdint>

namespace pinstage {

constexpr int kSoundCount = 64;
constexpr int kSoundFunctionCount = 96;
constexpr int kStoredSoundEntries = 95;
constexpr size_t kSoundEntrySize = 112;
constexpr size_t kSoundsFileSize = kStoredSoundEntries * kSoundEntrySize; // 10 640
constexpr int32_t kNoSound = 255;

struct SoundEntry {
    TextSlot<25> fileName; // offset 0, used by entries 0-63
    TextSlot<83> label;    // offset 25
    int32_t soundNumber{}; // offset 108: 0-63, or 255 = none
};

struct SoundsRecord {
    std::array<SoundEntry, kSoundFunctionCount> entries{};
};

// The sound number game function f plays, or -1 when none or out of range (never indexes past 0-63).
inline int soundOfFunction(const SoundsRecord& r, int function) {
    if (function < 0 || function >= kSoundFunctionCount)
        return -1;
    int32_t n = r.entries[size_t(function)].soundNumber;
    return (n >= 0 && n < kSoundCount) ? int(n) : -1;
}

} // namespace pinstage
