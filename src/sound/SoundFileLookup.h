// Finds a sound file named by a record inside the sounds directory. Names come from files and
// are untrusted: only plain names of that directory are accepted.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace pinstage {

// The file `nameUtf8` of `dir`: the exact name first, else the one entry whose name matches
// ignoring ASCII case (names were written on a system that ignores case). nullopt for an empty
// name, ".", "..", or a name holding a path separator.
std::optional<std::filesystem::path> findSoundFile(const std::filesystem::path& dir,
                                                   const std::string& nameUtf8);

} // namespace pinstage
