// Lettering, glow, plates and blue keying for the default pictures.
#include "DefaultPictureArt.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>

namespace pinstage::art {

QFont font(const QString& family, qreal pixelSize, QFont::Weight weight, bool italic) {
    QFont f(family);
    f.setPixelSize(std::max(1, int(pixelSize)));
    f.setWeight(weight);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QPainterPath textPath(const QString& text, const QFont& font) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

QPainterPath fittedText(const QString& text, const QFont& f, const QRectF& box, qreal heightShare,
                        qreal widthShare, Qt::Alignment align) {
    QFont big = f;
    big.setPixelSize(200);
    QPainterPath path = textPath(text, big);
    QRectF ink = path.boundingRect();
    if (ink.isEmpty() || box.isEmpty())
        return {};
    qreal sy = box.height() * heightShare / ink.height();
    qreal sx = sy;
    if (ink.width() * sx > box.width() * widthShare)
        sx = box.width() * widthShare / ink.width();
    qreal width = ink.width() * sx;
    qreal margin = (box.width() - box.width() * widthShare) / 2;
    qreal left = box.left() + (box.width() - width) / 2;
    if (align & Qt::AlignLeft)
        left = box.left() + margin;
    else if (align & Qt::AlignRight)
        left = box.right() - margin - width;
    qreal top = box.top() + (box.height() - ink.height() * sy) / 2;
    QTransform t;
    t.translate(left, top);
    t.scale(sx, sy);
    t.translate(-ink.left(), -ink.top());
    return t.map(path);
}

void glow(QPainter& p, const QPainterPath& path, const QColor& colour, qreal radius) {
    if (radius <= 0)
        return;
    p.save();
    p.setBrush(Qt::NoBrush);
    const int steps = 5;
    for (int i = steps; i >= 1; --i) {
        QColor c = colour;
        c.setAlphaF(std::clamp(0.10 + 0.5 * (steps - i) / steps, 0.0, 1.0) * colour.alphaF());
        p.setPen(QPen(c, radius * 2 * i / steps, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    }
    p.restore();
}

QColor notBlue(const QColor& c) {
    QColor o = c.toRgb();
    if (o.red() == 0 && o.green() == 0 && o.blue() == 255)
        o.setBlue(254);
    return o;
}

QImage keyOnBlue(const QImage& argb) {
    QImage src = argb.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            QRgb px = in[x];
            if (qAlpha(px) < 128) {
                o[x] = kPureBlue.rgb();
                continue;
            }
            QRgb opaque = qRgb(qRed(px), qGreen(px), qBlue(px));
            o[x] = opaque == kPureBlue.rgb() ? qRgb(0, 0, 254) : opaque;
        }
    }
    return out;
}

QImage canvas(int width, int height) {
    QImage i(std::max(1, width), std::max(1, height), QImage::Format_ARGB32_Premultiplied);
    i.fill(Qt::transparent);
    return i;
}

void paintPlate(QPainter& p, const QRectF& box, const QString& text, const PlateStyle& s, bool lit) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    qreal r = box.height() * s.corner;
    QRectF plate = box.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(s.edge.alpha() > 0 ? QPen(s.edge, std::max<qreal>(1.0, box.height() * 0.04)) : QPen(Qt::NoPen));
    p.setBrush(s.plate);
    p.drawRoundedRect(plate, r, r);
    QPainterPath letters = fittedText(text, s.font, box, s.heightShare, s.widthShare, s.align);
    if (lit) {
        // Light behind the glass: a warm halo on the plate, then the lettering.
        p.setClipPath([&] {
            QPainterPath clip;
            clip.addRoundedRect(plate, r, r);
            return clip;
        }());
        glow(p, letters, s.litGlow, box.height() * 0.18);
        p.setPen(Qt::NoPen);
        p.setBrush(s.litText);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(s.darkText);
    }
    p.drawPath(letters);
    p.restore();
}

} // namespace pinstage::art
