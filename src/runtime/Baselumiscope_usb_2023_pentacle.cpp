// The machine switches handled each turn, in their order.
#include "runtime/Baselumiscope_usb_2023_pentacle.h"

#include "board/OutputOperations.h"
#include "config/PentacleTable.h"
#include "runtime/GameCredits.h"
#include "runtime/GameDrain.h"
#include "runtime/GameServe.h"
#include "runtime/GameSwitches.h"
#include "runtime/MachineOps.h"
#include "runtime/WaysOut.h"

namespace pinstage {

namespace {

// Coins 1 and 2 end the program.
void stopCoin(Machine& m, int c) {
    if (!closurePending(m, c))
        return;
    playFunctionOnce(m, fn::contactSound(c));
    clearClosure(m, c);
    trace(m, "stop coin");
    FormClose(m);
}

// Coin 3: one credit (none past 99; the coin still sounds).
void creditCoin(Machine& m) {
    constexpr int c = contact::kCoin3;
    if (!closurePending(m, c))
        return;
    if (!gameRunning(m))
        m.hooks.media->FinirEtapeMedia(m);
    playFunctionOnce(m, fn::contactSound(c));
    giveCredit(m);
    clearClosure(m, c);
    trace(m, "coin");
}

void testInter(Machine& m) {
    constexpr int c = contact::kTestInter;
    if (!closurePending(m, c))
        return;
    clearClosure(m, c);
    testInterWayOut(m);
}

void testPush(Machine& m) {
    constexpr int c = contact::kTestPush;
    if (!closurePending(m, c))
        return;
    clearClosure(m, c);
    // The game ends on the backglass first; the way out then plays the switch's sound.
    if (gameRunning(m))
        showGameOver(m);
    dashboardWayOut(m);
}

void gameOverSwitch(Machine& m) {
    constexpr int c = contact::kGameOver;
    if (!closurePending(m, c))
        return;
    clearClosure(m, c);
    if (!gameRunning(m))
        return;
    stopFunction(m, fn::kBackgroundMusic);
    playFunctionOnce(m, fn::kGameOver);
    m.game.playersDoneMask = kNoGame;
    showGameOver(m);
}

void tiltSwitch(Machine& m) {
    constexpr int c = contact::kTilt;
    if (!closurePending(m, c))
        return;
    clearClosure(m, c);
    if (!gameRunning(m))
        return;
    GameState& g = m.game;
    stopFunction(m, fn::kBackgroundMusic);
    playFunctionOnce(m, fn::kTilt);
    g.tilted = 1;
    coilHold(m.outputs, coil::kPlayfieldHold0);
    coilHold(m.outputs, coil::kPlayfieldHold1);
    coilOff(m.outputs, coil::kFlippers);
    showElement(m, element::kTilt);
    armDirectCoils(m);
    currentPlayerState(m).bonus = 0;
    // Bonus still on its way is lost with the rest.
    g.pendingBonus = 0;
    trace(m, "tilt");
}

} // namespace

void gameLoopStep(Machine& m) {
    if (drainHandler(m) == DrainOutcome::Waiting)
        return;
    stopCoin(m, contact::kCoin1);
    stopCoin(m, contact::kCoin2);
    creditCoin(m);
    if (startButtonHandler(m) == StartOutcome::Pending)
        return;
    testInter(m);
    testPush(m);
    gameOverSwitch(m);
    tiltSwitch(m);
}

} // namespace pinstage
