// Back-to-menu hint drawing.
#include "display/BackToMenuText.h"

#include "display/FramePlan.h"
#include "display/TextFit.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace pinstage {

QRect drawBackToMenuText(QImage& target) {
    QFont font;
    font.setPixelSize(40);
    font.setWeight(QFont::Weight(255));
    font.setItalic(true);
    const QString text = QString::fromUtf8(kBackToMenuText);
    const QRect area(5, 5, target.width() - 5, target.height() - 5);
    // Same place and colour on every screen; a screen too narrow for the line gets a smaller font.
    font = fitToWidths(font, {text}, {area.width()});
    QPainter p(&target);
    p.setFont(font);
    p.setPen(QColor(255, 85, 118));
    QRect box = p.fontMetrics().boundingRect(area, Qt::AlignLeft | Qt::AlignTop, text);
    p.drawText(area, Qt::AlignLeft | Qt::AlignTop, text);
    // Italic glyphs lean out of their advance box.
    return box.adjusted(-4, -2, 12, 2) & target.rect();
}

} // namespace pinstage
