// A pointer the program draws itself, for platforms where a client may not move the system
// pointer (Wayland): a small arrow laid over the top-level window under the point.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

class QWidget;

namespace pinstage {

// How the pointer the buttons drive is shown: the system pointer moved there, or our own arrow.
enum class PointerKind { System, Drawn };

// The one decision: a Wayland client cannot move the system pointer, so it draws its own. An X
// client of Xwayland (a Wayland display given) may warp the X pointer, but the pointer shown is
// the compositor's, which does not follow: it draws its own too.
PointerKind pointerKindFor(const QString& platformName, const QString& waylandDisplay = {});
// The kind for the running application's platform.
PointerKind platformPointerKind();

// The layout the program gave its windows is the only one known under Wayland, where a client is
// not told where its windows are (Qt places them all at 0,0): the visible top-level window at a
// global point by the geometry the program set (the active modal box first, then the latest
// made), and the widget under the point in it with the point in that widget's coordinates.
QWidget* placedWindowAt(QPoint global);
QWidget* placedWidgetAt(QPoint global, QPoint* local);
// A point of a widget in that layout (where QWidget::mapToGlobal would say 0,0 for the window).
QPoint placedToGlobal(const QWidget& widget, QPoint local);

class DrawnPointer : public QObject {
public:
    // The point of the arrow's picture that stands at the pointer's position.
    static constexpr QPoint kHotSpot{1, 1};

    DrawnPointer();
    ~DrawnPointer() override;

    // Places the arrow at a global position; it appears from the first placement on.
    void moveTo(QPoint global);
    void setShown(bool shown);

    // The arrow's widget now (a child of the window under the point), null when there is none.
    QWidget* widget() const { return arrow_; }

protected:
    // Windows shown, hidden, moved or resized may change which one lies under the point.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void refreshLater();

    QPoint pos_;
    bool placed_ = false;
    bool shown_ = true;
    bool refreshQueued_ = false;
    QPointer<QWidget> arrow_;
};

} // namespace pinstage
