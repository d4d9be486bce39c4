// The creation canvas of the backglass editor without its widget: working rectangles of the 89
// elements at design scale, the selected element and its cycling under the mouse, moving and
// resizing with the counters and the record digits following their first member, the drawing
// order, the caption, and the write-back into the layout.
#pragma once

#include "config/FrontonParams.h"
#include "dashboard/EditorGeometry.h"

#include <array>
#include <string>
#include <vector>

namespace pinstage {

class FrontonCanvasModel {
public:
    // Working rectangles from the display fields; the canvas has the design size (picture 0's
    // source size, 1360 x 768 when that rectangle is unusable). layout must outlive the model; its
    // editor-visibility bytes and pictures are read as they are when asked.
    explicit FrontonCanvasModel(const FrontonRecord& layout);

    int canvasWidth() const { return width_; }
    int canvasHeight() const { return height_; }
    const EditRect& working(int element) const { return rects_[size_t(element)]; }

    int selected() const { return selected_; }
    // Elements 1-87 that are not drawn by their group's first member; others are ignored.
    void select(int element);
    static bool selectable(int element);

    // Drawn on the canvas: an editor-visible element 0-87 with a picture that its group does not draw.
    bool drawnOnCanvas(int element) const;
    // Elements in drawing order: layers 0-88, lower first, ties in element order, keeping those
    // for which keep says so.
    template <class Keep> std::vector<int> drawingOrder(Keep keep) const {
        std::vector<int> order;
        for (int layer = 0; layer <= kLastLayer; ++layer)
            for (int e = 0; e < kFrontonElementCount; ++e)
                if (layout_.elements[size_t(e)].layer == layer && keep(e))
                    order.push_back(e);
        return order;
    }
    // The members of e's counter or digit row (e alone when it has no group), first member first.
    static std::vector<int> groupOf(int element);

    // Right press: the next element drawn under the point that this cycle has not visited yet,
    // topmost first; once all were visited the cycle starts again. Over the background alone the
    // selection moves on by one (1-87, wrapping to 1). Ends any drag.
    void rightPress(int x, int y);
    // Left press: forgets the cycle; grabs the selected element to move or resize it.
    void leftPress(int x, int y);
    // A drag keeps the element (with its group) inside the canvas. True when something changed.
    bool dragTo(int x, int y);
    void release() { mode_ = DragMode::None; }
    DragMode mode() const { return mode_; }

    // The window caption while the mouse is at (x, y) of the canvas (UTF-8).
    std::string caption(int x, int y) const;

    // The working rectangles into the display fields of elements 1-88 (the background keeps its own).
    void writeBack(FrontonRecord& layout) const;

    static constexpr int kLastLayer = kFrontonElementCount - 1;

private:
    void placeGroupAfter(int first);
    EditRect groupBounds(int first) const;

    const FrontonRecord& layout_;
    int width_ = 1360;
    int height_ = 768;
    std::array<EditRect, kFrontonElementCount> rects_{};
    // The group members' places relative to their first member when the canvas opened.
    std::array<EditRect, kFrontonElementCount> opened_{};
    std::array<bool, kFrontonElementCount> visited_{};
    int selected_ = 1;
    DragMode mode_ = DragMode::None;
    EditRect atPress_{};
    int pressX_ = 0;
    int pressY_ = 0;
};

// Elements drawn on the thumbnail: 1-75 and 81-87 when they have a picture (the counter frames
// 76-80 are left out), in drawing order.
std::vector<int> thumbnailElements(const FrontonRecord& layout);
// "choix.bmp" with the configuration number: "choix3.bmp".
std::string thumbnailFileName(int configuration);
constexpr int kThumbnailWidth = 320;
constexpr int kThumbnailHeight = 240;

// "X: %d - Y: %d".
std::string mousePositionText(int x, int y);

} // namespace pinstage
