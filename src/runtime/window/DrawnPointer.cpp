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
        resize(14, 22);
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
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(Qt::white);
        p.drawPath(arrow);
    }
};

// The top-level window the arrow belongs on: the active modal box when the point is in it
// (it lies above the rest), else the window under the point.
QWidget* hostAt(QPoint global) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible() && modal->geometry().contains(global))
        return modal;
    QWidget* under = QApplication::widgetAt(global);
    return under ? under->window() : nullptr;
}

} // namespace

PointerKind pointerKindFor(const QString& platformName) {
    return platformName.startsWith(QLatin1String("wayland")) ? PointerKind::Drawn : PointerKind::System;
}

PointerKind platformPointerKind() {
    return pointerKindFor(QGuiApplication::platformName());
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
    QWidget* host = placed_ && shown_ ? hostAt(pos_) : nullptr;
    if (!host) {
        if (arrow_)
            arrow_->hide();
        return;
    }
    if (!arrow_)
        arrow_ = new PointerArrow(host);
    else if (arrow_->parentWidget() != host)
        arrow_->setParent(host); // a window closing takes the arrow with it; a new one is made then
    arrow_->move(host->mapFromGlobal(pos_) - kHotSpot);
    arrow_->raise();
    arrow_->show();
    arrow_->update();
}

} // namespace pinstage
