// The hint written over the attract-mode backglass when the table choice is offered at start-up.
#pragma once

#include <QRect>

class QImage;

namespace pinstage {

// Writes the back-to-menu text at 5, 5 (red 255, green 85, blue 118, 40 pixels high, italic,
// weight 255, default face, transparent background) and returns the rectangle it covers. On a
// screen too narrow for the whole line at that size, the font is made smaller until it fits.
QRect drawBackToMenuText(QImage& target);

} // namespace pinstage
