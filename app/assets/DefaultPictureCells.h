// The lettered pictures of the built-in backglass: the symbol sheet "ossymbols2.bmp" with every
// word, panel and digit the layout cuts from it, the reel strip "osrlx1.bmp", and the same
// lettering unlit, printed on the background glass under each element.
#pragma once

#include <QImage>

class QPainter;

namespace pinstage::art {

// Picture p of the built-in layout at its source rectangle's size, lit or not (transparent
// corners); null for a picture that is not cut from the sheet or that no element shows.
QImage cellPicture(int picture, bool lit);
// The symbol sheet: each used source rectangle holds its picture lit, pure blue elsewhere.
QImage drawSymbolSheet();
// The 40 x 660 reel strip: eleven 60-pixel cells, cell 0 shows 9, cell c shows c - 1.
QImage drawReelStrip();
// The unlit lettering of every element of the built-in layout at its design place (1360 x 768).
void paintUnlitElements(QPainter& p);

} // namespace pinstage::art
