// What the program does before its window opens: the data root (created and filled at the first
// start), the default files, and the developers' picture of the backglass.
#pragma once

#include "platform/DataRoot.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace pinstage {

// Writes every default picture and sound missing from the root and the parameter files of
// configuration 0; returns the files written. PinError on a write failure.
std::vector<std::string> installDefaults(const DataRoot& root);

// The root as the program starts on it: created with its sub-directories and filled with the
// defaults when it did not exist; an existing root is used as it is, rid of the temporaries of
// saves that were cut short. True when it was created.
bool prepareDataRoot(const DataRoot& root);

// The built-in backglass at 1920 x 1080 with the scores at 0, into a PNG. PinError on failure.
void renderBackglassPicture(const DataRoot& root, const std::filesystem::path& out,
                            const std::array<uint32_t, 4>& scores, uint32_t credits);

} // namespace pinstage
