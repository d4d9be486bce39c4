// The advertising overlay: one 64 x 64 picture of 16-bit colour shown four times enlarged above
// the backglass at the overlay coordinates, pure green left out.
#pragma once

#include "display/ScreenMapping.h"

#include <QImage>

namespace pinstage {

struct Overlay {
    static constexpr int kSide = 64;
    static constexpr int kStretch = 4;

    QImage surface; // Format_RGB555, the picture the advertisers load into
    bool visible = false;
    int32_t x = 0; // overlay coordinates, set by the advertising pictures
    int32_t y = 0;

    bool exists() const { return !surface.isNull(); }
    void create();
    void release();
    // Where the overlay lies on the screen when shown.
    PixelRect screenRect() const;
    // The surface as drawn: 256 x 256, pure green (the 5-5-5 green mask) transparent.
    QImage keyed() const;
};

} // namespace pinstage
