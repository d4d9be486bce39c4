// The dashboard's colours and fonts.
#pragma once

#include "board/ContactGridObserver.h"

#include <QColor>
#include <QFont>

namespace pinstage::dash {

inline const QColor kWindowColour{128, 128, 0};
inline const QColor kFixedBlue{0, 0, 255};
inline const QColor kOpenGreen{0, 128, 0};
inline const QColor kFlashRed{255, 0, 0};
inline const QColor kDirectYellow{255, 255, 0};
inline const QColor kSettingsCyan{0, 255, 255};
inline const QColor kAccountingSilver{192, 192, 192};
inline const QColor kWhite{255, 255, 255};
inline const QColor kBlack{0, 0, 0};
inline const QColor kTextRed{255, 0, 0};
// Coils and lamps at rest, and a coil held on, in the test grids.
inline const QColor kOutputIdle{48, 48, 48};
inline const QColor kCoilHeld{255, 128, 0};
inline const QColor kLampLit{255, 255, 0};

QColor toQColor(GridColour c);

// Text that stays readable on a cell: black on light colours, white on dark ones.
QColor readableTextOn(const QColor& background);

// "MS Sans Serif" is asked for first; where it is missing a sans of the same size stands in.
QFont dashboardFont(int pixelSize);
QFont gridFontPoints(int pointSize);

} // namespace pinstage::dash
