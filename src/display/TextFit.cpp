// Fitting a line of text to the room it has.
#include "display/TextFit.h"

#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

namespace pinstage {

int inkWidth(const QFont& font, const QString& text) {
    QFontMetrics metrics(font);
    // Italic glyphs lean out of their advance box on the right.
    return std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).right() + 1);
}

QFont fitToWidths(QFont font, const QStringList& texts, const QList<int>& room, int smallestPixels) {
    auto fits = [&](const QFont& f) {
        for (qsizetype i = 0; i < texts.size() && i < room.size(); ++i)
            if (inkWidth(f, texts[i]) > room[i])
                return false;
        return true;
    };
    if (font.pixelSize() <= 0)
        font.setPixelSize(QFontMetrics(font).height());
    while (!fits(font) && font.pixelSize() > smallestPixels)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

} // namespace pinstage
