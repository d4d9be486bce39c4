#include "SoundFileLookup.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace pinstage {

namespace fs = std::filesystem;

namespace {
bool sameIgnoringAsciiCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}
} // namespace

std::optional<fs::path> findSoundFile(const fs::path& dir, const std::string& nameUtf8) {
    if (nameUtf8.empty() || nameUtf8 == "." || nameUtf8 == ".." ||
        nameUtf8.find_first_of("/\\") != std::string::npos || nameUtf8.find('\0') != std::string::npos)
        return std::nullopt;
    std::error_code ec;
    fs::path exact = dir / nameUtf8;
    if (fs::is_regular_file(exact, ec))
        return exact;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (sameIgnoringAsciiCase(it->path().filename().string(), nameUtf8) && it->is_regular_file(ec))
            return it->path();
    }
    return std::nullopt;
}

} // namespace pinstage
