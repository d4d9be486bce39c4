// The start button: long press, name step, credit, new game or added player.
#include "runtime/GameStart.h"

#include "board/OutputOperations.h"
#include "config/AdjustmentRows.h"
#include "config/PentacleTable.h"
#include "display/FramePlan.h"
#include "runtime/GameCredits.h"
#include "runtime/GameOver.h"
#include "runtime/GameServe.h"
#include "runtime/GameSwitches.h"
#include "runtime/MachineOps.h"
#include "runtime/Navigation.h"
#include "runtime/WaysOut.h"

#include <string>

namespace pinstage {

namespace {

// The name step of the start: true while it keeps the closure pending.
bool nameStepHolds(Machine& m) {
    GameState& g = m.game;
    bool firstScoreless = !gameRunning(m) || m.game.players[0].score == 0;
    if (!firstScoreless || !optionIsYes(m.params.adjustments, AdjustmentOption::NameEntry))
        return false;
    PlayerEntry& entry = *m.hooks.entry;
    if (!entry.nameStepDone()) {
        if (!entry.nameStepActive()) {
            coilOff(m.outputs, coil::kFlippers);
            if (g.nameEntrants < 255)
                ++g.nameEntrants;
            entry.startNameStep(m);
        }
        return true;
    }
    entry.closeNameStep(m);
    forceReelRedraw(m.symbols);
    for (int e = 0; e < element::kCount - 1; ++e)
        m.params.fronton.elements[size_t(e)].dirty = 1;
    m.hooks.screen().composeFrame(m);
    coilHold(m.outputs, coil::kFlippers);
    return false;
}

void addPlayer(Machine& m) {
    GameState& g = m.game;
    if (g.lastPlayerIndex < kPlayerCount - 1)
        ++g.lastPlayerIndex;
    PlayerState& p = g.players[g.lastPlayerIndex];
    p.ball = 0;
    p.scoreAwards = 0;
    p.freeGamesThisGame = 0;
    p.bonus = 0;
}

} // namespace

void connectReelsToGame(Machine& m) {
    m.reels.onBallScored = [&m] {
        lampOff(m.outputs, lamp::kShootAgain);
        hideElement(m, element::kShootAgain);
    };
}

void startNewGame(Machine& m) {
    GameState& g = m.game;
    for (int p = 0; p < kPlayerCount; ++p) {
        if (Compteur* counter = m.reels.counter(p))
            counter->rollToZero();
        PlayerState& player = g.players[size_t(p)];
        player.ball = 0;
        // A game ended early leaves bonus and score behind; they belong to no one now.
        player.bonus = 0;
        player.score = 0;
    }
    waitReelsStopped(m);
    showElement(m, element::kBallInPlay);
    g.lastPlayerIndex = 0;
    g.nameEntrants = 1;
    for (int d = 1; d < 4; ++d)
        hideElement(m, element::kPanelDigit1 + d);
    hideElement(m, element::kGameOver);
    hideElement(m, element::kPanelCompete);
    hideElement(m, element::kMatch);
    hideElement(m, element::kRecordToBeat);
    for (int e = 0; e < element::kRecordDigits; ++e)
        hideElement(m, element::kRecordMillions + e);
    for (int d = 0; d < 10; ++d)
        hideElement(m, element::kLottery0 + d);
    for (int p = 1; p < kPlayerCount; ++p)
        hideElement(m, element::kBanner1 + p);
    showElement(m, element::kPanelDigit1);
    showElement(m, element::kBanner1);
    g.currentPlayer = 0;
    g.players[0].ball = 0;
    g.players[0].bonus = 0;
    g.playersDoneMask = 0x0E;
    g.tilted = 0;
    g.drainSeen = 0;
    resetPlayfieldForGame(m);
    trace(m, "game start");
}

StartOutcome startButtonHandler(Machine& m) {
    constexpr int c = contact::kStart;
    if (!closurePending(m, c))
        return StartOutcome::NotPending;
    // Held 5 s, the button shuts the PC down instead.
    if (!waitStartRelease(m)) {
        clearClosure(m, c);
        return StartOutcome::Done;
    }
    if (!m.reels.reelsIdle())
        return StartOutcome::Pending;

    GameState& g = m.game;
    m.hooks.media->FinirEtapeMedia(m);
    // Credits are read from the stored digits, which the counter on the backglass always follows.
    if (!optionIsYes(m.params.adjustments, AdjustmentOption::FreePlay) && m.credits.value() == 0) {
        clearClosure(m, c);
        return StartOutcome::Done;
    }
    playFunctionOnce(m, fn::contactSound(c));
    bool running = gameRunning(m);
    if (running && !g.tilted && g.lastPlayerIndex >= kPlayerCount - 1) {
        clearClosure(m, c);
        return StartOutcome::Done;
    }
    m.hooks.entry->createCaptureWindow(m);
    if (nameStepHolds(m))
        return StartOutcome::Pending;

    setCursorVisible(m, false);
    if (!running)
        m.hooks.media->FinirEtapeMedia(m);
    if (uint32_t* started = counter(m.params.accounting, kStatGamesStarted))
        ++*started;
    takeCredit(m);
    playFunctionOnce(m, fn::kGameStart);
    g.machineEvents |= kEventSuppressServeSound;

    addPlayer(m);
    bool newGame = !running || g.tilted;
    if (newGame) {
        if (!m.reels.onBallScored)
            connectReelsToGame(m);
        startNewGame(m);
    }
    showElement(m, element::kPanelDigit1 + g.lastPlayerIndex);
    g.playersDoneMask &= uint8_t(~(1u << g.lastPlayerIndex));
    g.players[g.lastPlayerIndex].freeGamesThisGame = 0;
    g.players[g.lastPlayerIndex].scoreAwards = 0;
    if (tracing(m))
        trace(m, "players " + std::to_string(g.lastPlayerIndex + 1));
    if (newGame)
        serveBall(m);
    clearClosure(m, c);
    return StartOutcome::Done;
}

} // namespace pinstage
