#include "runtime/MachineHooks.h"

#include "runtime/Machine.h"

#include <stdexcept>
#include <string>

namespace pinstage {

AttractMedia MachineHooks::defaultMedia;
PlayerEntry MachineHooks::defaultEntry;
TraceSink MachineHooks::defaultTrace;

void MachineHooks::attachWindow(WindowHost& window) {
    screen_ = &window;
    sound_ = &window;
    power_ = &window;
    input_ = &window;
    events_ = &window;
}

void MachineHooks::detachWindow(const WindowHost& window) {
    if (screen_ == &window)
        screen_ = nullptr;
    if (sound_ == &window)
        sound_ = nullptr;
    if (power_ == &window)
        power_ = nullptr;
    if (input_ == &window)
        input_ = nullptr;
    if (events_ == &window)
        events_ = nullptr;
}

void MachineHooks::detachDashboard(const DashboardHost& dashboard) {
    if (dashboard_ == &dashboard)
        dashboard_ = nullptr;
}

void MachineHooks::missingHost(const char* concern) {
    throw std::logic_error(std::string("no ") + concern + " host attached to the machine");
}

void AttractMedia::FinirEtapeMedia(Machine& m) {
    m.rt.recordsPhotosShowing = 0;
    m.records.slideshowShowing = false;
    m.records.rankingShowing = false;
    m.rt.mediaDeadline = m.now() + 7000;
    m.rt.mediaEndTime = 0;
    m.rt.mediaStepStarted = false;
}

void AttractMedia::MesurerVideo(Machine& m) {
    // Without a video the step ends at once.
    if (m.rt.mediaEndTime == 0)
        m.rt.mediaEndTime = m.now();
}

} // namespace pinstage
