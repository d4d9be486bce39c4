// Drawing of the key faces and their encoding as 8-bit indexed BMP files.
#include "KeyFaceArt.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace pinstage {

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

// The colours of one face; the surface is a vertical gradient from `surfaceTop` to `surfaceBottom`.
struct FacePaint {
    Rgb outline, skirtSide, skirtBottom, highlight, surfaceTop, surfaceBottom;
    int shift;       // pixels the whole cap sinks down and right
    int skirtHeight; // rows of skirt below the top surface
};

constexpr Rgb Background{255, 0, 0}; // the keyboard's own gap colour, made transparent anyway

FacePaint paintOf(KeyFace face) {
    switch (face) {
    case KeyFace::Hover:
        return {
            {12, 18, 40}, {52, 78, 138}, {36, 56, 104}, {160, 184, 236}, {98, 128, 196}, {70, 98, 160}, 0, 4};
    case KeyFace::Down:
        return {{6, 8, 20}, {22, 32, 62}, {14, 22, 44}, {58, 74, 112}, {40, 56, 96}, {28, 40, 74}, 1, 2};
    case KeyFace::Normal:
    default:
        return {
            {10, 15, 32}, {36, 54, 100}, {24, 38, 74}, {118, 142, 196}, {70, 96, 152}, {48, 70, 122}, 0, 4};
    }
}

// Inclusive rectangle with rounded corners of radius r.
struct RoundRect {
    int x0, y0, x1, y1, r;
    bool contains(int x, int y) const {
        if (x < x0 || x > x1 || y < y0 || y > y1)
            return false;
        const int dx = std::max({x0 + r - x, x - (x1 - r), 0});
        const int dy = std::max({y0 + r - y, y - (y1 - r), 0});
        return dx * dx + dy * dy <= r * r + r;
    }
};

Rgb mix(Rgb a, Rgb b, int step, int steps) {
    auto blend = [&](int u, int v) { return u + (v - u) * step / std::max(steps, 1); };
    return {blend(a.r, b.r), blend(a.g, b.g), blend(a.b, b.b)};
}

using FacePixels = std::array<std::array<Rgb, KeyFaceSize>, KeyFaceSize>; // [y][x]

FacePixels drawFace(KeyFace face) {
    const FacePaint paint = paintOf(face);
    const int s = paint.shift;
    // Only the corners are shaped: columns 6 to 25 are alike, so the middle third can be repeated.
    const RoundRect cap{1 + s, 1 + s, 30, 30, 5};
    const int surfaceBottom = 30 - paint.skirtHeight;
    const RoundRect surface{3 + s, 2 + s, 28, surfaceBottom, 4};

    FacePixels pixels{};
    for (int y = 0; y < KeyFaceSize; ++y) {
        for (int x = 0; x < KeyFaceSize; ++x) {
            Rgb colour = Background;
            if (cap.contains(x, y)) {
                const bool edge = !cap.contains(x - 1, y) || !cap.contains(x + 1, y) ||
                                  !cap.contains(x, y - 1) || !cap.contains(x, y + 1);
                if (edge)
                    colour = paint.outline;
                else if (surface.contains(x, y))
                    colour = (y == surface.y0) ? paint.highlight
                                               : mix(paint.surfaceTop, paint.surfaceBottom, y - surface.y0,
                                                     surface.y1 - surface.y0);
                else
                    colour = (y > surface.y1) ? paint.skirtBottom : paint.skirtSide;
            }
            pixels[y][x] = colour;
        }
    }
    return pixels;
}

void put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, unsigned value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

} // namespace

const char* keyFaceFileName(KeyFace face) {
    switch (face) {
    case KeyFace::Hover:
        return "KeyHover.bmp";
    case KeyFace::Down:
        return "KeyDown.bmp";
    case KeyFace::Normal:
    default:
        return "KeyNormal.bmp";
    }
}

std::vector<std::uint8_t> makeKeyFaceBmp(KeyFace face) {
    const FacePixels pixels = drawFace(face);

    // Palette in order of first appearance, the background first.
    std::vector<Rgb> palette{Background};
    std::array<std::array<std::uint8_t, KeyFaceSize>, KeyFaceSize> indices{};
    for (int y = 0; y < KeyFaceSize; ++y) {
        for (int x = 0; x < KeyFaceSize; ++x) {
            auto found = std::find(palette.begin(), palette.end(), pixels[y][x]);
            if (found == palette.end()) {
                if (palette.size() == 256)
                    std::abort(); // the artwork uses a few dozen colours
                found = palette.insert(palette.end(), pixels[y][x]);
            }
            indices[y][x] = static_cast<std::uint8_t>(found - palette.begin());
        }
    }

    constexpr unsigned PaletteEntries = 256;
    constexpr unsigned HeaderBytes = 14 + 40 + PaletteEntries * 4;
    constexpr unsigned PixelBytes = KeyFaceSize * KeyFaceSize; // rows of 32 bytes need no padding
    std::vector<std::uint8_t> out;
    out.reserve(HeaderBytes + PixelBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, HeaderBytes + PixelBytes);
    put32(out, 0);
    put32(out, HeaderBytes);
    put32(out, 40);
    put32(out, KeyFaceSize);
    put32(out, KeyFaceSize); // positive: rows stored bottom-up
    put16(out, 1);
    put16(out, 8);
    put32(out, 0); // no compression
    put32(out, PixelBytes);
    put32(out, 3780); // 96 dots per inch
    put32(out, 3780);
    put32(out, PaletteEntries);
    put32(out, 0);
    for (unsigned i = 0; i < PaletteEntries; ++i) {
        const Rgb c = i < palette.size() ? palette[i] : Rgb{0, 0, 0};
        out.push_back(static_cast<std::uint8_t>(c.b));
        out.push_back(static_cast<std::uint8_t>(c.g));
        out.push_back(static_cast<std::uint8_t>(c.r));
        out.push_back(0);
    }
    for (int y = KeyFaceSize - 1; y >= 0; --y)
        out.insert(out.end(), indices[y].begin(), indices[y].end());
    return out;
}

} // namespace pinstage
