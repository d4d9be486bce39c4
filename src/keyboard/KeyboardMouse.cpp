// Mouse handling of the keyboard: press, release with capture, hover, and the key states they set.
#include "clavpack/Claviervirtuel.h"

#include <QMouseEvent>
#include <QPointer>

namespace pinstage {

void TClavierVirtuel::DownButtonFromPoint(QPoint point) {
    // A handler of the signals may close the window that owns the keyboard.
    const QPointer<TClavierVirtuel> alive(this);
    for (int row = 0; row < VKRowCount; ++row) {
        for (int place = 0; place < VKRowPlaces; ++place) {
            TVKInfo& info = ButtonInfo[row][place];
            if (!info.Rect.contains(point)) {
                info.State = vksNormal;
                continue;
            }
            const TVKButton key = RowsOrder[row][place];
            ButtonType(key);
            if (!alive)
                return;
            info.State = (info.State == vksDown) ? vksHover : vksDown;
            emit OnButtonDown(this, key);
            if (!alive)
                return;
        }
    }
}

void TClavierVirtuel::UpButtonFromPoint(QPoint point) {
    for (auto& row : ButtonInfo) {
        for (TVKInfo& info : row) {
            if (!info.Rect.contains(point))
                info.State = vksNormal;
            else if (info.State == vksDown)
                info.State = vksHover;
        }
    }
}

void TClavierVirtuel::HoverButtonFromPoint(QPoint point) {
    for (auto& row : ButtonInfo) {
        for (TVKInfo& info : row) {
            if (info.State == vksHover &&
                (info.Rect.contains(FLastMousePos) || info.Rect.contains(FLastMouseClick)))
                info.State = vksNormal;
            if (info.State == vksNormal && info.Rect.contains(point))
                info.State = vksHover;
        }
    }
}

void TClavierVirtuel::ForceUpAllButton() {
    for (auto& row : ButtonInfo) {
        for (TVKInfo& info : row)
            info.State = vksNormal;
    }
}

void TClavierVirtuel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const QPointer<TClavierVirtuel> alive(this);
    DownButtonFromPoint(point);
    if (!alive)
        return;
    FLastMouseClick = point;
    FLastMousePos = point;
    RegenerateKeys = true;
    repaint();
    // Qt keeps the mouse on this widget until the release; the flag lets moves meanwhile be ignored.
    FMouseCaptured = true;
    event->accept();
}

void TClavierVirtuel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    FMouseCaptured = false;
    const QPoint point = event->position().toPoint();
    UpButtonFromPoint(point);
    FLastMouseClick = point;
    RegenerateKeys = true;
    repaint();
    event->accept();
}

void TClavierVirtuel::mouseMoveEvent(QMouseEvent* event) {
    if (FMouseCaptured) {
        if (event->buttons() & Qt::LeftButton)
            return;
        // The release went elsewhere: the capture cannot outlive the button.
        FMouseCaptured = false;
    }
    const QPoint point = event->position().toPoint();
    HoverButtonFromPoint(point);
    FLastMousePos = point;
    RegenerateKeys = true;
    repaint();
    event->accept();
}

void TClavierVirtuel::hideEvent(QHideEvent* event) {
    FMouseCaptured = false;
    QWidget::hideEvent(event);
}

} // namespace pinstage
