// Overlay surface: creation at 5-5-5, enlargement and colour key at drawing time.
#include "display/Overlay.h"

namespace pinstage {

void Overlay::create() {
    surface = QImage(kSide, kSide, QImage::Format_RGB555);
    surface.fill(Qt::black);
    visible = false;
}

void Overlay::release() {
    surface = QImage();
    visible = false;
}

PixelRect Overlay::screenRect() const {
    return {x, y, x + kSide * kStretch, y + kSide * kStretch};
}

QImage Overlay::keyed() const {
    if (surface.isNull())
        return {};
    QImage out = surface.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int row = 0; row < surface.height(); ++row) {
        const auto* src = reinterpret_cast<const quint16*>(surface.constScanLine(row));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(row));
        for (int col = 0; col < surface.width(); ++col)
            if (src[col] == 0x03E0) // the green mask of 5-5-5
                dst[col] = 0;
    }
    return out.scaled(kSide * kStretch, kSide * kStretch, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace pinstage
