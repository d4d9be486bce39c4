// Composition of one key picture from its face template and caption.
#include "KeyImage.h"

#include <QFontMetrics>
#include <QPainter>

namespace pinstage {

namespace {

QImage newKeyCanvas(int width, int height) {
    QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        return canvas;
    canvas.setDotsPerMeterX(KeyDotsPerMeter);
    canvas.setDotsPerMeterY(KeyDotsPerMeter);
    return canvas;
}

void drawStretchedByThirds(QPainter& painter, const QImage& face, int width) {
    const int third = face.width() / 3;
    const int height = face.height();
    if (third == 0) {
        // Too narrow to cut in thirds: stretch it whole rather than divide by zero.
        painter.drawImage(QRect(0, 0, width, height), face);
        return;
    }
    painter.drawImage(QPoint(0, 0), face, QRect(0, 0, third, height));
    const int copies = (width - 2 * third) / third + 1;
    for (int k = 1; k <= copies; ++k)
        painter.drawImage(QPoint(k * third, 0), face, QRect(third, 0, third, height));
    painter.drawImage(QPoint(width - third, 0), face, QRect(face.width() - third, 0, third, height));
}

// The key colour is read where a transparent bitmap takes it: its bottom-left pixel.
void clearKeyColour(QImage& picture) {
    const QRgb key = reinterpret_cast<const QRgb*>(picture.constScanLine(picture.height() - 1))[0];
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (line[x] == key)
                line[x] = 0;
        }
    }
}

} // namespace

int keyCaptionWidth(const QFont& font, const QString& caption) {
    QImage device = newKeyCanvas(1, 1);
    return QFontMetrics(font, &device).horizontalAdvance(caption);
}

QImage composeKeyImage(const QImage& keyTemplate, int width, const QString& caption, const QFont& font,
                       const QColor& textColour) {
    if (keyTemplate.isNull() || keyTemplate.width() < 1 || keyTemplate.height() < 1 || width < 1)
        return QImage();
    const QImage face = keyTemplate.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage picture = newKeyCanvas(width, face.height());
    if (picture.isNull())
        return picture;
    // Anything the template does not cover takes the key colour, so it ends up transparent too.
    picture.fill(reinterpret_cast<const QRgb*>(face.constScanLine(face.height() - 1))[0]);
    {
        QPainter painter(&picture);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        drawStretchedByThirds(painter, face, width);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setFont(font);
        painter.setPen(textColour);
        const QFontMetrics metrics(font, &picture);
        const int x = (width - metrics.horizontalAdvance(caption)) / 2;
        const int y = (picture.height() - metrics.height()) / 2;
        painter.drawText(QPoint(x, y + metrics.ascent()), caption);
    }
    clearKeyColour(picture);
    return picture;
}

} // namespace pinstage
