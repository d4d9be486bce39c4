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
        m.rt.mainLoopRunning = false;
        trace(m, "loop stop");
        return;
    }
    if (m.rt.closed)
        return;
    m.rt.closed = true;
    allOutputsOff(m);
    traceFinalState(m);
    if (boardPresent(m.io))
        closeBoard(m.io);
    m.hooks.screen().releaseDisplay(m);
    m.rt.displayUp = false;
    m.hooks.sound().releaseSound(m);
    m.hooks.events().quitApplication(m);
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
    m.hooks.dashboard().runDashboard(m);
    m.rt.loopMode = 0;
    allOutputsOff(m);
    clearContactEvents(m.switches, false);
    m.hooks.input().releaseCursorClip(m);
    setCursorVisible(m, false);
    m.rt.mediaDeadline = m.now() + kMediaHoldOffMs;
    if (m.rt.frontonReloadRequest) {
        m.rt.frontonReloadRequest = false;
        m.hooks.screen().releaseDisplay(m);
        loadFronton(configFile(m.root, kFrontonFileName, m.rt.configurationInUse), m.params.fronton);
        m.hooks.screen().initDisplay(m);
    }
    m.hooks.events().processEvents();
    m.hooks.screen().redrawBackglass(m);
}

void testInterWayOut(Machine& m) {
    m.hooks.sound().beep();
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
        m.hooks.events().idleWait(m);
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
    m.hooks.screen().composeFrame(m);
    m.hooks.screen().showShutdownScreen();
    m.hooks.events().pause(m, kShutdownScreenMs);
    m.hooks.power().powerOff();
    requestQuit(m);
}

void requestQuit(Machine& m) {
    m.rt.quitRequested = true;
    m.rt.selectionWaiting = false;
    if (m.rt.mainLoopRunning)
        FormClose(m);
}

} // namespace pinstage
