// Backglass refresh: one frame at most every 40 ms drawing the changed elements and moved reels
// on the scene and back buffer and presenting them, the full redraws, and hiding elements at once.
#pragma once

#include "display/Backglass.h"
#include "display/FramePlan.h"

#include <QImage>
#include <QRegion>

#include <functional>

namespace pinstage {

// The window that shows the frames.
class FramePresenter {
public:
    virtual ~FramePresenter() = default;
    // Brings region of the back buffer to the screen. The region lies within the parts of the
    // screen not covered by another window and holds everything changed since the last
    // presentation; the back buffer is only valid during the call.
    virtual void present(const QImage& backBuffer, const QRegion& region) = 0;
    // The window should repaint itself.
    virtual void requestRepaint() {}
};

// A presenter that keeps the screen as an image (tests, pictures, and windows that paint it).
class ImagePresenter final : public FramePresenter {
public:
    void present(const QImage& backBuffer, const QRegion& region) override;
    void requestRepaint() override { ++repaints_; }
    const QImage& screen() const { return screen_; }
    int presentations() const { return presentations_; }
    int repaints() const { return repaints_; }
    QRegion lastRegion() const { return lastRegion_; }

private:
    QImage screen_;
    QRegion lastRegion_;
    int presentations_ = 0;
    int repaints_ = 0;
};

// Work of other parts of the program within a frame.
struct FrameHooks {
    // The records display's per-frame steps: draws on the back buffer and returns what it drew
    // (empty when nothing); anything drawn asks for the frame to be presented.
    std::function<QRegion(QImage& backBuffer)> recordsStep;
};

struct FrameOutcome {
    bool composed = false;  // the frame ran (not skipped)
    bool presented = false; // something reached the presenter
    bool backToMenuShown = false;
};

FrameOutcome composeFrame(Backglass& b, const FrameContext& ctx, FramePresenter& presenter,
                          const FrameHooks& hooks = {});

// The window's paint event: every shown element and every reel drawn again, now.
FrameOutcome fullRedraw(Backglass& b, const FrameContext& ctx, FramePresenter& presenter);

// Credit reels set at once from the credit digits (when either is not 0), every reel and
// element 2-87 redrawn, a frame composed and the window asked to repaint.
FrameOutcome redrawBackglass(Backglass& b, int creditUnits, int creditTens, const FrameContext& ctx,
                             FramePresenter& presenter);

// Erases elements first .. first + count - 1 at once, on the scene and back buffer.
void hideElements(Backglass& b, int first, int count);

// Shows or hides the advertising overlay; nothing without an overlay.
void showOverlay(Backglass& b);
void hideOverlay(Backglass& b);

} // namespace pinstage
