// The loop's next deadline, gathered from every cadence the loop turn runs.
#include "runtime/LoopDeadline.h"

#include "board/BoardIo.h"
#include "board/BoardTransport.h"
#include "config/AdjustmentRows.h"
#include "config/PentacleTable.h"
#include "runtime/BonusLadder.h"
#include "runtime/GameSwitches.h"
#include "runtime/MachineOps.h"
#include "runtime/Module_usb_reglable_2023_pentacle.h"
#include "runtime/MultipliedPlay.h"
#include "runtime/RulesBanks.h"

#include <algorithm>

namespace pinstage {

namespace {

constexpr uint32_t kChaserPeriodMs = 2;
constexpr uint32_t kLampRefreshMs = 100;

// The earliest of the deadlines offered, never before now.
class Earliest {
public:
    explicit Earliest(uint32_t now) : now_(now), at_(now + kLongestIdleMs) {}
    void at(uint32_t t) {
        if (int32_t(t - now_) <= 0)
            at_ = now_;
        else if (int32_t(t - at_) < 0)
            at_ = t;
    }
    void now() { at_ = now_; }
    void nextMs() { at(now_ + 1); }
    // periodPassed(now, start, period) first holds at start + period + 1.
    void afterPeriod(uint32_t start, uint32_t period) { at(start + period + 1); }
    // cadenceDue(now, last, period): the same, or at once when last lies too far ahead.
    void afterCadence(uint32_t last, uint32_t period) {
        if (int32_t(last - now_) > int32_t(kLongestPushMs))
            now();
        else
            afterPeriod(last, period);
    }
    // deadlinePassed(now, deadline): 0 is already passed.
    void afterDeadline(uint32_t deadline) {
        if (deadline == 0)
            now();
        else
            at(deadline + 1);
    }
    uint32_t value() const { return at_; }
    bool immediate() const { return at_ == now_; }

private:
    uint32_t now_;
    uint32_t at_;
};

bool isBankTarget(int c) {
    auto in = [c](const auto& bank) { return std::find(bank.begin(), bank.end(), c) != bank.end(); };
    return in(contact::kRightBank) || in(contact::kColourBank) || in(contact::kWordBank);
}

// Work that is watched rather than timed: handlers waiting with their closure pending (a bank
// target's closure waits for its latch, which is timed), reels rolling, buttons held, the name
// entry, the media of the attract sequence, a board that changes unannounced.
bool mustWatch(const Machine& m) {
    if (m.boardTransport && m.boardTransport->inputsNeedPolling())
        return true;
    for (int c = 0; c < kContactCount; ++c)
        if ((m.switches.contactFlags[size_t(c)] & kContactPending) && !isBankTarget(c))
            return true;
    for (int c = 0; c < ReelBank::kCounterCount; ++c)
        if (const Compteur* counter = m.reels.counter(c); counter && !counter->idle())
            return true;
    if (m.switches.dryInputs != 0)
        return true;
    const PlayerEntry& entry = *m.hooks.entry;
    if (entry.nameStepActive() || entry.keyboardFormOpen())
        return true;
    for (AdjustmentOption o :
         {AdjustmentOption::PhotoAtGameOver, AdjustmentOption::RankingPhotos, AdjustmentOption::InternetAds,
          AdjustmentOption::Kiosk, AdjustmentOption::Videos, AdjustmentOption::Posters,
          AdjustmentOption::NameEntry})
        if (optionIsYes(m.params.adjustments, o))
            return true;
    return false;
}

void gameDeadlines(const Machine& m, Earliest& e) {
    const GameState& g = m.game;
    if (gameRunning(m)) {
        if (lampIsOn(m, lamp::kShootAgain))
            e.afterCadence(g.shootAgainBlinkTime, kShootAgainBlinkMs);
        if (g.machineEvents & kEventJinglePlaying)
            e.afterCadence(g.multipliedJingleEnd, 0);
        if (g.pendingBonus != 0)
            e.afterCadence(g.bonusAdvanceTime, kBonusAdvancePeriodMs);
    } else {
        e.afterPeriod(m.rt.chaserTime, kChaserPeriodMs);
        // The media rotation's clocks; at 0 (the rotation idle, every media option off) it does
        // the same at every turn, whenever the turn comes.
        if (!m.hooks.entry->nameStepActive() && m.rt.mediaDeadline != 0) {
            e.afterDeadline(m.rt.mediaDeadline);
            if (deadlinePassed(m.now(), m.rt.mediaDeadline) && m.rt.mediaEndTime != 0)
                e.afterDeadline(m.rt.mediaEndTime);
        }
    }
    if (g.machineEvents & kEventBonusHoleRelease) {
        if (g.bonusHoleKickPending)
            e.nextMs(); // the kicker's firing is watched for
        else
            e.afterCadence(g.bonusHoleReleaseTime, 0);
    }
    for (uint32_t reset : {g.rightBankResetTime, g.colourBankResetTime, g.pentacleBankResetTime})
        if (reset != 0)
            e.afterPeriod(reset, kBankLatchExpiryMs);
    e.afterCadence(g.blinkTime, kBlinkMs);
    e.afterCadence(g.secondTime, kSecondTickMs);
    if (g.machineEvents & kEventEscapeRequest)
        e.afterDeadline(m.rt.escapeDeadline);
}

void coilDeadlines(const Outputs& out, Earliest& e) {
    for (int i = 0; i < kCoilCount; ++i) {
        const Sortie& coil = out.coils[size_t(i)];
        const size_t k = size_t(i / 8);
        const uint8_t bit = uint8_t(1u << (i % 8));
        const bool energised = !(out.coilPort[k] & bit);
        const bool requested = out.coilRequest[k] & bit;
        if (coil.activatedAt == 0) {
            if (energised || requested)
                e.afterPeriod(out.lastRelease[size_t(i)], coil.restMs);
        } else if (requested || !energised) {
            e.afterPeriod(coil.activatedAt, coil.pulseMs); // a held coil has no end
        }
    }
}

void lampDeadlines(const Outputs& out, uint32_t now, Earliest& e) {
    if (out.lampSendDue) {
        e.now();
        return;
    }
    // A lamp switched after the engine ran in a turn (the attract chaser's) goes out at the next
    // turn the loop wakes for; the rest of a turn's lamp changes were sent within it.
    for (int n = 0; n < kLampCount; ++n) {
        const VoyantLed& lamp = out.lamps[size_t(n)];
        const bool lit = out.litBytes[size_t(n / 8)] & (1u << (n % 8));
        if (!lit || !(lamp.flags & kLampBlinking))
            continue;
        // The phase that runs (off, else on) ends one millisecond after its length.
        if (!periodPassed(now, lamp.offStart, lamp.offMs))
            e.afterPeriod(lamp.offStart, lamp.offMs);
        else
            e.afterPeriod(lamp.onStart, lamp.onMs);
    }
    e.afterPeriod(out.lampSentAt, kLampRefreshMs);
}

} // namespace

uint32_t nextLoopDeadline(const Machine& m) {
    const uint32_t now = m.now();
    Earliest e(now);
    if (mustWatch(m))
        e.nextMs();
    gameDeadlines(m, e);
    coilDeadlines(m.outputs, e);
    lampDeadlines(m.outputs, now, e);
    if (std::optional<uint32_t> frame = m.hooks.screen().nextFrameTime(m))
        e.at(*frame);
    if (m.nextScheduledInput)
        if (std::optional<uint32_t> input = m.nextScheduledInput())
            e.at(*input);
    if (m.rt.quitAfterSet && m.rt.splashEnded && !m.rt.quitRequested)
        e.at(m.rt.splashEndTime + m.rt.quitAfterMs);
    return e.value();
}

} // namespace pinstage
