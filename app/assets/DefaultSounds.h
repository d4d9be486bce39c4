// The default sound set: every WAV file the built-in sound table names, plus the two system
// sounds, synthesised (16-bit PCM mono at 22050 Hz) so that a fresh data root plays.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace pinstage {

constexpr uint32_t kDefaultSoundRate = 22050;

// The samples of one default file; empty for a name the set does not hold.
std::vector<int16_t> synthesizeDefaultSound(const std::string& fileName);
// The same as a complete WAV file image.
std::vector<uint8_t> defaultSoundWav(const std::string& fileName);

// Writes each default sound missing from `soundsDir` (existing files are left alone) and
// returns the names written. Throws PinError when a file cannot be written.
std::vector<std::string> writeDefaultSounds(const std::filesystem::path& soundsDir);

} // namespace pinstage
