// Full-screen geometry and centring on a screen.
#include "platform/qt/FullScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace pinstage {

QScreen* screenOf(const QWidget* window) {
    QScreen* s = window ? window->screen() : nullptr;
    return s ? s : QGuiApplication::primaryScreen();
}

void coverScreen(QWidget& window, QScreen* screen) {
    if (!screen)
        screen = screenOf(&window);
    if (!(window.windowFlags() & Qt::FramelessWindowHint)) {
        // Changing the flags hides a shown window: it is shown again, covering the screen.
        bool shown = window.isVisible();
        window.setWindowFlag(Qt::FramelessWindowHint, true);
        if (shown)
            window.show();
    }
    if (screen)
        window.setGeometry(screen->geometry());
    window.setWindowState(window.windowState() | Qt::WindowFullScreen);
    // A full-screen request answered by no one must not leave the window smaller: the geometry
    // is asked again once the state is set (Qt may take the saved normal size back meanwhile).
    if (screen && window.geometry() != screen->geometry())
        window.setGeometry(screen->geometry());
}

void centreOnScreen(QWidget& window, QScreen* screen) {
    if (!screen)
        screen = screenOf(&window);
    if (!screen)
        return;
    QRect area = screen->geometry();
    QSize size = window.frameGeometry().size();
    if (size.isEmpty())
        size = window.sizeHint();
    // Centred as a kiosk compositor centres a box itself (half the free room each side), so that
    // where the program believes the box is matches where it is shown under Wayland.
    window.move(area.topLeft() +
                QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2));
}

QPoint nearestPointInside(const QRect& area, QPoint p) {
    return QPoint(std::clamp(p.x(), area.left(), std::max(area.left(), area.right())),
                  std::clamp(p.y(), area.top(), std::max(area.top(), area.bottom())));
}

} // namespace pinstage
