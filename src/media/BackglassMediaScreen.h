// The advertising content on the backglass: local ad pictures in the display overlay, and the
// poster drawn over the frame on the back buffer (redrawn each frame, the scene restored after).
#pragma once

#include "display/Backglass.h"
#include "media/AdBrowser.h"
#include "media/PosterScreen.h"

#include <QImage>
#include <QRegion>

#include <functional>

namespace pinstage {

class BackglassMediaScreen final : public AdScreen, public PosterScreen {
public:
    // backglass: the display in use, null while there is none (it changes with the configuration).
    explicit BackglassMediaScreen(std::function<Backglass*()> backglass) : backglass_(std::move(backglass)) {}

    bool overlayExists() const override;
    bool loadOverlayPicture(const std::filesystem::path& file) override;
    void showOverlay() override;
    void hideOverlay() override;

    // The pointer, as the window host moves and shows it (nothing when not given).
    void confinePointer(const AdRect& r) override {
        if (onConfinePointer)
            onConfinePointer(r);
    }
    void showPointer() override {
        if (onShowPointer)
            onShowPointer();
    }
    void releasePointer() override {
        if (onReleasePointer)
            onReleasePointer();
    }
    std::function<void(const AdRect&)> onConfinePointer;
    std::function<void()> onShowPointer;
    std::function<void()> onReleasePointer;

    bool loadPoster(const std::filesystem::path& file) override;
    void placePoster(const PosterRect& destination, const PosterRect& source) override;
    void setPosterShown(bool shown) override { shown_ = shown; }

    // For the frame: draws the poster on the back buffer and returns where (empty when nothing is
    // shown), so that the frame presents it and gives the back buffer its scene back afterwards.
    QRegion drawPoster(QImage& backBuffer) const;

    bool posterShown() const { return shown_; }
    const QImage& posterPicture() const { return picture_; }

private:
    std::function<Backglass*()> backglass_;
    QImage picture_;
    PosterRect dest_;
    PosterRect source_;
    bool shown_ = false;
};

} // namespace pinstage
