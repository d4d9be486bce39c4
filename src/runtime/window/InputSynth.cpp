// Key, click and pointer synthesis on Qt.
#include "runtime/window/InputSynth.h"

#include "platform/qt/FullScreen.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace pinstage {

namespace {

std::optional<int> keyOf(const QString& name) {
    if (name == "Escape")
        return Qt::Key_Escape;
    if (name == "Return")
        return Qt::Key_Return;
    if (name == "Enter")
        return Qt::Key_Enter;
    if (name == "Tab")
        return Qt::Key_Tab;
    if (name == "Backtab")
        return Qt::Key_Backtab;
    if (name == "Space")
        return Qt::Key_Space;
    return std::nullopt;
}

QString textOf(int key) {
    switch (key) {
    case Qt::Key_Escape:
        return QString(QChar(0x1B));
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QString(QChar('\r'));
    case Qt::Key_Tab:
        return QString(QChar('\t'));
    case Qt::Key_Space:
        return QString(QChar(' '));
    default:
        return {};
    }
}

} // namespace

InputSynth::InputSynth(QWidget* fallback, std::optional<PointerKind> kind) : fallback_(fallback) {
    if (kind.value_or(platformPointerKind()) == PointerKind::Drawn)
        drawn_ = std::make_unique<DrawnPointer>();
}

InputSynth::~InputSynth() {
    drawn_.reset(); // the arrow goes with its owner, not shown again on the way out
    setCursorShown(true);
}

QWidget* InputSynth::keyTarget() const {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        // Inside a modal window the key goes to its focused child, else to the window.
        QWidget* focus = modal->focusWidget();
        return focus && modal->isAncestorOf(focus) ? focus : modal;
    }
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    if (QWidget* focus = QApplication::focusWidget())
        return focus;
    return fallback_;
}

bool InputSynth::pressKey(const QString& name) {
    auto key = keyOf(name);
    if (!key)
        return false;
    QWidget* target = keyTarget();
    if (!target)
        return false;
    Qt::KeyboardModifiers mods = *key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier;
    QKeyEvent press(QEvent::KeyPress, *key, mods, textOf(*key));
    QApplication::sendEvent(target, &press);
    // The press may have closed the window: the release goes to whoever takes keys now.
    if (QWidget* after = keyTarget()) {
        QKeyEvent release(QEvent::KeyRelease, *key, mods, textOf(*key));
        QApplication::sendEvent(after, &release);
    }
    return true;
}

void InputSynth::setCursorPos(QPoint p) {
    if (confinement_)
        p = nearestPointInside(*confinement_, p);
    pos_ = p;
    if (drawn_)
        drawn_->moveTo(p);
    else
        QCursor::setPos(p);
}

void InputSynth::confine(const QRect& area) {
    confinement_ = area.normalized();
    if (confinement_->isEmpty())
        confinement_ = QRect(confinement_->topLeft(), QSize(1, 1));
    // A clip rectangle: the pointer the operator moves is left alone while it is inside, and
    // only a pointer outside is brought to the nearest point inside. The drawn pointer is the
    // only one the program knows of: the system's cannot be read or moved there.
    QPoint real = drawn_ ? pos_ : QCursor::pos();
    QPoint inside = nearestPointInside(*confinement_, real);
    pos_ = inside;
    if (drawn_)
        drawn_->moveTo(inside);
    else if (inside != real)
        QCursor::setPos(inside);
}

bool InputSynth::click() {
    // Where the pointer is drawn, the platform does not know where windows are: the point is
    // found in the layout the program gave them, as the arrow is.
    QPoint at;
    QWidget* w = drawn_ ? placedWidgetAt(pos_, &at) : QApplication::widgetAt(pos_);
    if (!w)
        return false;
    QPointF local = drawn_ ? QPointF(at) : w->mapFromGlobal(QPointF(pos_));
    QMouseEvent press(QEvent::MouseButtonPress, local, QPointF(pos_), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, QPointF(pos_), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
    return true;
}

void InputSynth::setCursorShown(bool shown) {
    if (shown == shown_)
        return;
    shown_ = shown;
    if (drawn_)
        drawn_->setShown(shown);
    if (shown)
        QApplication::restoreOverrideCursor();
    else
        QApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
}

} // namespace pinstage
