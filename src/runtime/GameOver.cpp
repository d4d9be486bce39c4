// The reel waits and the game-over state.
#include "runtime/GameOver.h"

#include "board/OutputOperations.h"
#include "config/PentacleTable.h"
#include "runtime/GameServe.h"
#include "runtime/MachineOps.h"
#include "runtime/MainLoop.h"
#include "runtime/MultipliedPlay.h"
#include "runtime/PlayerRecords.h"

namespace pinstage {

namespace {
constexpr uint32_t kStandingClockPasses = 1000000;
constexpr uint32_t kGameOverSteadyMs = 10000;
} // namespace

void waitReelsStopped(Machine& m) {
    uint32_t last = m.now();
    uint32_t standing = 0;
    while (!m.reels.reelsIdle()) {
        m.reels.startReelSteps();
        m.reels.animateReels(m.now());
        m.hooks.screen().composeFrame(m);
        runOutputEngines(m);
        m.hooks.events().processEvents();
        uint32_t now = m.now();
        if (now != last) {
            last = now;
            standing = 0;
        } else if (++standing > kStandingClockPasses) {
            return;
        }
    }
}

void showGameOver(Machine& m) {
    waitReelsStopped(m);
    GameState& g = m.game;
    // The contest players' records, with the final scores the stopped reels show.
    recordFinishedGame(m);
    g.playersDoneMask = kNoGame;
    g.nameEntrants = 0;
    m.hooks.media->FinirEtapeMedia(m);
    endMultipliedPlay(m);
    hideElement(m, element::kBallInPlay);
    for (int b = 0; b < 5; ++b)
        hideElement(m, element::kBallInPlay1 + b);
    for (int d = 0; d < 3; ++d)
        hideElement(m, element::kPanelDigit1 + d);
    showElement(m, element::kPanelPlayers);
    showElement(m, element::kPanelCompete);
    showElement(m, element::kGameOver);
    showElement(m, element::kPanelDigit1 + 3);
    for (int p = 0; p < kPlayerCount; ++p)
        showElement(m, element::kBanner1 + p);
    g.blinkPhase = 1;
    g.blinkTime = m.now() + kGameOverSteadyMs;
    armDirectCoils(m);
    coilOff(m.outputs, coil::kFlippers);
    coilOff(m.outputs, coil::kPlayfieldHold0);
    coilOff(m.outputs, coil::kPlayfieldHold1);
    trace(m, "game over");
}

} // namespace pinstage
