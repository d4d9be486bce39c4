// Where a photo may be written: a .bmp file inside the photo directory, nowhere else.
#pragma once

#include <filesystem>
#include <optional>

namespace pinstage {

// The requested path (relative ones are taken in the photo directory) made absolute and checked:
// it must lie below the photo directory once "..", "." and symbolic links are resolved, name a
// file and end in ".bmp" (any case). nullopt when it does not.
std::optional<std::filesystem::path> photoPathInside(const std::filesystem::path& photoDir,
                                                     const std::filesystem::path& requested);

} // namespace pinstage
