// Symbol surfaces in memory: pictures turned into premultiplied ARGB with pure blue made
// transparent, and the loading of a picture file into an existing surface.
#pragma once

#include <filesystem>
#include <string>

class QImage;

namespace pinstage {

// Pure blue (red 0, green 0, blue 255) is the transparent colour of every symbol picture.
inline constexpr unsigned kTransparentBlue = 0xFF0000FFu;

// The picture as a symbol surface: Format_ARGB32_Premultiplied with every pure blue pixel made
// fully transparent, once, so that drawing needs no colour-key test.
QImage toSymbolSurface(const QImage& picture);

// Draws a bitmap file into an existing surface, stretched to the surface's size. False, with the
// reason in debugMessage when given, when the surface is not RGB of 16 bits or more, the file
// cannot be read or the copy fails; nothing is raised.
bool loadImageIntoSurface(QImage& surface, const std::filesystem::path& file,
                          std::string* debugMessage = nullptr);

} // namespace pinstage
