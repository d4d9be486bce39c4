// Paths handed to Qt: UTF-16 on every platform, so accented names survive.
#pragma once

#include <QString>
#include <filesystem>

namespace pinstage {

inline QString toQString(const std::filesystem::path& p) {
    return QString::fromStdU16String(p.u16string());
}

} // namespace pinstage
