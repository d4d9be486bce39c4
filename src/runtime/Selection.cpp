// The selection screen's wait and step.
#include "runtime/Selection.h"

#include "runtime/MachineOps.h"
#include "runtime/MainLoop.h"
#include "runtime/Navigation.h"
#include "runtime/WaysOut.h"

namespace pinstage {

namespace {

constexpr uint8_t kCoin3 = 0x10;    // c4 in the strobe-0 level byte
constexpr uint8_t kGameOver = 0x02; // c1
constexpr uint8_t kStart = 0x20;    // c5
constexpr int kCoinSound = 35;      // game function of c4
constexpr int kPrevious = 64;
constexpr int kNext = 71;

enum class ButtonStep { Released, GaveUp, Move };

// The common timing of both buttons, from the button's pending closure.
ButtonStep buttonStep(Machine& m, int contact, uint32_t& pressTime) {
    RuntimeState& rt = m.rt;
    const uint32_t now = m.now();
    uint8_t& flags = m.switches.contactFlags[size_t(contact)];
    if (!(flags & kContactPending)) {
        pressTime = now;
        rt.navStep = 1;
        return ButtonStep::Released;
    }
    flags &= uint8_t(~kContactPending);
    if (periodPassed(now, pressTime, 1000)) {
        rt.navStep = 1;
        if (!periodPassed(now, rt.lastMoveTime, 200))
            return ButtonStep::GaveUp;
    } else if (!periodPassed(now, rt.lastMoveTime, 400)) {
        return ButtonStep::GaveUp;
    }
    rt.lastMoveTime = now;
    return ButtonStep::Move;
}

void moveChoice(Machine& m, int direction) {
    m.rt.configurationNumber = wrapChoice(m.rt.configurationNumber + direction * m.rt.navStep);
    m.rt.navStep = 0;
    playSystemSound(m, "ting.wav");
    drawSelectionScreen(m);
    trace(m, "selection " + std::to_string(m.rt.configurationNumber));
}

} // namespace

void drawSelectionScreen(Machine& m) {
    ScreenHost& screen = m.hooks.screen();
    m.rt.configurationNumber = wrapChoice(m.rt.configurationNumber);
    m.rt.selection = selectionLayout(screen.screenWidth(), screen.screenHeight());
    screen.drawSelectionScreen(m, m.rt.selection);
    const ChoicePoint& c = m.rt.selection.choiceCentres[size_t(m.rt.configurationNumber)];
    moveCursorTo(m, c.x, c.y);
}

void showSelectionScreen(Machine& m) {
    m.hooks.screen().showMainWindow(m);
    m.hooks.screen().repaintWindow(m);
    setCursorVisible(m, false);
    drawSelectionScreen(m);
    trace(m, "selection " + std::to_string(m.rt.configurationNumber));
    while (m.rt.selectionWaiting && !runTimeOver(m))
        m.hooks.events().waitForEvents(m);
}

void selectionTick(Machine& m) {
    RuntimeState& rt = m.rt;
    uint8_t& level = m.switches.inputImages[0][0];
    if (level & kCoin3) {
        playFunctionOnce(m, kCoinSound);
        creditUp(m);
        level &= uint8_t(~kCoin3);
        trace(m, "credit " + std::to_string(m.credits.value()));
    }
    if (level & kGameOver) {
        trace(m, "selection quit");
        requestQuit(m);
        return;
    }
    if (level & kStart) {
        playSystemSound(m, "gongo.wav");
        m.hooks.events().setStartupTimer(m, false);
        rt.startupTimerEnabled = false;
        rt.selectionWaiting = false;
        trace(m, "selection chosen " + std::to_string(rt.configurationNumber));
        return;
    }
    switch (buttonStep(m, kPrevious, rt.previousPressTime)) {
    case ButtonStep::GaveUp:
        return; // a tick that gives up on c64 does not look at c71
    case ButtonStep::Move:
        moveChoice(m, -1);
        break;
    case ButtonStep::Released:
        break;
    }
    if (buttonStep(m, kNext, rt.nextPressTime) == ButtonStep::Move)
        moveChoice(m, +1);
}

} // namespace pinstage
