// Overlay pictures through the display's own loading and showing; the poster cut from its picture
// in proportion to the 1360 x 768 frame and stretched over its destination.
#include "media/BackglassMediaScreen.h"

#include "display/FrameComposer.h"
#include "display/QtPath.h"
#include "display/SymbolSurfaces.h"

#include <QPainter>

namespace pinstage {

bool BackglassMediaScreen::overlayExists() const {
    Backglass* b = backglass_ ? backglass_() : nullptr;
    return b && b->overlay.exists();
}

bool BackglassMediaScreen::loadOverlayPicture(const std::filesystem::path& file) {
    Backglass* b = backglass_ ? backglass_() : nullptr;
    return b && b->overlay.exists() && loadImageIntoSurface(b->overlay.surface, file);
}

void BackglassMediaScreen::showOverlay() {
    if (Backglass* b = backglass_ ? backglass_() : nullptr)
        pinstage::showOverlay(*b);
}

void BackglassMediaScreen::hideOverlay() {
    if (Backglass* b = backglass_ ? backglass_() : nullptr)
        pinstage::hideOverlay(*b);
}

bool BackglassMediaScreen::loadPoster(const std::filesystem::path& file) {
    QImage img(toQString(file));
    picture_ = img.isNull() ? QImage() : toSymbolSurface(img);
    return !picture_.isNull();
}

void BackglassMediaScreen::placePoster(const PosterRect& destination, const PosterRect& source) {
    dest_ = destination;
    source_ = source;
}

QRegion BackglassMediaScreen::drawPoster(QImage& backBuffer) const {
    if (!shown_ || picture_.isNull() || dest_.right <= dest_.left || dest_.bottom <= dest_.top ||
        source_.right <= source_.left || source_.bottom <= source_.top)
        return {};
    const QRect dest =
        QRect(QPoint(dest_.left, dest_.top), QPoint(dest_.right - 1, dest_.bottom - 1)) & backBuffer.rect();
    if (dest.isEmpty())
        return {};
    // The source is given in the poster's 1360 x 768 frame; the picture may have any size.
    const double sx = double(picture_.width()) / kPosterSourceWidth;
    const double sy = double(picture_.height()) / kPosterSourceHeight;
    const QRectF from(source_.left * sx, source_.top * sy, (source_.right - source_.left) * sx,
                      (source_.bottom - source_.top) * sy);
    QPainter p(&backBuffer);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(QRectF(QPoint(dest_.left, dest_.top), QPoint(dest_.right, dest_.bottom)), picture_, from);
    return QRegion(dest);
}

} // namespace pinstage
