// Grab zones, dragging and the picture cutter's rubber band.
#include "dashboard/EditorGeometry.h"

#include <algorithm>

namespace pinstage {

namespace {
EditRect normalised(const EditRect& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}
} // namespace

DragMode grabZone(const EditRect& r, int x, int y) {
    if (r.contains(x, y))
        return DragMode::Moving;
    if (y >= r.top && y < r.bottom) {
        if (x >= r.left - kGrabMargin && x < r.left)
            return DragMode::ResizeLeft;
        if (x >= r.right && x < r.right + kGrabMargin)
            return DragMode::ResizeRight;
    }
    if (x >= r.left + 3 && x <= r.right - 3) {
        if (y >= r.top - kGrabMargin && y < r.top)
            return DragMode::ResizeTop;
        if (y >= r.bottom && y < r.bottom + kGrabMargin)
            return DragMode::ResizeBottom;
    }
    return DragMode::None;
}

EditRect dragged(const EditRect& r, DragMode mode, int px, int py, int x, int y) {
    EditRect out = r;
    switch (mode) {
    case DragMode::Moving:
        out = {r.left + x - px, r.top + y - py, r.right + x - px, r.bottom + y - py};
        break;
    case DragMode::ResizeLeft:
        out.left = std::min(x, r.right - 1);
        break;
    case DragMode::ResizeRight:
        out.right = std::max(x, r.left + 1);
        break;
    case DragMode::ResizeTop:
        out.top = std::min(y, r.bottom - 1);
        break;
    case DragMode::ResizeBottom:
        out.bottom = std::max(y, r.top + 1);
        break;
    case DragMode::Drawing:
        out.right = x;
        out.bottom = y;
        break;
    case DragMode::None:
        break;
    }
    return out;
}

void RubberBand::press(int x, int y, bool rightButton) {
    if (rightButton) {
        band_.reset();
        mode_ = DragMode::None;
        return;
    }
    pressX_ = x;
    pressY_ = y;
    if (!band_) {
        band_ = EditRect{x, y, x, y};
        atPress_ = *band_;
        mode_ = DragMode::Drawing;
        return;
    }
    atPress_ = *band_;
    mode_ = grabZone(*band_, x, y);
}

void RubberBand::moveTo(int x, int y) {
    if (mode_ != DragMode::None && band_)
        band_ = dragged(atPress_, mode_, pressX_, pressY_, x, y);
}

void RubberBand::release() {
    if (band_)
        band_ = normalised(*band_);
    mode_ = DragMode::None;
}

std::optional<EditRect> RubberBand::rect() const {
    if (!band_)
        return std::nullopt;
    return normalised(*band_);
}

std::optional<EditRect> cutToPicture(const EditRect& band, int width, int height) {
    EditRect r = normalised(band);
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.right = std::min(r.right, width - 1);
    r.bottom = std::min(r.bottom, height - 1);
    if (r.right <= r.left || r.bottom <= r.top)
        return std::nullopt;
    return r;
}

} // namespace pinstage
