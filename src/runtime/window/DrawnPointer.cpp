// The drawn pointer: an arrow widget that follows the position over whichever window lies there.
// A child of that window rather than a window of its own, because a Wayland client cannot place
// its own top-level windows either, and a child needs neither a window manager nor the compositor.
#include "runtime/window/DrawnPointer.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace pinstage {

namespace {

// The classic arrow, tip at the hot spot, white with a black outline so that it shows on any
// picture.
class PointerArrow : public QWidget {
public:
    explicit PointerArrow(QWidget* host) : QWidget(host) {
        setObjectName("pinstage-drawn-pointer");
        // Clicks and QApplication::widgetAt go through it to the widget beneath.
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        resize(20, 32); // the arrow's picture, half as large again as a desktop one: read from a distance
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const QPoint h = DrawnPointer::kHotSpot;
        QPainterPath arrow;
        arrow.moveTo(h.x(), h.y());
        arrow.lineTo(h.x(), h.y() + 16);
        arrow.lineTo(h.x() + 4, h.y() + 12);
        arrow.lineTo(h.x() + 7, h.y() + 19);
        arrow.lineTo(h.x() + 10, h.y() + 18);
        arrow.lineTo(h.x() + 7, h.y() + 11);
        arrow.lineTo(h.x() + 12, h.y() + 11);
        arrow.closeSubpath();
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(h);
        p.scale(1.5, 1.5);
        p.translate(-h);
        p.setPen(QPen(Qt::black, 1.0));
        p.setBrush(Qt::white);
        p.drawPath(arrow);
    }
};

} // namespace

QWidget* placedWindowAt(QPoint global) {
    auto takes = [&](QWidget* w) {
        return w && w->isVisible() && w->windowType() != Qt::ToolTip &&
               !w->testAttribute(Qt::WA_TransparentForMouseEvents) && w->geometry().contains(global);
    };
    if (QWidget* modal = QApplication::activeModalWidget(); takes(modal))
        return modal;
    if (QWidget* popup = QApplication::activePopupWidget(); takes(popup))
        return popup;
    const QWidgetList widgets = QApplication::topLevelWidgets();
    const QWindowList windows = QGuiApplication::topLevelWindows();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        for (QWidget* w : widgets) {
            if (w->windowHandle() == *it && takes(w))
                return w;
        }
    }
    return nullptr;
}

QWidget* placedWidgetAt(QPoint global, QPoint* local) {
    QWidget* top = placedWindowAt(global);
    if (!top)
        return nullptr;
    QPoint inTop = global - top->geometry().topLeft();
    QWidget* child = top->childAt(inTop);
    QWidget* w = child ? child : top;
    if (local)
        *local = w->mapFrom(top, inTop);
    return w;
}

QPoint placedToGlobal(const QWidget& widget, QPoint local) {
    const QWidget* top = widget.window();
    return widget.mapTo(top, local) + top->geometry().topLeft();
}

PointerKind pointerKindFor(const QString& platformName, const QString& waylandDisplay) {
    if (platformName.startsWith(QLatin1String("wayland")))
        return PointerKind::Drawn;
    if (platformName == QLatin1String("xcb") && !waylandDisplay.isEmpty())
        return PointerKind::Drawn;
    return PointerKind::System;
}

PointerKind platformPointerKind() {
    return pointerKindFor(QGuiApplication::platformName(), qEnvironmentVariable("WAYLAND_DISPLAY"));
}

DrawnPointer::DrawnPointer() {
    qApp->installEventFilter(this);
}

DrawnPointer::~DrawnPointer() {
    delete arrow_.data();
}

void DrawnPointer::moveTo(QPoint global) {
    pos_ = global;
    placed_ = true;
    refresh();
}

void DrawnPointer::setShown(bool shown) {
    shown_ = shown;
    refresh();
}

bool DrawnPointer::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
        if (placed_ && watched != arrow_ && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            refreshLater();
        break;
    default:
        break;
    }
    return false;
}

void DrawnPointer::refreshLater() {
    // Not inside the window's own show or hide: the arrow may have to change windows.
    if (refreshQueued_)
        return;
    refreshQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        refreshQueued_ = false;
        refresh();
    });
}

void DrawnPointer::refresh() {
    QWidget* host = placed_ && shown_ ? placedWindowAt(pos_) : nullptr;
    if (!host) {
        if (arrow_)
            arrow_->hide();
        return;
    }
    if (!arrow_)
        arrow_ = new PointerArrow(host);
    else if (arrow_->parentWidget() != host)
        arrow_->setParent(host); // a window closing takes the arrow with it; a new one is made then
    arrow_->move(pos_ - host->geometry().topLeft() - kHotSpot);
    arrow_->raise();
    arrow_->show();
    arrow_->update();
}

} // namespace pinstage
