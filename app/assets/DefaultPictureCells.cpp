// Words, panels and digits of the built-in backglass, drawn in each element's own proportions and
// squeezed into the sheet rectangles the layout cuts them from.
#include "DefaultPictureCells.h"

#include "DefaultPictureArt.h"
#include "config/FrontonParams.h"

#include <QLinearGradient>
#include <QPainter>

#include <map>
#include <optional>
#include <vector>

namespace pinstage::art {

namespace {

const FrontonRecord& layout() {
    static const FrontonRecord r = defaultFronton();
    return r;
}

QRectF sourceRect(int picture) {
    const FrontonElement& e = layout().elements[size_t(picture)];
    return QRectF(e.sourceLeft, e.sourceTop, e.sourceRight - e.sourceLeft, e.sourceBottom - e.sourceTop);
}

QRectF displayRect(int element) {
    const FrontonElement& e = layout().elements[size_t(element)];
    return QRectF(e.displayLeft, e.displayTop, e.displayRight - e.displayLeft,
                  e.displayBottom - e.displayTop);
}

// The first element showing a picture: its proportions are those the picture is drawn in.
std::optional<int> firstElementShowing(int picture) {
    for (int e = 1; e < kFrontonElementCount; ++e)
        if (e >= element::kEndReels || e < element::kFirstReel)
            if (elementPicture(layout().elements[size_t(e)]) == picture && e != element::kAdvert)
                return e;
    return std::nullopt;
}

PlateStyle wordStyle(QColor lit, QColor glowColour) {
    PlateStyle s;
    s.plate = QColor(22, 10, 20);
    s.edge = QColor(110, 80, 40, 160);
    s.litText = lit;
    s.litGlow = glowColour;
    s.darkText = QColor(62, 40, 44);
    s.font = condensedBold(40);
    s.corner = 0.28;
    return s;
}

PlateStyle digitStyle() {
    PlateStyle s = wordStyle(QColor(255, 246, 190), QColor(255, 150, 30, 200));
    s.font = sansBold(40);
    s.heightShare = 0.72;
    s.widthShare = 0.8;
    s.corner = 0.2;
    return s;
}

struct Lettering {
    QString text;
    PlateStyle style;
};

// The lettering of the single-word and digit pictures.
std::optional<Lettering> letteringOf(int picture) {
    const QColor red(255, 70, 50), yellow(255, 236, 90), orange(255, 160, 40), green(140, 255, 120),
        white(255, 250, 235), cyan(120, 240, 255);
    const QColor warmGlow(255, 120, 20, 190), redGlow(255, 30, 20, 200), greenGlow(40, 220, 60, 180),
        cyanGlow(40, 200, 255, 170);
    if (picture >= 5 && picture <= 14)
        return Lettering{QString::number(picture - 5), digitStyle()};
    if (picture >= 31 && picture <= 34) {
        PlateStyle s = digitStyle();
        s.plate = QColor(30, 8, 34);
        s.litText = white;
        s.litGlow = QColor(255, 200, 60, 220);
        s.darkText = QColor(80, 40, 90);
        return Lettering{QString::number(picture - 30), s};
    }
    switch (picture) {
    case 15:
        return Lettering{"SCORES MULTIPLIES PAR", wordStyle(cyan, cyanGlow)};
    case 16:
        return Lettering{"RESTE", wordStyle(white, warmGlow)};
    case 17:
    case 18: {
        PlateStyle s = wordStyle(white, warmGlow);
        s.align = Qt::AlignLeft; // the two words start at one place and must read as one
        s.heightShare = 0.6;
        return Lettering{picture == 17 ? "SECONDES" : "SECONDE", s};
    }
    case 19: {
        PlateStyle s = wordStyle(red, redGlow);
        s.heightShare = 0.62;
        s.font = sansBold(40);
        return Lettering{"TILT", s};
    }
    case 20:
        return Lettering{"GAME OVER", wordStyle(red, redGlow)};
    case 22:
        return Lettering{"MATCH", wordStyle(yellow, warmGlow)};
    case 23:
        return Lettering{"BALL IN PLAY", wordStyle(orange, warmGlow)};
    case 24:
        return Lettering{"SAME PLAYER SHOOT AGAIN", wordStyle(green, greenGlow)};
    case 27:
        return Lettering{"RECORD A BATTRE", wordStyle(yellow, warmGlow)};
    case 35:
    case 36:
    case 37:
    case 38: {
        static const char* bands[] = {"1ST PLAYER", "2ND PLAYER", "3RD PLAYER", "4TH PLAYER"};
        PlateStyle s = wordStyle(QColor(255, 214, 80), QColor(255, 110, 0, 210));
        s.plate = QColor(36, 12, 8);
        s.edge = QColor(200, 150, 60, 200);
        s.heightShare = 0.58;
        s.widthShare = 0.8;
        return Lettering{bands[picture - 35], s};
    }
    default:
        return std::nullopt;
    }
}

void paintCellContent(QPainter& p, int picture, const QRectF& box, bool lit);

// A child element's unlit picture at its place inside its parent, in the parent's design units.
void paintChild(QPainter& p, int child, int parent) {
    auto picture = elementPicture(layout().elements[size_t(child)]);
    if (!picture)
        return;
    QRectF at = displayRect(child).translated(-displayRect(parent).topLeft());
    paintCellContent(p, *picture, at, false);
}

void paintPanel(QPainter& p, const QRectF& box, bool lit, const QStringList& lines, const QList<QRectF>& rows,
                QColor litTop, QColor litBottom) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, lit ? litTop : QColor(30, 12, 34));
    g.setColorAt(1, lit ? litBottom : QColor(16, 6, 20));
    p.setPen(QPen(QColor(190, 140, 60), 2));
    p.setBrush(g);
    p.drawRoundedRect(box.adjusted(1, 1, -1, -1), 8, 8);
    for (int i = 0; i < lines.size() && i < rows.size(); ++i) {
        QPainterPath letters = fittedText(lines[i], condensedBold(40), rows[i], 0.72, 0.9);
        if (lit) {
            glow(p, letters, QColor(255, 190, 60, 150), rows[i].height() * 0.15);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 248, 215));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(74, 48, 80));
        }
        p.drawPath(letters);
    }
    p.restore();
}

