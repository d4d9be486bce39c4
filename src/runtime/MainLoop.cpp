#include "runtime/MainLoop.h"

#include "board/CoilEngine.h"
#include "board/LampEngine.h"
#include "board/OutputOperations.h"
#include "board/SwitchScan.h"
#include "runtime/Attract.h"
#include "runtime/Baselumiscope_usb_2023_pentacle.h"
#include "runtime/MachineOps.h"
#include "runtime/Module_usb_reglable_2023_pentacle.h"

namespace pinstage {

void mainLoopStep(Machine& m) {
    moduleRulesStep(m);
    gameLoopStep(m);
    modulePeriodicStep(m);
    if (m.hooks.entry->nameStepActive()) {
        m.hooks.entry->runNameStep(m);
    } else if (!gameRunning(m)) {
        attractStep(m);
    }
    m.hooks.host->composeFrame(m);
    if (m.hooks.entry->keyboardFormOpen())
        PasClavierFlipper(m);
}

void runLampChaser(Machine& m) {
    if (gameRunning(m) || !periodPassed(m.now(), m.rt.chaserTime, 2))
        return;
    m.rt.chaserTime = m.now();
    if (m.rt.chaserLighting)
        lampOn(m.outputs, m.rt.chaserIndex);
    else
        lampOff(m.outputs, m.rt.chaserIndex);
    if (++m.rt.chaserIndex > 63) {
        m.rt.chaserIndex = 0;
        m.rt.chaserLighting = m.rt.chaserLighting ? 0 : 1;
    }
}

void loopTurn(Machine& m) {
    mainLoopStep(m);
    m.reels.startReelSteps();
    m.reels.animateReels(m.now());
    if (m.rt.loopMode == 0) {
        scanMatrix(m.switches, m.io, m.outputs, m.clock);
        if (m.hooks.entry->keyboardFormOpen() || !gameRunning(m))
            scanDirectSwitches(m.switches, m.io, m.outputs, m.clock);
        runCoilEngine(m.outputs, m.io, m.clock);
        runLampEngine(m.outputs, m.io, m.clock);
    }
    if ((m.game.machineEvents & kEventEscapeRequest) && periodPassed(m.now(), m.rt.escapeDeadline, 0)) {
        m.game.machineEvents &= uint8_t(~kEventEscapeRequest);
        m.hooks.host->synthesiseKey("Escape");
    }
    runLampChaser(m);
}

} // namespace pinstage
