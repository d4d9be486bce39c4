#include "players/BmpFile.h"

#include "platform/FileIo.h"

namespace pinstage {

namespace {
void put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k)
        b[at + size_t(k)] = uint8_t(v >> (8 * k));
}
} // namespace

std::vector<uint8_t> encodeBmp24(int width, int height, std::span<const uint8_t> rgb, size_t rowStride) {
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384 || rowStride < size_t(width) * 3 ||
        rgb.size() < rowStride * size_t(height - 1) + size_t(width) * 3)
        return {};
    const size_t fileRow = (size_t(width) * 3 + 3) & ~size_t(3);
    const size_t imageSize = fileRow * size_t(height);
    std::vector<uint8_t> b(54 + imageSize, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, uint32_t(b.size()));
    put32(b, 10, 54);
    put32(b, 14, 40);
    put32(b, 18, uint32_t(width));
    put32(b, 22, uint32_t(height));
    put16(b, 26, 1);
    put16(b, 28, 24);
    put32(b, 34, uint32_t(imageSize));
    put32(b, 38, 2835); // 72 dpi
    put32(b, 42, 2835);
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = rgb.data() + rowStride * size_t(y);
        uint8_t* dst = b.data() + 54 + fileRow * size_t(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x];
        }
    }
    return b;
}

bool writeBmp24(const std::filesystem::path& path, int width, int height, std::span<const uint8_t> rgb,
                size_t rowStride) {
    auto bytes = encodeBmp24(width, height, rgb, rowStride);
    return !bytes.empty() && writeFileAtomically(path, bytes);
}

} // namespace pinstage
