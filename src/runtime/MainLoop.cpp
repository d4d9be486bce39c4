// The loop turn and the loop.
#include "runtime/MainLoop.h"

#include "board/CoilEngine.h"
#include "board/LampEngine.h"
#include "board/OutputOperations.h"
#include "board/SwitchScan.h"
#include "runtime/Attract.h"
#include "runtime/Baselumiscope_usb_2023_pentacle.h"
#include "runtime/LoopDeadline.h"
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
    m.hooks.screen().composeFrame(m);
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
        m.rt.chaserLighting = !m.rt.chaserLighting;
    }
}

void runOutputEngines(Machine& m) {
    if (m.rt.loopMode != 0)
        return;
    runCoilEngine(m.outputs, m.io, m.clock);
    runLampEngine(m.outputs, m.io, m.clock);
}

void loopTurn(Machine& m) {
    mainLoopStep(m);
    m.reels.startReelSteps();
    m.reels.animateReels(m.now());
    if (m.rt.loopMode == 0) {
        scanMatrix(m.switches, m.io, m.outputs, m.clock);
        if (m.hooks.entry->keyboardFormOpen() || !gameRunning(m))
            scanDirectSwitches(m.switches, m.io, m.outputs, m.clock);
        runOutputEngines(m);
    }
    serveEscapeRequest(m);
    runLampChaser(m);
}

uint32_t runTimeLeft(Machine& m) {
    if (m.rt.quitRequested || !m.rt.quitAfterSet || !m.rt.splashEnded)
        return m.rt.quitRequested || !m.rt.quitAfterSet ? 0 : m.rt.quitAfterMs;
    const uint32_t elapsed = m.now() - m.rt.splashEndTime;
    if (elapsed < m.rt.quitAfterMs)
        return m.rt.quitAfterMs - elapsed;
    trace(m, "quit after");
    requestQuit(m);
    return 0;
}

bool runTimeOver(Machine& m) {
    if (!m.rt.quitAfterSet || !m.rt.splashEnded || m.rt.quitRequested)
        return m.rt.quitRequested;
    return runTimeLeft(m) == 0;
}

void runMainLoop(Machine& m) {
    while (m.rt.mainLoopRunning) {
        m.hooks.events().processEvents();
        if (!m.rt.mainLoopRunning || runTimeOver(m))
            break;
        const uint32_t start = m.now();
        loopTurn(m);
        ++m.rt.loopTurns;
        if (!m.rt.mainLoopRunning)
            continue;
        // Asleep until the earliest deadline or a window event; a turn in which the clock stood
        // still waits for the next millisecond at least, so nothing spins.
        const uint32_t now = m.now();
        uint32_t wake = nextLoopDeadline(m);
        if (now == start && int32_t(wake - now) <= 0)
            wake = now + 1;
        if (int32_t(wake - now) > 0) {
            m.rt.wakeAt = wake;
            ++m.rt.idleWaits;
            m.hooks.events().idleWait(m);
        }
    }
}

} // namespace pinstage
