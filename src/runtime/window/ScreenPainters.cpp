// Painting of the selection screen and of the shutdown notice.
#include "runtime/window/ScreenPainters.h"

#include "display/QtPath.h"
#include "display/TextFit.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <array>

namespace pinstage {

namespace {

QRect toQRect(const ChoiceRect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

QColor rgb(const std::array<int, 3>& c) {
    return QColor(c[0], c[1], c[2]);
}

} // namespace

QImage paintSelectionScreen(const SelectionLayout& layout, int current, const DataRoot& root) {
    QImage screen(std::max(layout.width, 1), std::max(layout.height, 1), QImage::Format_RGB32);
    screen.fill(QColor(240, 240, 240));
    QPainter p(&screen);
    QFont font;
    font.setPointSize(kSelectionTextSize);
    p.setFont(font);
    p.setPen(rgb(kSelectionTextColour));
    QFontMetrics metrics(font);
    for (size_t k = 0; k < kSelectionTexts.size(); ++k) {
        QString text = QString::fromUtf8(kSelectionTexts[k].data(), qsizetype(kSelectionTexts[k].size()));
        int width = metrics.horizontalAdvance(text);
        p.drawText(layout.textLines[k].x - width / 2, layout.textLines[k].y, text);
    }

    const QRect source(kChoiceSourceArea.left, kChoiceSourceArea.top, kChoiceSourceArea.right,
                       kChoiceSourceArea.bottom);
    for (int i = 0; i < kChoiceCount; ++i) {
        QRect cell = toQRect(layout.choiceRects[size_t(i)]);
        if (cell.isEmpty())
            continue;
        // Loaded for this drawing only, released after it.
        QImage picture;
        std::string name(choicePictureName(i));
        if (picture.load(toQString(root.file(DataDir::Images, name)))) {
            p.drawImage(cell, picture, source & picture.rect());
        } else {
            p.fillRect(cell, QColor(96, 96, 96));
            p.setPen(Qt::white);
            p.drawText(cell, Qt::AlignCenter, QString::number(i));
            p.setPen(rgb(kSelectionTextColour));
        }
    }

    ChoiceRect f = selectionFrame(layout, current);
    QPen pen(rgb(kSelectionFrameColour));
    pen.setWidth(kSelectionFramePen);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(QPoint(f.left, f.top), QPoint(f.right, f.bottom)));
    return screen;
}

void paintShutdownNotice(QImage& screen) {
    constexpr std::array<QPoint, 3> at{QPoint(350, 300), QPoint(100, 375), QPoint(200, 450)};
    const double sx = screen.width() / 1360.0;
    const double sy = screen.height() / 768.0;
    QFont font;
    font.setPixelSize(std::max(1, int(65 * sy)));
    // Each line keeps its place; one smaller font for all three when a line would leave the screen.
    QStringList lines;
    QList<int> room;
    for (size_t k = 0; k < at.size(); ++k) {
        lines << QString::fromUtf8(kShutdownLines[k]);
        room << screen.width() - int(at[k].x() * sx);
    }
    font = fitToWidths(font, lines, room);
    QPainter p(&screen);
    p.setFont(font);
    p.setPen(QColor(255, 255, 0));
    QFontMetrics metrics(font);
    for (size_t k = 0; k < at.size(); ++k) {
        // The position is the top of the text, as a canvas writes it.
        QPoint topLeft(int(at[k].x() * sx), int(at[k].y() * sy));
        p.drawText(topLeft + QPoint(0, metrics.ascent()), lines[qsizetype(k)]);
    }
}

} // namespace pinstage
