// Rectangles in screen pixels and the mapping of backglass design coordinates onto the screen.
#pragma once

#include <cstdint>
#include <optional>

namespace pinstage {

struct FrontonRecord;
struct FrontonElement;

// left, top, right, bottom; right and bottom excluded.
struct PixelRect {
    int32_t left{};
    int32_t top{};
    int32_t right{};
    int32_t bottom{};

    // 64-bit so that bounds read from a damaged file cannot overflow.
    int64_t width() const { return int64_t(right) - left; }
    int64_t height() const { return int64_t(bottom) - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const PixelRect&) const = default;
};

struct ScreenSize {
    int32_t width{};
    int32_t height{};
    bool operator==(const ScreenSize&) const = default;
};

// The largest side a picture's source rectangle may have; anything larger is a damaged layout.
constexpr int64_t kLargestPictureSide = 65536;

// The size of a picture's source rectangle, computed in 64 bits from the layout's values; nullopt when
// it is empty, reversed or larger than any picture, so that a damaged layout means "no picture".
std::optional<ScreenSize> pictureSourceSize(const FrontonElement& picture);

// Design coordinates are those of the background picture's source rectangle (1360 x 768 with the
// built-in layout); x maps to trunc(x * screen width / design width), y likewise.
class DesignMapping {
public:
    DesignMapping() = default;
    // A design size that is not positive maps one to one, so a broken layout cannot divide by zero.
    DesignMapping(ScreenSize screen, ScreenSize design);
    // The design size read from picture 0 of the layout; one to one when that rectangle does not fit.
    static DesignMapping fromLayout(ScreenSize screen, const FrontonRecord& layout);

    ScreenSize screen() const { return screen_; }
    ScreenSize design() const { return design_; }

    int32_t toScreenX(int32_t x) const { return scale(x, screen_.width, design_.width); }
    int32_t toScreenY(int32_t y) const { return scale(y, screen_.height, design_.height); }
    // Screen pixels back to design units, rounded to the nearest unit so a mapped bound comes back.
    int32_t toDesignX(int32_t x) const { return unscale(x, screen_.width, design_.width); }
    int32_t toDesignY(int32_t y) const { return unscale(y, screen_.height, design_.height); }

    // An element's display rectangle on the screen. On an axis where the element is larger than the
    // design it keeps its design coordinates unscaled.
    PixelRect mapElement(const FrontonElement& e) const;
    PixelRect mapRect(const PixelRect& design) const;

private:
    static int32_t scale(int32_t v, int32_t screen, int32_t design);
    static int32_t unscale(int32_t v, int32_t screen, int32_t design);

    ScreenSize screen_{};
    ScreenSize design_{};
};

// The display rectangle of an element, in design units.
PixelRect displayRect(const FrontonElement& e);

} // namespace pinstage
