// Builds the picture of one key: a face template stretched by thirds with the caption centred on it.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

namespace pinstage {

// Key pictures are drawn at 96 dots per inch whatever the screen, so that a 10-point caption
// always gives the same key widths and the rows fit the keyboard picture.
inline constexpr int KeyDotsPerMeter = 3780;

// Width of a caption in the font the keys are drawn with.
int keyCaptionWidth(const QFont& font, const QString& caption);

// Draws the template stretched to `width` (left third, middle third repeated, right third), then the
// caption centred. Pixels of the template's bottom-left colour become transparent. Returns a null image
// when no picture can be made (empty template, width below 1).
QImage composeKeyImage(const QImage& keyTemplate, int width, const QString& caption, const QFont& font,
                       const QColor& textColour);

} // namespace pinstage
