#include "HeadlessHost.h"

#include "display/ScreenMapping.h"
#include "runtime/Machine.h"

#include <chrono>
#include <thread>

namespace pinstage::test {

void HeadlessHost::initDisplay(Machine& m) {
    // No pixels: the reels roll in design coordinates so scores still count.
    ScreenSize design{1360, 768};
    m.reels.build(m.params.fronton, DesignMapping::fromLayout(design, m.params.fronton), {});
}

void HeadlessHost::releaseDisplay(Machine& m) {
    m.reels.release();
    m.symbols = {};
}

void HeadlessHost::idleWait(Machine& m) {
    // Whole milliseconds from somewhere inside the current one: the wait ends just after the
    // deadline's millisecond has begun, never before it.
    int32_t ms = int32_t(m.rt.wakeAt - m.now());
    if (ms <= 0)
        return;
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void HeadlessHost::waitForEvents(Machine& m) {
    processEvents();
    m.rt.wakeAt = m.now() + 1;
    idleWait(m);
}

} // namespace pinstage::test
