// The two full-screen pictures the window draws itself: the table selection screen and the
// shutdown notice written over the last backglass frame.
#pragma once

#include "platform/DataRoot.h"
#include "runtime/SelectionLayout.h"

#include <QImage>

namespace pinstage {

// The selection screen at the layout's size: the three texts in blue, the eight choice pictures
// ("choixN.bmp" of the backglass pictures directory, its 320 x 240 corner scaled into its cell;
// a missing picture leaves a grey cell with its number) and the red frame on the current choice.
QImage paintSelectionScreen(const SelectionLayout& layout, int current, const DataRoot& root);

// The three lines of the shutdown notice in yellow (65 pixels high) over the picture, at their
// places on the 1360 x 768 design screen scaled to the picture's size; the font is made smaller
// when a line would run past the right edge.
void paintShutdownNotice(QImage& screen);

inline constexpr const char* kShutdownLines[3] = {
    "Le flipper lumiscope va s'éteindre",
    "merci de patienter que le pc soit complètement arrêté",
    "avant de couper l'alimentation du flipper",
};

} // namespace pinstage
