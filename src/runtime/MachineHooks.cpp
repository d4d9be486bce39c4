#include "runtime/MachineHooks.h"

#include "runtime/Machine.h"

#include "display/ScreenMapping.h"

#include <chrono>
#include <thread>

namespace pinstage {

RuntimeHost MachineHooks::defaultHost;
AttractMedia MachineHooks::defaultMedia;
PlayerEntry MachineHooks::defaultEntry;
TraceSink MachineHooks::defaultTrace;

void RuntimeHost::idleWait(Machine& m) {
    // Whole milliseconds from somewhere inside the current one: the wait ends just after the
    // deadline's millisecond has begun, never before it.
    int32_t ms = int32_t(m.rt.wakeAt - m.now());
    if (ms <= 0)
        return;
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void RuntimeHost::waitForEvents(Machine& m) {
    processEvents();
    m.rt.wakeAt = m.now() + 1;
    idleWait(m);
}

void RuntimeHost::initDisplay(Machine& m) {
    // No pixels: the reels roll in design coordinates so scores still count.
    ScreenSize design{1360, 768};
    m.reels.build(m.params.fronton, DesignMapping::fromLayout(design, m.params.fronton), {});
}

void RuntimeHost::releaseDisplay(Machine& m) {
    m.reels.release();
    m.symbols = {};
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
