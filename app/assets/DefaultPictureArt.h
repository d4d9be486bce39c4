// Drawing helpers shared by the default pictures: lettering as paths fitted into boxes, glow,
// lit and unlit plates in the style of a backlit electromechanical backglass, and the keying of
// antialiased drawings onto the transparent pure blue.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class QPainter;

namespace pinstage::art {

inline const QColor kPureBlue(0, 0, 255);

// A font by family at a pixel size (fonts-dejavu-core and fonts-liberation2 are installed).
QFont font(const QString& family, qreal pixelSize, QFont::Weight weight, bool italic = false);
inline QFont sansBold(qreal px) {
    return font("DejaVu Sans", px, QFont::Bold);
}
inline QFont condensedBold(qreal px) {
    return font("DejaVu Sans Condensed", px, QFont::Bold);
}
inline QFont serifBold(qreal px) {
    return font("DejaVu Serif", px, QFont::Bold);
}

// The outline of a text with its baseline at 0.
QPainterPath textPath(const QString& text, const QFont& font);

// The text fitted into box: its ink is scaled to heightShare of the box height, then narrowed
// (never widened) to fit widthShare of the box width; placed by align (left, right or centre,
// always centred vertically).
QPainterPath fittedText(const QString& text, const QFont& font, const QRectF& box, qreal heightShare = 0.7,
                        qreal widthShare = 0.92, Qt::Alignment align = Qt::AlignHCenter);

// A soft halo around a shape: wide translucent strokes, widest first.
void glow(QPainter& p, const QPainterPath& path, const QColor& colour, qreal radius);

// Antialiased drawing on transparency turned into a keyed picture: pixels at least half covered
// become opaque in their own colour, the others pure blue. No opaque pixel is pure blue.
QImage keyOnBlue(const QImage& argb);

// A colour never equal to the transparent pure blue.
QColor notBlue(const QColor& c);

// The look of one backglass word or digit window.
struct PlateStyle {
    QColor plate;    // glass behind the lettering, the same lit or not
    QColor edge;     // thin border, transparent for none
    QColor litText;  // lettering when lit
    QColor litGlow;  // halo when lit
    QColor darkText; // lettering when not lit
    QFont font;
    qreal corner = 0.25; // corner radius as a share of the height
    qreal heightShare = 0.66;
    qreal widthShare = 0.9;
    Qt::Alignment align = Qt::AlignHCenter;
};

// A plate with its text, lit or not, filling box.
void paintPlate(QPainter& p, const QRectF& box, const QString& text, const PlateStyle& style, bool lit);

// A fresh transparent ARGB canvas.
QImage canvas(int width, int height);

// A small deterministic random sequence, so the pictures are the same on every run.
class Sequence {
public:
    explicit Sequence(uint32_t seed) : state_(seed) {}
    uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    // A value in [0, 1).
    qreal unit() { return qreal(next() % 1000000u) / 1000000.0; }

private:
    uint32_t state_;
};

} // namespace pinstage::art
