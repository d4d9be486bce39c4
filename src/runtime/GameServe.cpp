// Direct coils, delayed pulses, the game reset, the saved playfields and the ball serve.
#include "runtime/GameServe.h"

#include "board/OutputOperations.h"
#include "board/ResetOutputs.h"
#include "config/PentacleTable.h"
#include "runtime/GameSwitches.h"
#include "runtime/MachineOps.h"
#include "runtime/MultipliedPlay.h"

#include <cstdio>

namespace pinstage {

namespace {

struct DirectCoilLink {
    int contact;
    uint8_t field; // coil number + 1
};
constexpr DirectCoilLink kDirectCoils[] = {
    {contact::kBumperCentre, 10},
    {contact::kBumperTop, 9},
    {contact::kKickerLeft, 11},
    {contact::kKickerRight, 12},
};

constexpr uint32_t kServeRestMs = 1000;
constexpr uint8_t kSavedCoilBits = 0x07;
constexpr int kSavedCoilCount = 8;

} // namespace

void armDirectCoils(Machine& m) {
    bool armed = inPlay(m);
    for (const auto& link : kDirectCoils) {
        uint8_t& flags = m.switches.contactFlags[size_t(link.contact)];
        flags = uint8_t((flags & ~kContactDirectCoilMask) | (armed ? link.field : 0));
    }
}

void programDelayedPulse(Machine& m, int coilNumber, uint32_t restMs) {
    if (coilNumber < 0 || coilNumber >= kCoilCount)
        return;
    Sortie& c = m.outputs.coils[size_t(coilNumber)];
    // The engine first "releases" the coil (stamping the release time), then pulses it once the
    // rest time has passed; one repeat is consumed by that first release.
    c.autoRelease = 1;
    c.repeat = 1;
    c.activatedAt = 1;
    c.restMs = restMs;
    coilPulse(m.outputs, c);
}

void resetPlayfieldForGame(Machine& m) {
    PlayerState& first = m.game.players[0];
    first.spare = 0;
    first.freeGamesThisGame = 0;
    first.scoreAwards = 0;
    resetOutputs(m.outputs, m.io, m.switches, m.clock);
    m.game.scoreMultiplier = 1;
    m.game.multipliedSeconds = 0;
    // Bonus earned in a game that ended early belongs to no one in this one.
    m.game.pendingBonus = 0;
    m.game.secondTime = m.now();
    coilHold(m.outputs, coil::kFlippers);
    coilHold(m.outputs, coil::kPlayfieldHold0);
    coilHold(m.outputs, coil::kPlayfieldHold1);
    for (uint8_t p = 0; p < kPlayerCount; ++p) {
        m.game.currentPlayer = p;
        savePlayerPlayfield(m);
    }
    m.game.currentPlayer = 0;
}

void savePlayerPlayfield(Machine& m) {
    PlayerState& p = currentPlayerState(m);
    // Each lamp by its own number, whatever byte and bit its record gives it.
    p.savedLamps.fill(0);
    for (int n = 0; n < kLampCount; ++n)
        if (m.outputs.lamps[size_t(n)].lit)
            p.savedLamps[size_t(n / 8)] |= uint8_t(1u << (n % 8));
    p.savedCoils = uint8_t(~m.outputs.coilPort[2] & kSavedCoilBits);
    hideElement(m, element::kLetterP);
    hideElement(m, element::kLetterP + 1);
    hideElement(m, element::kLetterP + 2);
}

void restorePlayerPlayfield(Machine& m) {
    PlayerState& p = currentPlayerState(m);
    uint8_t coils = p.savedCoils & kSavedCoilBits;
    for (int i = 0; i < kSavedCoilCount; ++i) {
        if (coils & (1u << i))
            coilHold(m.outputs, coil::kFirstSavedCoil + i);
        else
            coilOff(m.outputs, coil::kFirstSavedCoil + i);
    }
    for (int n = 0; n < kLampCount; ++n) {
        if (p.savedLamps[size_t(n / 8)] & (1u << (n % 8)))
            lampOn(m.outputs, n);
        else
            lampOff(m.outputs, n);
    }
}

void serveBall(Machine& m) {
    GameState& g = m.game;
    uint32_t now = timeStamp(m.now());
    if (g.colourBankLatch != 0 || g.pentacleBankLatch != 0) {
        coilPulse(m.outputs, coil::kLeftBanksReset);
        g.colourBankResetTime = now;
        g.pentacleBankResetTime = now;
    }
    if (g.rightBankLatch != 0) {
        coilPulse(m.outputs, coil::kRightBankReset);
        g.rightBankResetTime = now;
    }

    uint8_t player = currentPlayerIndex(m);
    PlayerState& p = g.players[player];
    for (int i = 0; i < kPlayerCount; ++i)
        setElementShown(m, element::kBanner1 + i, i == player);
    for (int b = 0; b < 5; ++b)
        setElementShown(m, element::kBallInPlay1 + b, b == p.ball);

    programDelayedPulse(m, coil::kBallServe, kServeRestMs);

    m.reels.ballHasScored = 0;
    g.tilted = 0;
    hideElement(m, element::kTilt);
    coilOff(m.outputs, coil::kPlayfieldHold0);
    coilOff(m.outputs, coil::kPlayfieldHold1);
    coilHold(m.outputs, coil::kFlippers);
    armDirectCoils(m);
    endMultipliedPlay(m, false); // the music starts below
    hideElement(m, element::kPanelCompete);
    restorePlayerPlayfield(m);

    if (!(g.machineEvents & kEventSuppressServeSound))
        playFunctionOnce(m, fn::kBallServed);
    else
        g.machineEvents &= uint8_t(~kEventSuppressServeSound);
    loopFunction(m, fn::kBackgroundMusic);

    if (tracing(m)) {
        char text[32];
        std::snprintf(text, sizeof text, "player %d ball %d", player + 1, p.ball + 1);
        trace(m, text);
    }
}

} // namespace pinstage
