// The default backglass background, drawn in design units (1360 x 768).
#include "DefaultPictureBackglass.h"

#include "DefaultPictureArt.h"
#include "DefaultPictureCells.h"
#include "config/FrontonParams.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>
#include <vector>

namespace pinstage::art {

namespace {

constexpr int kWidth = 1360;
constexpr int kHeight = 768;
const QPointF kEmblemCentre(680, 205);

QRectF elementRect(const FrontonRecord& r, int e) {
    const FrontonElement& el = r.elements[size_t(e)];
    return QRectF(el.displayLeft, el.displayTop, el.displayRight - el.displayLeft,
                  el.displayBottom - el.displayTop);
}

// The places the stars must keep away from: every element with a picture, and the windows.
std::vector<QRectF> occupied(const FrontonRecord& r) {
    std::vector<QRectF> v;
    for (int e = 1; e < element::kAdvert; ++e)
        if (elementPicture(r.elements[size_t(e)]))
            v.push_back(elementRect(r, e).adjusted(-14, -14, 14, 14));
    v.push_back(QRectF(kEmblemCentre.x() - 300, kEmblemCentre.y() - 160, 600, 320));
    v.push_back(QRectF(575, 610, 120, 75));
    return v;
}

QPainterPath starPath(QPointF centre, qreal outer, qreal inner, int points, qreal turn = -90) {
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        qreal r = (i % 2 == 0) ? outer : inner;
        qreal a = (turn + 180.0 * i / points) * std::numbers::pi / 180.0;
        QPointF pt(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

void paintSunburst(QPainter& p, int shift) {
    QRadialGradient fade(kEmblemCentre, 900);
    fade.setColorAt(0.0, turned(QColor(120, 30, 110, 150), shift));
    fade.setColorAt(0.45, turned(QColor(70, 16, 80, 90), shift));
    fade.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(fade);
    const int wedges = 36;
    for (int i = 0; i < wedges; i += 2) {
        qreal a0 = 2 * std::numbers::pi * i / wedges;
        qreal a1 = 2 * std::numbers::pi * (i + 1) / wedges;
        QPainterPath wedge;
        wedge.moveTo(kEmblemCentre);
        wedge.lineTo(kEmblemCentre + QPointF(1600 * std::cos(a0), 1600 * std::sin(a0)));
        wedge.lineTo(kEmblemCentre + QPointF(1600 * std::cos(a1), 1600 * std::sin(a1)));
        wedge.closeSubpath();
        p.drawPath(wedge);
    }
}

void paintStars(QPainter& p, const std::vector<QRectF>& keepOut, int shift) {
    Sequence seq(1977);
    int placed = 0;
    for (int tries = 0; tries < 2000 && placed < 110; ++tries) {
        QPointF at(12 + seq.unit() * (kWidth - 24), 12 + seq.unit() * (kHeight - 24));
        qreal size = 2.5 + seq.unit() * 6.0;
        bool free = true;
        for (const QRectF& r : keepOut)
            if (r.adjusted(-size, -size, size, size).contains(at))
                free = false;
        if (!free)
            continue;
        ++placed;
        QColor c = turned(seq.unit() < 0.5 ? QColor(255, 230, 170) : QColor(255, 150, 220), shift);
        c.setAlpha(110 + int(seq.unit() * 140));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPath(starPath(at, size, size * 0.22, 4, 0));
    }
}

void paintEmblem(QPainter& p, int shift) {
    const qreal radius = 140;
    QRadialGradient halo(kEmblemCentre, radius * 1.6);
    halo.setColorAt(0.0, turned(QColor(255, 120, 30, 120), shift));
    halo.setColorAt(0.6, turned(QColor(200, 40, 60, 60), shift));
    halo.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(kEmblemCentre, radius * 1.6, radius * 1.6);

    QPainterPath disc;
    disc.addEllipse(kEmblemCentre, radius, radius);
    QRadialGradient inside(kEmblemCentre, radius);
    inside.setColorAt(0.0, turned(QColor(110, 20, 30), shift));
    inside.setColorAt(1.0, turned(QColor(30, 4, 12), shift));
    p.setBrush(inside);
    p.drawPath(disc);

    QPainterPath star;
    for (int i = 0; i <= 5; ++i) {
        qreal a = (-90 + 144.0 * i) * std::numbers::pi / 180.0;
        QPointF pt(kEmblemCentre.x() + radius * 0.94 * std::cos(a),
                   kEmblemCentre.y() + radius * 0.94 * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    const QColor gold = turned(QColor(240, 184, 60), shift);
    glow(p, disc, turned(QColor(255, 150, 40, 160), shift), 10);
    glow(p, star, turned(QColor(255, 150, 40, 140), shift), 8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(gold, 5));
    p.drawPath(disc);
    p.setPen(QPen(gold, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(star);
}

void paintTitle(QPainter& p, const QString& title, int shift) {
    QRectF box(390, 150, 580, 112);
    QPainterPath letters = fittedText(title, font("DejaVu Serif", 80, QFont::Black, true), box, 0.86, 1.0);
    p.save();
    p.translate(6, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 170));
    p.drawPath(letters);
    p.restore();
    glow(p, letters, turned(QColor(255, 110, 20, 170), shift), 14);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0.0, turned(QColor(255, 250, 170), shift));
    fill.setColorAt(0.45, turned(QColor(255, 196, 50), shift));
    fill.setColorAt(1.0, turned(QColor(235, 70, 25), shift));
    p.setPen(QPen(turned(QColor(80, 8, 8), shift), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(letters);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(letters);
}

// A recessed window with a gold rim around a row of reels.
void paintWindow(QPainter& p, const QRectF& reels, int shift) {
    QRectF outer = reels.adjusted(-9, -8, 9, 8);
    QLinearGradient rim(outer.topLeft(), outer.bottomLeft());
    rim.setColorAt(0.0, turned(QColor(255, 226, 140), shift));
    rim.setColorAt(0.5, turned(QColor(180, 120, 30), shift));
    rim.setColorAt(1.0, turned(QColor(255, 210, 110), shift));
    glow(
        p,
        [&] {
            QPainterPath r;
            r.addRoundedRect(outer, 9, 9);
            return r;
        }(),
        turned(QColor(255, 140, 30, 110), shift), 8);
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawRoundedRect(outer, 9, 9);
    p.setBrush(QColor(8, 6, 6));
    p.drawRoundedRect(reels.adjusted(-4, -3, 4, 3), 5, 5);
}

QRectF reelRow(const FrontonRecord& r, int first, int count) {
    QRectF row;
    for (int k = 0; k < count; ++k)
        row = row.united(elementRect(r, first + k));
    return row;
}

void paintLabel(QPainter& p, const QString& text, const QRectF& box, QColor colour) {
    QPainterPath letters = fittedText(text, condensedBold(30), box, 0.8, 1.0);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(letters);
}

} // namespace

QColor turned(const QColor& c, int shift) {
    if (shift == 0)
        return c;
    QColor hsv = c.toHsv();
    if (hsv.hsvHue() < 0)
        return c;
    return notBlue(
        QColor::fromHsv((hsv.hsvHue() + shift % 360 + 360) % 360, hsv.hsvSaturation(), hsv.value(), c.alpha())
            .toRgb());
}

QImage drawBackglass(const QString& title, int shift) {
    const FrontonRecord layout = defaultFronton();
    QImage img(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);

    QLinearGradient base(0, 0, 0, kHeight);
    base.setColorAt(0.0, turned(QColor(30, 10, 44), shift));
    base.setColorAt(0.55, turned(QColor(16, 5, 24), shift));
    base.setColorAt(1.0, turned(QColor(6, 2, 10), shift));
    p.fillRect(img.rect(), base);
    paintSunburst(p, shift);
    paintStars(p, occupied(layout), shift);

    // A neon rule between the record line and the lower players.
    QPainterPath rule;
    rule.moveTo(30, 440);
    rule.lineTo(kWidth - 30, 440);
    glow(p, rule, turned(QColor(255, 60, 200, 150), shift), 6);
    p.setPen(QPen(turned(QColor(255, 170, 240), shift), 2));
    p.drawPath(rule);

    paintEmblem(p, shift);
    paintTitle(p, title, shift);
    for (qreal x : {300.0, 1060.0}) {
        QPainterPath small = starPath(QPointF(x, 250), 42, 17, 5);
        glow(p, small, turned(QColor(255, 150, 40, 130), shift), 7);
        p.setPen(QPen(turned(QColor(240, 184, 60), shift), 3));
        p.setBrush(turned(QColor(90, 16, 30), shift));
        p.drawPath(small);
    }

    // Score and credit windows under the reels.
    for (int first : {2, 9, 16, 23})
        paintWindow(p, reelRow(layout, first, 7), shift);
    QRectF credit = reelRow(layout, 30, 2);
    paintWindow(p, credit, shift);
    paintLabel(p, "CREDIT", QRectF(credit.left() - 10, credit.top() - 36, credit.width() + 20, 22),
               turned(QColor(255, 214, 120), shift));

    // The match numbers share one framed box.
    QRectF match = QRectF(1150, 212, 192, 118);
    p.setPen(QPen(turned(QColor(200, 150, 60), shift), 2));
    p.setBrush(QColor(10, 4, 10, 170));
    p.drawRoundedRect(match, 10, 10);

    paintUnlitElements(p);

    paintLabel(p, "LUMISCOPE", QRectF(600, 742, 160, 22), turned(QColor(200, 160, 90), shift));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(turned(QColor(200, 150, 60), shift), 2));
    p.drawRoundedRect(QRectF(2, 2, kWidth - 4, kHeight - 4), 12, 12);
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

} // namespace pinstage::art
