// What the dashboard asks of the operator and of the window system: the message boxes, the
// password prompt and the cursor confinement. Tests give their own; the program uses QtDashboardUi.
#pragma once

#include <QRect>
#include <QString>

#include <functional>

class QWidget;

namespace pinstage {

class DashboardUi {
public:
    virtual ~DashboardUi() = default;
    // A warning box with an OK button over the dashboard (invalid adjustments).
    virtual void warning(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The error box of a failed file or board operation.
    virtual void error(QWidget* parent, const QString& text) = 0;
    // The modal password prompt; returns the text of its field when it closes.
    virtual QString askPassword(QWidget* parent) = 0;
    // Keeps the mouse inside area (screen coordinates), or frees it when area is null.
    virtual void confineCursor(const QRect* area) = 0;
};

// The real boxes and prompt. The window system offers no cursor confinement to a Qt program, so
// confinement goes to the callback the runtime gives (it owns the synthesised pointer), if any.
class QtDashboardUi : public DashboardUi {
public:
    void warning(QWidget* parent, const QString& caption, const QString& text) override;
    void error(QWidget* parent, const QString& text) override;
    QString askPassword(QWidget* parent) override;
    void confineCursor(const QRect* area) override;

    std::function<void(const QRect*)> onConfineCursor;
};

} // namespace pinstage
