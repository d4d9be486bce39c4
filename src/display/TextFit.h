// Texts written at a fixed place on the screen: the font gets smaller until the line fits.
#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

namespace pinstage {

// The width the text takes in font, italic overhang included.
int inkWidth(const QFont& font, const QString& text);

// font itself when every text fits in its room (room[i] pixels for texts[i]), else the largest
// smaller pixel size that fits them all (never below smallestPixels).
QFont fitToWidths(QFont font, const QStringList& texts, const QList<int>& room, int smallestPixels = 8);

} // namespace pinstage
