// Mouse geometry shared by the picture cutter and the creation canvas: rectangles, the zones where
// a press grabs a rectangle (inside to move it, a 15-pixel band outside an edge to resize that edge)
// and the rubber band that cuts a part of a picture.
#pragma once

#include <optional>

namespace pinstage {

// left, top, right, bottom; right and bottom excluded.
struct EditRect {
    int left{};
    int top{};
    int right{};
    int bottom{};
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const EditRect&) const = default;
};

enum class DragMode { None, Drawing, Moving, ResizeLeft, ResizeRight, ResizeTop, ResizeBottom };

constexpr int kGrabMargin = 15;

// What a left press at (x, y) does to r: move it (inside), resize the left or right edge (within
// 15 pixels outside it, between top and bottom), resize the top or bottom edge (within 15 pixels
// above or below it, between left + 3 and right - 3); None elsewhere.
DragMode grabZone(const EditRect& r, int x, int y);

// r dragged from the press point (px, py) to (x, y) in mode; a resized edge never crosses the
// opposite one (at least one unit wide and high).
EditRect dragged(const EditRect& r, DragMode mode, int px, int py, int x, int y);

// The rubber band of the picture cutter, in picture pixels.
class RubberBand {
public:
    // A right press deletes the band; a left press starts one where there is none, or grabs it.
    void press(int x, int y, bool rightButton);
    void moveTo(int x, int y);
    void release();

    // The band, left <= right and top <= bottom; nullopt when there is none.
    std::optional<EditRect> rect() const;
    DragMode mode() const { return mode_; }

private:
    std::optional<EditRect> band_; // while drawing, right/bottom hold the moving corner
    EditRect atPress_{};
    DragMode mode_ = DragMode::None;
    int pressX_ = 0;
    int pressY_ = 0;
};

// What "Sélection OK" keeps of a band over a picture of width x height: left and top at least 0,
// right at most width - 1 and bottom at most height - 1. nullopt when nothing of it lies on the
// picture.
std::optional<EditRect> cutToPicture(const EditRect& band, int width, int height);

} // namespace pinstage
