// The machine's one way into the operator dashboard: TTableauDeBord shown modally over the whole
// screen of the backglass (or in the place of a backglass in a window), with the real boxes.
#pragma once

#include "runtime/RuntimeHost.h"

#include <QRect>

#include <functional>

class QWidget;

namespace pinstage {

class DashboardLauncher final : public DashboardHost {
public:
    // Attached to the machine's hooks for the dashboard until destroyed. onExit ends the program
    // once "Sortir" has switched everything off; mediaOptions shows the eight media options on the
    // settings page; confineCursor, if given, receives the mouse confinement area (null: released).
    DashboardLauncher(Machine& m, QWidget* backglass, std::function<void()> onExit, bool mediaOptions,
                      std::function<void(const QRect*)> confineCursor = {});
    ~DashboardLauncher() override;
    DashboardLauncher(const DashboardLauncher&) = delete;
    DashboardLauncher& operator=(const DashboardLauncher&) = delete;

    // Returns once the dashboard is closed (after onExit ran, when it did).
    void runDashboard(Machine& m) override;

private:
    Machine& m_;
    QWidget* backglass_;
    std::function<void()> onExit_;
    bool mediaOptions_;
    std::function<void(const QRect*)> confineCursor_;
};

} // namespace pinstage
