#include "runtime/WaysOut.h"

#include "board/CoilEngine.h"
#include "board/LampEngine.h"
#include "board/OutputOperations.h"
#include "board/ResetOutputs.h"
#include "board/SwitchScan.h"
#include "runtime/MachineOps.h"

namespace pinstage {

namespace {
void allOutputsOff(Machine& m) {
    for (int c = 0; c < kCoilCount; ++c)
        coilOff(m.outputs, c);
    for (int l = 0; l < kLampCount; ++l)
        lampOff(m.outputs, l);
    // Released at once, so no coil stays energised when the loop or the program stops.
    resetOutputs(m.outputs, m.io, m.switches, m.clock);
}
} // namespace

void FormClose(Machine& m) {
    if (m.rt.mainLoopRunning) {
        allOutputsOff(m);
        m.rt.mainLoopRunning = 0;
        trace(m, "loop stop");
        return;
    }
    allOutputsOff(m);
    if (boardPresent(m.io))
        closeBoard(m.io);
}

void dashboardWayOut(Machine& m) {
    m.hooks.media->FinirEtapeMedia(m);
    if (gameRunning(m)) {
        m.game.playersDoneMask = kNoGame;
        trace(m, "game over");
    }
    allOutputsOff(m);
    clearContactEvents(m.switches, false);
    m.hooks.host->setCursorShown(m, true);
    m.hooks.host->runDashboard(m);
    allOutputsOff(m);
    clearContactEvents(m.switches, false);
    m.hooks.host->setCursorShown(m, false);
    m.rt.mediaDeadline = m.now() + 7000;
}

void shutdownWayOut(Machine& m) {
    m.hooks.host->showShutdownScreen();
    m.hooks.host->powerOff();
}

} // namespace pinstage
