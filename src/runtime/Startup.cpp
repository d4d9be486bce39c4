// Start-up sequence, initialisation and the return to the table choice.
#include "runtime/Startup.h"

#include "board/BoardIo.h"
#include "board/OutputOperations.h"
#include "board/SwitchScan.h"
#include "config/Accounting.h"
#include "config/AdjustmentRows.h"
#include "config/Adjustments.h"
#include "config/FileNames.h"
#include "platform/PinError.h"
#include "runtime/Attract.h"
#include "runtime/MachineOps.h"
#include "runtime/MainLoop.h"
#include "runtime/Navigation.h"
#include "runtime/PlayerRecords.h"
#include "runtime/Selection.h"
#include "runtime/WaysOut.h"

#include <filesystem>

namespace pinstage {

namespace {

void setTimer(Machine& m, bool enabled) {
    m.rt.startupTimerEnabled = enabled;
    m.hooks.events().setStartupTimer(m, enabled);
}

// The accounting record of configuration 0 before anything else, so that a coin on the first
// selection screen adds to the stored counters instead of overwriting them with zeros.
void loadStartupAccounting(Machine& m) {
    m.params.configuration = 0;
    auto file = configFile(m.root, kAccountingFileName, 0);
    if (std::filesystem::exists(file))
        loadAccounting(file, m.params.accounting);
    else
        createAccountingDefaults(m.root, 0, m.params.accounting);
    m.credits = creditDigits(m.params.accounting);
    m.rt.creditsLoaded = true;
}

void endSplash(Machine& m) {
    m.rt.firstStartupTick = false;
    m.rt.splashEnded = true;
    m.rt.splashEndTime = m.now();
    m.hooks.events().splashEnded(m);
    trace(m, "splash end");
}

// What happens when the main loop has ended (quit request, or the return to the table choice
// when the choice is offered at start-up).
void afterMainLoop(Machine& m) {
    if (m.rt.quitRequested) {
        FormClose(m);
        return;
    }
    if (m.rt.startupChoiceValue == YesNo::Oui) {
        m.rt.mediaStep = kMediaTearDown;
        m.rt.selectionWaiting = true;
        m.rt.selectionPending = true;
        setTimer(m, true);
        m.rt.recordsLayoutDone = false;
        m.rt.mainLoopRunning = true;
        FormClose(m);
        trace(m, "back to selection");
    }
}

} // namespace

void applyStartupOverrides(Machine& m) {
    if (!m.rt.keepMediaOptions)
        forceOptionalFeaturesOff(m.params.adjustments);
}

void saveAdjustmentsInUse(Machine& m) {
    const auto file = adjustmentsFileOf(m.root, m.params);
    AdjustmentsRecord out = m.params.adjustments;
    if (!m.rt.keepMediaOptions) {
        // A file that cannot be read any more holds nothing of its own: the defaults stand in.
        AdjustmentsRecord stored = defaultAdjustments();
        try {
            if (std::filesystem::exists(file))
                loadAdjustments(file, stored);
        } catch (const PinError&) {
            stored = defaultAdjustments();
        }
        copyOverriddenOptions(out, stored);
    }
    saveAdjustments(file, out);
}

void FormCreate(Machine& m) {
    applyStartupOverrides(m);
    initialisePlayerBuffers(m);
    m.rt.selectionPending = true;
    setTimer(m, true);
}

bool openMachineBoard(Machine& m) {
    if (boardPresent(m.io))
        return true;
    if (!m.boardTransport)
        return false;
    bool open = openBoard(m.io, *m.boardTransport);
    m.rt.lastBoardAttempt = m.now();
    if (open || !m.rt.boardAbsentTraced)
        trace(m, open ? "board open" : "board absent");
    m.rt.boardAbsentTraced = !open;
    return open;
}

void startupTick(Machine& m) {
    if (m.rt.closed)
        return;
    if (m.rt.firstStartupTick) {
        setTimer(m, false);
        m.hooks.screen().runSplash(m);
        endSplash(m);
        loadOrCreateAdjustments0(m.root, m.params.adjustments, nullptr);
        loadStartupAccounting(m);
        applyStartupOverrides(m);
        m.rt.startupChoiceValue = yesNo(optionIsYes(m.params.adjustments, AdjustmentOption::StartupChoice));
        if (m.rt.startupChoiceValue == YesNo::Non) {
            m.rt.configurationNumber = 0;
            initialiseMachine(m);
            m.rt.quitRequested = true;
            FormClose(m);
            return;
        }
    }
    if (m.rt.quitRequested) {
        FormClose(m);
        return;
    }
    if (m.rt.mediaStep == kMediaTearDown) {
        tearDownDisplay(m);
        return;
    }
    // Looking for a missing board means a USB enumeration: once a second is enough on this screen.
    if (!boardPresent(m.io) &&
        (!m.rt.boardAbsentTraced || periodPassed(m.now(), m.rt.lastBoardAttempt, 1000)))
        openMachineBoard(m);
    setTimer(m, true);
    m.hooks.screen().repaintWindow(m);
    scanMatrix(m.switches, m.io, m.outputs, m.clock);
    scanDirectSwitches(m.switches, m.io, m.outputs, m.clock);
    if (!m.rt.selectionPending && m.rt.selectionWaiting)
        selectionTick(m);
    if (m.rt.selectionPending) {
        m.rt.selectionPending = false;
        m.rt.selectionWaiting = true;
        showSelectionScreen(m);
        if (m.rt.quitRequested) {
            FormClose(m);
            return;
        }
        setTimer(m, false);
        initialiseMachine(m);
        if (m.rt.closed)
            return;
        setTimer(m, true);
    }
}

void initialiseMachine(Machine& m) {
    ScreenHost& screen = m.hooks.screen();
    screen.showMainWindow(m);
    m.rt.configurationInUse = m.rt.configurationNumber;
    fullLoad(m.root, m.rt.configurationInUse, m.params, nullptr);
    // The credits are those of this configuration's own accounting file, never digits carried
    // over from the table shown before: each table's credits are paid into and taken from its file.
    m.credits = creditDigits(m.params.accounting);
    m.rt.creditsLoaded = true;
    trace(m, "configuration " + std::to_string(m.rt.configurationInUse));
    buildOutputs(m.outputs, m.params.coils, m.params.lamps);
    m.hooks.sound().initSound(m);
    screen.initDisplay(m);
    m.rt.displayUp = true;
    // The direct-coil links are set by the game; with no game running they stay cleared (below).
    setCursorVisible(m, false);

    if (!openMachineBoard(m) || m.rt.dashboardAtStart) {
        if (!boardPresent(m.io))
            screen.showNoBoardWarning(m);
        setCursorVisible(m, true);
        m.hooks.dashboard().runDashboard(m);
        m.rt.quitRequested = true;
        FormClose(m);
        return;
    }

    clearContactEvents(m.switches, true);
    for (int c = kMatrixContactCount; c < kContactCount; ++c)
        m.switches.contactFlags[size_t(c)] = 0;
    m.switches.dryLatched = 0;
    m.reels.clearScoreReels();
    m.game.playersDoneMask = kNoGame;
    coilOff(m.outputs, coil::kPlayfieldHold0);
    coilOff(m.outputs, coil::kPlayfieldHold1);
    // The photo frames are laid out at the first initialisation and after a table choice only.
    if (!m.rt.recordsLayoutDone)
        m.records.rects = InitialiserRectanglesClassement();
    m.rt.recordsLayoutDone = true;

    m.rt.mediaDeadline = m.now() + kMediaHoldOffMs;
    m.rt.mainLoopRunning = true;
    applyStartupOverrides(m);
    screen.redrawBackglass(m);
    trace(m, "loop start");
    runMainLoop(m);
    afterMainLoop(m);
}

void tearDownDisplay(Machine& m) {
    m.hooks.media->FinirEtapeMedia(m);
    m.hooks.screen().composeFrame(m);
    // The credit digits (m.credits) stay for the next initialisation's credit reels.
    m.hooks.screen().releaseDisplay(m);
    m.rt.displayUp = false;
    m.hooks.sound().releaseSound(m);
    m.rt.mediaStep = kMediaIdle;
    setTimer(m, true);
}

} // namespace pinstage
