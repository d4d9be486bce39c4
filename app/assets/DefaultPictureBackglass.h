// The full-size backgrounds of the default pictures: the built-in backglass and its variants for
// the other selectable configurations.
#pragma once

#include <QImage>
#include <QString>

namespace pinstage::art {

// A 1360 x 768 backglass in the style of a 1970s electromechanical machine: dark glass lit from
// behind, sunburst, pentacle emblem, the table name, score and credit windows, and every word and
// digit of the layout printed unlit at its place. hueShift turns the colours for the variants.
QImage drawBackglass(const QString& title, int hueShift);

// A colour with its hue turned by shift degrees (greys stay grey).
QColor turned(const QColor& c, int shift);

} // namespace pinstage::art
