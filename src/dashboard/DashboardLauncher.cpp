#include "dashboard/DashboardLauncher.h"

#include "dashboard/DashboardUi.h"
#include "dashboard/Tableau_de_bord_usb_2023.h"
#include "runtime/Machine.h"

namespace pinstage {

DashboardLauncher::DashboardLauncher(Machine& m, QWidget* backglass, std::function<void()> onExit,
                                     bool mediaOptions, std::function<void(const QRect*)> confineCursor)
    : m_(m), backglass_(backglass), onExit_(std::move(onExit)), mediaOptions_(mediaOptions),
      confineCursor_(std::move(confineCursor)) {
    m_.hooks.attachDashboard(*this);
}

DashboardLauncher::~DashboardLauncher() {
    m_.hooks.detachDashboard(*this);
}

void DashboardLauncher::runDashboard(Machine& m) {
    QtDashboardUi ui;
    ui.onConfineCursor = confineCursor_;
    TTableauDeBord dashboard(m, ui, onExit_, mediaOptions_, backglass_);
    dashboard.coverScreen(backglass_);
    dashboard.exec();
}

} // namespace pinstage
