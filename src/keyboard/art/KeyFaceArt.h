// Our own artwork of the three 32 x 32 key faces, drawn pixel by pixel into 8-bit indexed BMP files.
#pragma once

#include <cstdint>
#include <vector>

namespace pinstage {

enum class KeyFace { Normal, Hover, Down };

inline constexpr int KeyFaceSize = 32;

// File name of a face in the resource folder ("KeyNormal.bmp", ...).
const char* keyFaceFileName(KeyFace face);

// The complete BMP file of a face: a rounded key cap on pure red, lighter when hovered,
// darker and sunk one pixel down and right when pressed. Same bytes on every run.
std::vector<std::uint8_t> makeKeyFaceBmp(KeyFace face);

} // namespace pinstage
