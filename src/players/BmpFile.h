// 24-bit bitmap files: the bytes of an uncompressed BMP from RGB pixels, written power-safe.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace pinstage {

// rgb holds height rows of width pixels, top row first, 3 bytes (R, G, B) per pixel, rows of
// rowStride bytes. The file is bottom-up BGR with rows padded to 4 bytes, 72 dpi. Empty when the
// sizes do not fit the buffer.
std::vector<uint8_t> encodeBmp24(int width, int height, std::span<const uint8_t> rgb, size_t rowStride);

// Encodes and writes through a temporary file and a rename. False when nothing was written.
bool writeBmp24(const std::filesystem::path& path, int width, int height, std::span<const uint8_t> rgb,
                size_t rowStride);

} // namespace pinstage
