// Row copies for images of one format, a painter for the others.
#include "display/ImageCopy.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

#include <cstring>

namespace pinstage {

void copyRegion(QImage& dst, const QImage& src, const QRegion& region) {
    if (dst.isNull() || src.isNull() || region.isEmpty())
        return;
    QRect bounds = dst.rect() & src.rect();
    if (dst.format() != src.format()) {
        QPainter p(&dst);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& r : region)
            p.drawImage(r & bounds, src, r & bounds);
        return;
    }
    const int bytesPerPixel = src.depth() / 8;
    for (const QRect& r0 : region) {
        QRect r = r0 & bounds;
        if (r.isEmpty())
            continue;
        const size_t rowBytes = size_t(r.width()) * size_t(bytesPerPixel);
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memcpy(dst.scanLine(y) + size_t(r.left()) * size_t(bytesPerPixel),
                        src.constScanLine(y) + size_t(r.left()) * size_t(bytesPerPixel), rowBytes);
    }
}

} // namespace pinstage
