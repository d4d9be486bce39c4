// Symbol drawing with nearest-pixel stretching, so that transparent pure blue keeps its edges.
#include "display/Symbol.h"

#include <QImage>
#include <QPainter>

namespace pinstage {

namespace {

// Rectangles come from a layout file: absurd sizes are not drawn at all.
constexpr int64_t kLargestSide = 1 << 20;

bool usable(const PixelRect& r) {
    return !r.isEmpty() && r.width() <= kLargestSide && r.height() <= kLargestSide;
}

QRect toQRect(const PixelRect& r) {
    return QRect(r.left, r.top, int(r.width()), int(r.height()));
}

} // namespace

void Symbol::draw(QPainter& target) {
    place.shown = 1;
    if (!surface || surface->isNull() || !usable(place.source) || !usable(place.destination))
        return;
    target.drawImage(toQRect(place.destination), *surface, toQRect(place.source));
}

void Symbol::erase(QPainter& target, const QImage* background, const PixelRect& from) {
    place.shown = 0;
    if (!usable(place.destination))
        return;
    if (!background || background->isNull() || !usable(from)) {
        target.fillRect(toQRect(place.destination), Qt::black);
        return;
    }
    target.drawImage(toQRect(place.destination), *background, toQRect(from));
}

} // namespace pinstage
