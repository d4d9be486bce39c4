// Design-to-screen mapping with truncation, as the backglass layout is drawn on any screen size.
#include "display/ScreenMapping.h"

#include "config/FrontonParams.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace pinstage {

DesignMapping::DesignMapping(ScreenSize screen, ScreenSize design) : screen_(screen), design_(design) {}

DesignMapping DesignMapping::fromLayout(ScreenSize screen, const FrontonRecord& layout) {
    const FrontonElement& picture0 = layout.elements[0];
    return DesignMapping(
        screen, {picture0.sourceRight - picture0.sourceLeft, picture0.sourceBottom - picture0.sourceTop});
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
