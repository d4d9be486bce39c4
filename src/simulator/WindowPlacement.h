// Where the simulator window goes: on another screen when there is one, otherwise in the largest
// free strip beside the backglass, so that it never covers it.
#pragma once

#include <vector>

namespace pinstage {

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool operator==(const ScreenRect&) const = default;
};

struct Placement {
    ScreenRect rect;
    bool coversBackglass = false; // no free room anywhere: the window had to overlap it
};

// The window frame the window system adds around the client area (title bar and borders).
constexpr int kFrameTop = 30;
constexpr int kFrameSide = 4;
// Below this client size a strip is not worth using.
constexpr int kMinWidth = 320;
constexpr int kMinHeight = 200;

Placement placeBeside(const ScreenRect& backglass, const std::vector<ScreenRect>& screens, int wantedWidth,
                      int wantedHeight);

} // namespace pinstage
