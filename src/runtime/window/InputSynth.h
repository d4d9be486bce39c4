// Synthesised input for a machine with no keyboard and no mouse: key presses delivered to the
// active modal window (or the focused widget), a pointer position of its own that a confinement
// rectangle can hold, clicks at that position, and the pointer hidden through one counter.
// Where the platform cannot move the system pointer, the pointer is drawn by the program.
#pragma once

#include "runtime/window/DrawnPointer.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <memory>
#include <optional>

class QWidget;

namespace pinstage {

class InputSynth {
public:
    // The widget keys go to when no modal window is active and nothing has the focus; the pointer
    // kind is the platform's unless given.
    explicit InputSynth(QWidget* fallback = nullptr, std::optional<PointerKind> kind = std::nullopt);
    // A pointer still hidden is shown again, so the override never outlives its owner.
    ~InputSynth();
    InputSynth(const InputSynth&) = delete;
    InputSynth& operator=(const InputSynth&) = delete;

    // "Escape", "Return", "Enter", "Tab", "Backtab", "Space": a press and a release. False for an
    // unknown name or when no widget can take it.
    bool pressKey(const QString& name);
    // The widget a key goes to now.
    QWidget* keyTarget() const;

    // Moves the pointer (kept inside the confinement rectangle): the system cursor, or the drawn
    // one where the platform cannot move the system cursor.
    void setCursorPos(QPoint p);
    QPoint cursorPos() const { return pos_; }
    // Keeps the pointer inside area from now on, as a clip rectangle: a pointer inside stays
    // where it is, one outside comes to the nearest point inside. Called again, it checks again.
    void confine(const QRect& area);
    void releaseConfinement() { confinement_.reset(); }
    std::optional<QRect> confinement() const { return confinement_; }
    // A left click (press and release) at the pointer, to the widget under it; false when none.
    bool click();

    // The pointer shown or hidden; balanced: only a change reaches the window system.
    void setCursorShown(bool shown);
    bool cursorShown() const { return shown_; }

    // The program's own arrow, when it draws the pointer (null otherwise).
    const DrawnPointer* drawnPointer() const { return drawn_.get(); }

private:
    QWidget* fallback_;
    std::unique_ptr<DrawnPointer> drawn_;
    QPoint pos_;
    std::optional<QRect> confinement_;
    bool shown_ = true;
};

} // namespace pinstage
