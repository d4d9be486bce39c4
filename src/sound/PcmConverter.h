// Converts a WAV's samples once, at load time, to the output device's layout: signed 16-bit,
// the device's rate and channel count, interleaved.
#pragma once

#include "sound/WavReader.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace pinstage {

// nullopt when the conversion cannot be set up or yields nothing.
std::optional<std::vector<int16_t>> convertToDevice(const WavData& wav, int deviceRate, int deviceChannels);

} // namespace pinstage
