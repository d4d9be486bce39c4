// Placement of the simulator window beside the backglass.
#include "simulator/WindowPlacement.h"

#include <algorithm>

namespace pinstage {

namespace {

ScreenRect intersect(const ScreenRect& a, const ScreenRect& b) {
    int x = std::max(a.x, b.x), y = std::max(a.y, b.y);
    int r = std::min(a.right(), b.right()), bt = std::min(a.bottom(), b.bottom());
    if (r <= x || bt <= y)
        return {};
    return {x, y, r - x, bt - y};
}

long long area(const ScreenRect& r) {
    return (long long)r.width * r.height;
}

// The client area of a window of at most the wanted size inside the free region.
ScreenRect fit(const ScreenRect& region, int wantedWidth, int wantedHeight) {
    ScreenRect r;
    r.x = region.x + kFrameSide;
    r.y = region.y + kFrameTop;
    r.width = std::max(0, std::min(wantedWidth, region.width - 2 * kFrameSide));
    r.height = std::max(0, std::min(wantedHeight, region.height - kFrameTop - kFrameSide));
    return r;
}

bool usable(const ScreenRect& r) {
    return r.width >= kMinWidth && r.height >= kMinHeight;
}

} // namespace

Placement placeBeside(const ScreenRect& backglass, const std::vector<ScreenRect>& screens, int wantedWidth,
                      int wantedHeight) {
    if (screens.empty())
        return {{backglass.right() + kFrameSide, backglass.y + kFrameTop, wantedWidth, wantedHeight}, false};
    // The backglass's screen is the one it overlaps most; another screen is preferred, even when
    // the backglass's frame spills a few pixels onto it.
    size_t home = 0;
    for (size_t i = 1; i < screens.size(); ++i)
        if (area(intersect(screens[i], backglass)) > area(intersect(screens[home], backglass)))
            home = i;
    ScreenRect best{};
    bool bestAway = false;
    for (size_t i = 0; i < screens.size(); ++i) {
        const ScreenRect& s = screens[i];
        ScreenRect bg = intersect(s, backglass);
        if (area(bg) == 0)
            bg = {s.x, s.y, 0, 0};
        const ScreenRect strips[] = {
            {bg.right(), s.y, s.right() - bg.right(), s.height},   // right
            {s.x, bg.bottom(), s.width, s.bottom() - bg.bottom()}, // below
            {s.x, s.y, bg.x - s.x, s.height},                      // left
            {s.x, s.y, s.width, bg.y - s.y},                       // above
        };
        bool away = i != home;
        for (const ScreenRect& strip : strips) {
            ScreenRect r = fit(strip, wantedWidth, wantedHeight);
            if (!usable(r))
                continue;
            if ((away && !bestAway) || (away == bestAway && area(r) > area(best))) {
                best = r;
                bestAway = away;
            }
        }
    }
    if (area(best) > 0)
        return {best, false};
    // A full-screen backglass leaves no room: the bottom-right corner, as small as usable.
    const ScreenRect& s = screens[home];
    int w = std::min(std::max(kMinWidth, wantedWidth / 2), s.width);
    int h = std::min(std::max(kMinHeight, wantedHeight / 2), s.height);
    return {{s.right() - w - kFrameSide, s.bottom() - h - kFrameSide, w, h}, true};
}

} // namespace pinstage