void paintCellContent(QPainter& p, int picture, const QRectF& box, bool lit) {
    if (auto l = letteringOf(picture)) {
        paintPlate(p, box, l->text, l->style, lit);
        return;
    }
    if (picture == 25) { // players panel, digits 1-4 over it (elements 45-48)
        qreal w = box.width(), h = box.height();
        paintPanel(p, box, lit, {"A GAME OF SKILL", "PLAYERS CAN PLAY", "AT THE SAME TIME"},
                   {QRectF(box.left() + 8, box.top() + 4, w - 16, 22),
                    QRectF(box.left() + 8, box.top() + 60, w - 16, 22),
                    QRectF(box.left() + 8, box.top() + h - 30, w - 16, 22)},
                   QColor(150, 40, 170), QColor(70, 10, 100));
        p.save();
        p.translate(box.topLeft());
        for (int child = 45; child <= 48; ++child)
            paintChild(p, child, 42);
        p.restore();
        return;
    }
    if (picture == 26) { // competition panel, GAME OVER over it (element 37)
        qreal w = box.width();
        paintPanel(p, box, lit, {"IT'S MORE FUN", "TO COMPETE"},
                   {QRectF(box.left() + 8, box.top() + 6, w - 16, 28),
                    QRectF(box.left() + 8, box.top() + 36, w - 16, 28)},
                   QColor(200, 60, 30), QColor(100, 15, 20));
        p.save();
        p.translate(box.topLeft());
        paintChild(p, 37, 43);
        p.restore();
        return;
    }
}

