// Clean-up at start of the temporaries "NAME.tmp-PID" that an interrupted save (power cut, crash)
// left beside the file it was replacing.
#pragma once

#include "platform/DataRoot.h"

#include <filesystem>

namespace pinstage {

// Removes from dir the temporaries no save can still finish: their process has ended, or the
// process now holding that number started after the file was last written (a number given again,
// after a reboot for instance). Returns how many were removed.
int removeStaleTemporaries(const std::filesystem::path& dir);

// The same in the root and each of its sub-directories.
int removeStaleTemporaries(const DataRoot& root);

} // namespace pinstage
