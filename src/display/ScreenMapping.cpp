// Design-to-screen mapping with truncation, as the backglass layout is drawn on any screen size.
#include "display/ScreenMapping.h"

#include "config/FrontonParams.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace pinstage {

DesignMapping::DesignMapping(ScreenSize screen, ScreenSize design) : screen_(screen), design_(design) {}

std::optional<ScreenSize> pictureSourceSize(const FrontonElement& picture) {
    int64_t w = int64_t(picture.sourceRight) - picture.sourceLeft;
    int64_t h = int64_t(picture.sourceBottom) - picture.sourceTop;
    if (w <= 0 || h <= 0 || w > kLargestPictureSide || h > kLargestPictureSide)
        return std::nullopt;
    return ScreenSize{int32_t(w), int32_t(h)};
}

DesignMapping DesignMapping::fromLayout(ScreenSize screen, const FrontonRecord& layout) {
    return DesignMapping(screen, pictureSourceSize(layout.elements[0]).value_or(ScreenSize{}));
}

int32_t DesignMapping::scale(int32_t v, int32_t screen, int32_t design) {
    if (design <= 0)
        return v;
    // 64-bit product: a corrupted coordinate must not overflow.
    int64_t r = int64_t(v) * int64_t(screen) / int64_t(design);
    return int32_t(std::clamp<int64_t>(r, INT32_MIN, INT32_MAX));
}

int32_t DesignMapping::unscale(int32_t v, int32_t screen, int32_t design) {
    if (design <= 0 || screen <= 0)
        return v;
    double r = std::round(double(v) * double(design) / double(screen));
    return int32_t(std::clamp<double>(r, INT32_MIN, INT32_MAX));
}

PixelRect DesignMapping::mapRect(const PixelRect& d) const {
    PixelRect s = d;
    if (d.width() <= design_.width) {
        s.left = toScreenX(d.left);
        s.right = toScreenX(d.right);
    }
    if (d.height() <= design_.height) {
        s.top = toScreenY(d.top);
        s.bottom = toScreenY(d.bottom);
    }
    return s;
}

PixelRect DesignMapping::mapElement(const FrontonElement& e) const {
    return mapRect(displayRect(e));
}

PixelRect displayRect(const FrontonElement& e) {
    return {e.displayLeft, e.displayTop, e.displayRight, e.displayBottom};
}

} // namespace pinstage
