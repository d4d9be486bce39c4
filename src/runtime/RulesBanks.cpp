// The bank targets, their completion awards and the latch expiry.
#include "runtime/RulesBanks.h"

#include "board/OutputOperations.h"
#include "config/PentacleTable.h"
#include "runtime/GameSwitches.h"
#include "runtime/MachineOps.h"
#include "runtime/MultipliedPlay.h"
#include "runtime/RulesScore.h"

namespace pinstage {

namespace {

constexpr uint8_t kRightBankFull = 0x0F;
constexpr uint8_t kColourBankFull = 0x07;
constexpr uint8_t kWordBankFull = 0x0F;
constexpr uint32_t kWordBankSeconds = 30;

// A target scores only at its first fall in the cycle; later closures stay pending until the
// latch is cleared. The latch is taken even outside play. True when the target was new in play.
bool bankTarget(Machine& m, int c, uint8_t bit, uint8_t& latch, uint32_t points) {
    if (!closurePending(m, c) || (latch & bit))
        return false;
    latch |= bit;
    bool scored = inPlay(m);
    if (scored) {
        uint32_t added = addPoints(m, points);
        addPendingBonus(m, 1);
        traceRule(m, c, added, 1);
    }
    clearClosure(m, c);
    return scored;
}

void rightBankComplete(Machine& m) {
    if (lampIsOn(m, lamp::kAlternating)) {
        advanceMultiplierLamps(m);
        playFunctionOnce(m, fn::kRightBankAdvance);
    } else {
        playFunctionOnce(m, fn::kRightBankPlain);
    }
    coilPulse(m.outputs, coil::kRightBankReset);
    m.game.rightBankResetTime = timeStamp(m.now());
    lampOn(m.outputs, lamp::kBumperTargetLit);
}

void colourBankComplete(Machine& m) {
    if (lampIsOn(m, lamp::kColourBankDone))
        lampOn(m.outputs, lamp::kExtraBallLit);
    coilPulse(m.outputs, coil::kLeftBanksReset);
    playFunctionOnce(m, fn::kExtraBallOrColourBank);
    m.game.colourBankResetTime = timeStamp(m.now());
    lampOn(m.outputs, lamp::kColourBankDone);
}

void wordBankComplete(Machine& m) {
    coilPulse(m.outputs, coil::kLeftBanksReset);
    playFunctionOnce(m, fn::kSpecialOrWordBank);
    m.game.pentacleBankResetTime = timeStamp(m.now());
    m.game.multipliedSeconds += kWordBankSeconds;
    m.game.scoreMultiplier = multiplierFromLamps(m);
    startMultipliedPlay(m);
}

template <size_t N>
void bankRules(Machine& m, const std::array<int, N>& targets, uint8_t& latch, uint32_t points, uint8_t full,
               void (*complete)(Machine&)) {
    for (size_t i = 0; i < N; ++i) {
        if (bankTarget(m, targets[i], uint8_t(1u << i), latch, points) && (latch & full) == full)
            complete(m);
    }
}

template <size_t N>
void expire(Machine& m, uint32_t& resetTime, uint8_t& latch, const std::array<int, N>& targets) {
    if (resetTime == 0 || !periodPassed(m.now(), resetTime, kBankLatchExpiryMs))
        return;
    resetTime = 0;
    for (int c : targets)
        clearClosure(m, c);
    latch = 0;
}

} // namespace

void rightBankRules(Machine& m) {
    bankRules(m, contact::kRightBank, m.game.rightBankLatch, 2000, kRightBankFull, rightBankComplete);
}

void colourBankRules(Machine& m) {
    bankRules(m, contact::kColourBank, m.game.colourBankLatch, 5000, kColourBankFull, colourBankComplete);
}

void wordBankRules(Machine& m) {
    bankRules(m, contact::kWordBank, m.game.pentacleBankLatch, 2000, kWordBankFull, wordBankComplete);
}

void bankLatchExpiry(Machine& m) {
    expire(m, m.game.rightBankResetTime, m.game.rightBankLatch, contact::kRightBank);
    expire(m, m.game.colourBankResetTime, m.game.colourBankLatch, contact::kColourBank);
    expire(m, m.game.pentacleBankResetTime, m.game.pentacleBankLatch, contact::kWordBank);
}

} // namespace pinstage
