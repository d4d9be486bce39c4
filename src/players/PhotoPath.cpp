#include "players/PhotoPath.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

namespace pinstage {

namespace fs = std::filesystem;

std::optional<fs::path> photoPathInside(const fs::path& photoDir, const fs::path& requested) {
    if (requested.empty() || photoDir.empty())
        return std::nullopt;
    std::error_code ec;
    fs::path dir = fs::weakly_canonical(fs::absolute(photoDir, ec), ec);
    if (ec)
        return std::nullopt;
    fs::path target = requested.is_absolute() ? requested : photoDir / requested;
    target = fs::weakly_canonical(fs::absolute(target, ec), ec);
    if (ec || !target.has_filename())
        return std::nullopt;
    std::string ext = target.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (ext != ".bmp" || target.stem().empty())
        return std::nullopt;
    // Below the directory: every component of the directory starts the target, and more follows.
    auto d = dir.begin();
    auto t = target.begin();
    for (; d != dir.end(); ++d, ++t) {
        if (d->empty() && std::next(d) == dir.end())
            break; // trailing separator of the directory
        if (t == target.end() || *d != *t)
            return std::nullopt;
    }
    if (t == target.end())
        return std::nullopt;
    return target;
}

} // namespace pinstage
