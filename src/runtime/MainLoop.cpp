// The loop turn and the loop.
#include "runtime/MainLoop.h"

#include "board/CoilEngine.h"
#include "board/LampEngine.h"
#include "board/OutputOperations.h"
#include "board/SwitchScan.h"
#include "runtime/Attract.h"
#include "runtime/Baselumiscope_usb_2023_pentacle.h"
#include "runtime/MachineOps.h"
#include "runtime/ModalKeys.h"
#include "runtime/Module_usb_reglable_2023_pentacle.h"
#include "runtime/WaysOut.h"

namespace pinstage {

void mainLoopStep(Machine& m) {
    // The two-button long press counts only time held outside a game: a player holding both
    // flippers as the last ball drains must not end the loop at game over.
    if (gameRunning(m))
        m.rt.bothButtonsSince = m.now();
    moduleRulesStep(m);
    gameLoopStep(m);
    modulePeriodicStep(m);
    PlayerEntry& entry = *m.hooks.entry;
    if (entry.nameStepActive()) {
        entry.runNameStep(m);
    } else if (!gameRunning(m)) {
        attractStep(m);
    }
    entry.webcamStep(m);
    m.hooks.host->composeFrame(m);
    if (entry.keyboardFormOpen())
        PasClavierFlipper(m);
}

void runLampChaser(Machine& m) {
    if (gameRunning(m) || !periodPassed(m.now(), m.rt.chaserTime, 2))
        return;
    m.rt.chaserTime = m.now();
    m.rt.chaserIndex &= 63; // a stray value never indexes past the lamps
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
    serveEscapeRequest(m);
    runLampChaser(m);
}

bool runTimeOver(Machine& m) {
    if (!m.rt.quitAfterSet || !m.rt.splashEnded || m.rt.quitRequested)
        return m.rt.quitRequested != 0;
    if (!periodPassed(m.now(), m.rt.splashEndTime, m.rt.quitAfterMs))
        return false;
    trace(m, "quit after");
    requestQuit(m);
    return true;
}

void runMainLoop(Machine& m) {
    while (m.rt.mainLoopRunning) {
        m.hooks.host->processEvents();
        if (!m.rt.mainLoopRunning || runTimeOver(m))
            break;
        const uint32_t start = m.now();
        loopTurn(m);
        ++m.rt.loopTurns;
        if (m.rt.mainLoopRunning && m.now() == start) {
            ++m.rt.idleWaits;
            m.hooks.host->idleWait(m);
        }
    }
}

} // namespace pinstage
