// Builds plain PCM WAV file images: "fmt " first, then "data", as every player expects.
#pragma once

#include "sound/WavReader.h"

#include <cstdint>
#include <span>
#include <vector>

namespace pinstage {

// A 44-byte header followed by the samples (already in the format's layout).
std::vector<uint8_t> encodeWav(const PcmFormat& format, std::span<const uint8_t> samples);
// Interleaved signed 16-bit samples.
std::vector<uint8_t> encodeWav16(uint32_t sampleRate, uint16_t channels, std::span<const int16_t> samples);

} // namespace pinstage
