// The help page of the dashboard's sounds page ("modemploison.bmp"): a drawing of the page with
// numbered marks and, under it, what each mark does, in French.
#pragma once

#include <QImage>

namespace pinstage::art {

constexpr int kSoundHelpWidth = 1000;
constexpr int kSoundHelpHeight = 600;

QImage drawSoundHelpPage();

} // namespace pinstage::art
