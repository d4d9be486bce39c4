// One drawable backglass element: a rectangle of its symbol surface drawn at its place on the
// screen with pure blue left out, or painted over with what lies under it.
#pragma once

#include "display/FramePlan.h"

class QImage;
class QPainter;

namespace pinstage {

class Symbol {
public:
    SymbolPlacement place;
    const QImage* surface = nullptr; // the element's symbol surface; none: nothing is drawn

    // Draws the source rectangle onto the destination rectangle (stretched), sets shown.
    void draw(QPainter& target);
    // Paints the rectangle `from` of background over the destination rectangle (transparent parts
    // of the background left out), clears shown. Without a background the place is painted black
    // so that a hidden element never stays on the screen.
    void erase(QPainter& target, const QImage* background, const PixelRect& from);
};

} // namespace pinstage
