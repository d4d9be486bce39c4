// The ways out: closing, dashboard, test switch, shutdown, quit.
#include "runtime/WaysOut.h"

#include "board/BoardIo.h"
#include "board/CoilEngine.h"
#include "board/LampEngine.h"
#include "board/OutputOperations.h"
#include "board/ResetOutputs.h"
#include "board/SwitchScan.h"
#include "config/FileNames.h"
#include "config/FrontonParams.h"
#include "runtime/Attract.h"
#include "runtime/MachineOps.h"
#include "runtime/MainLoop.h"
#include "runtime/Navigation.h"
#include "runtime/Trace.h"

namespace pinstage {

namespace {
constexpr int kTestPushSound = 31;    // game function of contact c0
constexpr uint8_t kStartLevel = 0x20; // c5 in the strobe-0 level byte
} // namespace

void allOutputsOff(Machine& m) {
    for (int c = 0; c < kCoilCount; ++c)
        coilOff(m.outputs, c);
    for (int l = 0; l < kLampCount; ++l)
        lampOff(m.outputs, l);
    // Released at once, so no coil stays energised when the loop or the program stops.
    resetOutputs(m.outputs, m.io, m.switches, m.clock);
}

void FormClose(Machine& m) {
    if (m.rt.mainLoopRunning) {
        allOutputsOff(m);
        m.rt.mainLoopRunning = 0;
        trace(m, "loop stop");
        return;
    }
    if (m.rt.closed)
        return;
    m.rt.closed = 1;
    allOutputsOff(m);
    traceFinalState(m);
    if (boardPresent(m.io))
        closeBoard(m.io);
    m.hooks.host->releaseDisplay(m);
    m.rt.displayUp = 0;
    m.hooks.host->releaseSound(m);
    m.hooks.host->quitApplication(m);
}

void dashboardWayOut(Machine& m) {
    playFunctionOnce(m, kTestPushSound);
    m.hooks.media->FinirEtapeMedia(m);
    if (gameRunning(m)) {
        m.game.playersDoneMask = kNoGame;
        trace(m, "game over dashboard");
    }
    allOutputsOff(m);
    clearContactEvents(m.switches, false);
    setCursorVisible(m, true);
    m.rt.loopMode = 1; // no frame while the dashboard is up
    m.hooks.host->runDashboard(m);
    m.rt.loopMode = 0;
    allOutputsOff(m);
    clearContactEvents(m.switches, false);
    m.hooks.host->releaseCursorClip(m);
    setCursorVisible(m, false);
    m.rt.mediaDeadline = m.now() + kMediaHoldOffMs;
    if (m.rt.frontonReloadRequest) {
        m.rt.frontonReloadRequest = 0;
        m.hooks.host->releaseDisplay(m);
        loadFronton(configFile(m.root, kFrontonFileName, m.rt.configurationInUse), m.params.fronton);
        m.hooks.host->initDisplay(m);
    }
    m.hooks.host->processEvents();
    m.hooks.host->redrawBackglass(m);
}

void testInterWayOut(Machine& m) {
    m.hooks.host->beep();
    FormClose(m);
}

bool waitStartRelease(Machine& m) {
    const uint32_t pressed = m.now();
    m.game.startPressTime = pressed;
    while (m.switches.strobe0Level() & kStartLevel) {
        if (periodPassed(m.now(), pressed, kShutdownHoldMs)) {
            shutdownWayOut(m);
            return false;
        }
        m.rt.wakeAt = m.now() + 1; // the button is watched every millisecond
        m.hooks.host->idleWait(m);
        scanMatrix(m.switches, m.io, m.outputs, m.clock);
        runOutputEngines(m);
    }
    return true;
}

void shutdownWayOut(Machine& m) {
    trace(m, "shutdown");
    hideElement(m, element::kRecordToBeat);
    for (int e = element::kRecordMillions; e < element::kRecordMillions + element::kRecordDigits; ++e)
        hideElement(m, e);
    m.hooks.host->composeFrame(m);
    m.hooks.host->showShutdownScreen();
    m.hooks.host->pause(m, kShutdownScreenMs);
    m.hooks.host->powerOff();
    requestQuit(m);
}

void requestQuit(Machine& m) {
    m.rt.quitRequested = 1;
    m.rt.selectionWaiting = 0;
    if (m.rt.mainLoopRunning)
        FormClose(m);
}

} // namespace pinstage
