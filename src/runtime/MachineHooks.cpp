#include "runtime/MachineHooks.h"

#include "runtime/Machine.h"

namespace pinstage {

RuntimeHost MachineHooks::defaultHost;
AttractMedia MachineHooks::defaultMedia;
PlayerEntry MachineHooks::defaultEntry;
TraceSink MachineHooks::defaultTrace;

void AttractMedia::FinirEtapeMedia(Machine& m) {
    m.rt.mediaDeadline = m.now() + 7000;
}

void AttractMedia::MesurerVideo(Machine& m) {
    // Without a video the step ends at once.
    if (m.rt.mediaEndTime == 0)
        m.rt.mediaEndTime = m.now();
}

} // namespace pinstage