// The proportions a picture is drawn in: the element showing it, or its own for shared digits.
QSizeF logicalSize(int picture) {
    if (picture >= 5 && picture <= 14)
        return sourceRect(picture).size();
    if (auto e = firstElementShowing(picture))
        return displayRect(*e).size();
    return sourceRect(picture).size();
}

bool drawnOnSheet(int picture) {
    return (picture >= 5 && picture <= 20) || (picture >= 22 && picture <= 27) ||
           (picture >= 31 && picture <= 38);
}

} // namespace

QImage cellPicture(int picture, bool lit) {
    if (!drawnOnSheet(picture))
        return {};
    QRectF source = sourceRect(picture);
    QSizeF logical = logicalSize(picture);
    QImage img = canvas(int(source.width()), int(source.height()));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(source.width() / logical.width(), source.height() / logical.height());
    paintCellContent(p, picture, QRectF(QPointF(0, 0), logical), lit);
    return img;
}

QImage drawSymbolSheet() {
    QImage sheet(1000, 540, QImage::Format_RGB32);
    sheet.fill(kPureBlue);
    QPainter p(&sheet);
    // BALL IN PLAY first: SECONDES shares a corner of its rectangle and is drawn over it.
    std::vector<int> order;
    order.push_back(23);
    for (int picture = 5; picture <= 38; ++picture)
        if (picture != 23 && drawnOnSheet(picture))
            order.push_back(picture);
    for (int picture : order) {
        QRectF at = sourceRect(picture);
        p.drawImage(at.topLeft(), keyOnBlue(cellPicture(picture, true)));
    }
    return sheet;
}

QImage drawReelStrip() {
    QImage strip(40, 660, QImage::Format_RGB32);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int cell = 0; cell < 11; ++cell) {
        QRectF box(0, 60 * cell, 40, 60);
        // Ivory drum, darker towards its edges like a lit cylinder.
        QLinearGradient g(box.topLeft(), box.topRight());
        g.setColorAt(0.0, QColor(150, 138, 110));
        g.setColorAt(0.12, QColor(236, 226, 198));
        g.setColorAt(0.5, QColor(250, 244, 226));
        g.setColorAt(0.88, QColor(236, 226, 198));
        g.setColorAt(1.0, QColor(150, 138, 110));
        p.fillRect(box, g);
        int digit = cell == 0 ? 9 : cell - 1;
        QPainterPath glyph = fittedText(QString::number(digit), sansBold(60), box, 0.7, 0.78);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(22, 18, 16));
        p.drawPath(glyph);
    }
    return strip;
}

void paintUnlitElements(QPainter& p) {
    std::map<int, QImage> unlit;
    std::vector<QRectF> printed;
    // Two elements sharing nearly one place ("SECONDES", "SECONDE") are printed once.
    auto samePlace = [&](const QRectF& r) {
        for (const QRectF& o : printed) {
            QRectF common = o.intersected(r);
            qreal area = common.width() * common.height();
            if (area >= 0.8 * r.width() * r.height() && area >= 0.8 * o.width() * o.height())
                return true;
        }
        return false;
    };
    for (int layer = 0; layer < kFrontonLayerCount; ++layer)
        for (int e = 1; e < element::kAdvert; ++e) {
            const FrontonElement& el = layout().elements[size_t(e)];
            if (el.layer != layer || (e >= element::kFirstReel && e < element::kEndReels))
                continue;
            auto picture = elementPicture(el);
            if (!picture || !drawnOnSheet(*picture) || samePlace(displayRect(e)))
                continue;
            auto it = unlit.find(*picture);
            if (it == unlit.end())
                it = unlit.emplace(*picture, cellPicture(*picture, false)).first;
            p.drawImage(displayRect(e), it->second);
            printed.push_back(displayRect(e));
        }
}

} // namespace pinstage::art
