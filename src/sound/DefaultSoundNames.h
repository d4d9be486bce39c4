// The built-in WAV file name of each sound number (the sound table's defaults), and the two
// files played as system sounds.
#pragma once

#include <string>
#include <vector>

namespace pinstage {

// "rouleau.wav" for sound 0 ...; numbers outside 0-63 have no name (empty).
std::string defaultSoundFileName(int sound);

// Every distinct file the built-in table names, in first-use order.
std::vector<std::string> defaultSoundFiles();

// Played through the system voice on the selection screen and by the modal-message watcher.
inline constexpr const char* kStartButtonSound = "gongo.wav";
inline constexpr const char* kFlipperButtonSound = "ting.wav";

} // namespace pinstage
