// Selection, dragging and write-back of the creation canvas.
#include "dashboard/FrontonCanvasModel.h"

#include "dashboard/FrontonGridRules.h"
#include "display/ScreenMapping.h"
#include "platform/DataRoot.h"

#include <algorithm>

namespace pinstage {

namespace {
EditRect rectOf(const FrontonElement& e) {
    return {e.displayLeft, e.displayTop, e.displayRight, e.displayBottom};
}
// 64-bit scaling of a group offset, so that a damaged layout cannot overflow.
int scaled(int value, int now, int then) {
    if (then <= 0)
        return value;
    return int(int64_t(value) * now / then);
}
} // namespace

FrontonCanvasModel::FrontonCanvasModel(const FrontonRecord& layout) : layout_(layout) {
    if (auto design = pictureSourceSize(layout.elements[0]);
        design && design->width <= kLargestPictureSide && design->height <= kLargestPictureSide) {
        width_ = design->width;
        height_ = design->height;
    }
    for (int e = 0; e < kFrontonElementCount; ++e)
        rects_[size_t(e)] = opened_[size_t(e)] = rectOf(layout.elements[size_t(e)]);
}

bool FrontonCanvasModel::selectable(int e) {
    // The advertising picture is replaced while the game runs: not placed on the canvas.
    return e >= 1 && e < element::kAdvert && !followsPlaceOfGroup(e);
}

void FrontonCanvasModel::select(int e) {
    if (selectable(e))
        selected_ = e;
}

bool FrontonCanvasModel::drawnOnCanvas(int e) const {
    if (e < 0 || e >= element::kAdvert || followsPlaceOfGroup(e))
        return false;
    const FrontonElement& el = layout_.elements[size_t(e)];
    return el.editorVisibility == 1 && elementPicture(el).has_value();
}

std::vector<int> FrontonCanvasModel::groupOf(int e) {
    int first = groupFirstElement(e);
    if (first < 0)
        return {e};
    std::vector<int> members;
    for (int m = first; m < kFrontonElementCount && groupFirstElement(m) == first; ++m)
        members.push_back(m);
    return members;
}

EditRect FrontonCanvasModel::groupBounds(int first) const {
    EditRect b = rects_[size_t(first)];
    for (int m : groupOf(first)) {
        const EditRect& r = rects_[size_t(m)];
        b = {std::min(b.left, r.left), std::min(b.top, r.top), std::max(b.right, r.right),
             std::max(b.bottom, r.bottom)};
    }
    return b;
}

void FrontonCanvasModel::rightPress(int x, int y) {
    mode_ = DragMode::None;
    // Topmost first: the reverse of the drawing order.
    std::vector<int> under = drawingOrder([&](int e) {
        if (!selectable(e) || !drawnOnCanvas(e))
            return false;
        for (int m : groupOf(e))
            if (rects_[size_t(m)].contains(x, y))
                return true;
        return false;
    });
    std::reverse(under.begin(), under.end());
    if (under.empty()) {
        // Over the background alone: the next element.
        int next = selected_;
        do
            next = next >= element::kAdvert - 1 ? 1 : next + 1;
        while (!selectable(next));
        selected_ = next;
        return;
    }
    auto fresh = std::find_if(under.begin(), under.end(), [&](int e) { return !visited_[size_t(e)]; });
    if (fresh == under.end()) {
        // Every element here was visited: the cycle starts again from the top.
        for (int e : under)
            visited_[size_t(e)] = false;
        fresh = under.begin();
    }
    visited_[size_t(*fresh)] = true;
    selected_ = *fresh;
}

void FrontonCanvasModel::leftPress(int x, int y) {
    visited_.fill(false);
    atPress_ = rects_[size_t(selected_)];
    pressX_ = x;
    pressY_ = y;
    mode_ = grabZone(atPress_, x, y);
    if (mode_ == DragMode::None && groupOf(selected_).size() > 1 && groupBounds(selected_).contains(x, y))
        mode_ = DragMode::Moving; // a press on any member moves the whole group
}

bool FrontonCanvasModel::dragTo(int x, int y) {
    if (mode_ == DragMode::None)
        return false;
    EditRect r = dragged(atPress_, mode_, pressX_, pressY_, x, y);
    if (mode_ == DragMode::Moving) {
        // The group's bounds stay on the canvas: 0 to canvas width minus their width.
        EditRect bounds = groupBounds(selected_);
        int dx = r.left - rects_[size_t(selected_)].left;
        int dy = r.top - rects_[size_t(selected_)].top;
        dx = std::clamp(bounds.left + dx, 0, std::max(0, width_ - bounds.width())) - bounds.left;
        dy = std::clamp(bounds.top + dy, 0, std::max(0, height_ - bounds.height())) - bounds.top;
        const EditRect& now = rects_[size_t(selected_)];
        r = {now.left + dx, now.top + dy, now.right + dx, now.bottom + dy};
    } else {
        r.left = std::clamp(r.left, 0, width_ - 1);
        r.right = std::clamp(r.right, r.left + 1, width_);
        r.top = std::clamp(r.top, 0, height_ - 1);
        r.bottom = std::clamp(r.bottom, r.top + 1, height_);
    }
    if (r == rects_[size_t(selected_)])
        return false;
    rects_[size_t(selected_)] = r;
    placeGroupAfter(selected_);
    return true;
}

void FrontonCanvasModel::placeGroupAfter(int first) {
    const EditRect& f0 = opened_[size_t(first)];
    const EditRect& f = rects_[size_t(first)];
    for (int m : groupOf(first)) {
        if (m == first)
            continue;
        const EditRect& m0 = opened_[size_t(m)];
        int left = f.left + scaled(m0.left - f0.left, f.width(), f0.width());
        int top = f.top + scaled(m0.top - f0.top, f.height(), f0.height());
        rects_[size_t(m)] = {left, top, left + scaled(m0.width(), f.width(), f0.width()),
                             top + scaled(m0.height(), f.height(), f0.height())};
    }
}

std::string FrontonCanvasModel::caption(int x, int y) const {
    const FrontonElement& e = layout_.elements[size_t(selected_)];
    return "Création du Fronton Lumiscope   " + std::string("  Fonction de l'image en cours :  ") +
           e.functionLabel.utf8() + "   Numéro de l'image utilisée :  " + e.pictureNumber.utf8() +
           "  Position de la souris :  X =  " + std::to_string(x) + "  Y =  " + std::to_string(y) +
           "  Image visible : " + (e.editorVisibility == 1 ? " oui" : " non");
}

void FrontonCanvasModel::writeBack(FrontonRecord& layout) const {
    for (int e = 1; e < kFrontonElementCount; ++e) {
        FrontonElement& el = layout.elements[size_t(e)];
        const EditRect& r = rects_[size_t(e)];
        el.displayLeft = r.left;
        el.displayRight = r.right;
        el.displayTop = r.top;
        el.displayBottom = r.bottom;
    }
}

std::vector<int> thumbnailElements(const FrontonRecord& layout) {
    FrontonCanvasModel order(layout);
    return order.drawingOrder([&](int e) {
        bool inRange = (e >= 1 && e <= 75) || (e >= 81 && e <= 87);
        return inRange && elementPicture(layout.elements[size_t(e)]).has_value();
    });
}

std::string thumbnailFileName(int configuration) {
    return numberedName("choix.bmp", configuration);
}

std::string mousePositionText(int x, int y) {
    return "X: " + std::to_string(x) + " - Y: " + std::to_string(y);
}

} // namespace pinstage
