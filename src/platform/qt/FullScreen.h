// Full-screen windows that do not depend on a window manager: a cabinet often runs X with
// pinstage alone, where nothing answers a full-screen request.
#pragma once

#include <QPoint>
#include <QRect>

class QScreen;
class QWidget;

namespace pinstage {

// The screen a window is on, else the primary screen (null only without any screen).
QScreen* screenOf(const QWidget* window);

// Makes the top-level window cover the whole screen, frameless: the geometry is set here, and the
// full-screen state is asked as well for a window manager, when one runs. Works before and after
// the window is shown.
void coverScreen(QWidget& window, QScreen* screen);

// Moves a top-level window (a box) to the middle of the screen, keeping its size.
void centreOnScreen(QWidget& window, QScreen* screen);

// The point of area nearest to p (p itself when it lies inside); area must not be empty.
QPoint nearestPointInside(const QRect& area, QPoint p);

} // namespace pinstage
