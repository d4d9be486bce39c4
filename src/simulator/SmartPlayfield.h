// The playfield around the simulated board: what the operator's hands, a script, a random ball and
// the machine's own coils do to the switches. With the smart behaviours on, drop targets stay down
// until their bank's reset coil pulses, the bonus hole holds the ball until the kicker fires, and
// the drain works only while a ball is in play, which the serve coil puts there.
#pragma once

#include "board/SimulatedBoard.h"
#include "platform/Clock.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>

namespace pinstage {

enum class SwitchOrigin : uint8_t { Operator, Script, Random, Automatic };
enum class HandAction : uint8_t { Close, Open, Pulse };
enum class BallPlace : uint8_t { Trough, InPlay, InHole };

struct PlayfieldCounters {
    uint64_t randomHits = 0;
    uint32_t drains = 0;
    uint32_t serves = 0;
    uint32_t kicks = 0;
    uint32_t bankResets = 0;
};

class SmartPlayfield {
public:
    static constexpr uint32_t kHitMs = 50;
    static constexpr int kContacts = 72;
    static constexpr int kCoils = 24;

    SmartPlayfield(SimulatedBoard& board, const Clock& clock, uint32_t seed = 1);

    // Off: every switch is only what the hands make it; latched targets and the hole open at once.
    void setSmart(bool on);
    bool smart() const { return smart_; }

    // Closed and kept closed until released (a held key or mouse toggle). False when the
    // playfield refused it (the drain with no ball in play, a contact out of range).
    bool press(int contact, SwitchOrigin origin = SwitchOrigin::Operator);
    bool release(int contact, SwitchOrigin origin = SwitchOrigin::Operator);
    // Released ms milliseconds from now unless pressed again meanwhile: a key's release that the
    // window system follows at once with a press is its auto-repeat, not the hand letting go.
    bool releaseSoon(int contact, uint32_t ms, SwitchOrigin origin = SwitchOrigin::Operator);
    // A closure of ms milliseconds; the spinner given repeats turns that many times.
    bool hit(int contact, uint32_t ms = kHitMs, SwitchOrigin origin = SwitchOrigin::Operator,
             int repeats = 1);
    // Held closed, or released when it was held.
    bool toggleHeld(int contact, SwitchOrigin origin = SwitchOrigin::Operator);
    bool held(int contact) const;

    // While on, every ball in play closes random playfield switches at a human pace until it
    // drains after a random number of hits; then the drain is closed.
    void setRandomBall(bool on);
    // The board bit (8 * port byte + bit) each coil drives; by default coil n drives bit n.
    void setCoilBits(const std::array<int, kCoils>& bitOfCoil);
    bool randomBall() const { return random_; }

    // Drivers: after every change of the board outputs, and at every board read.
    void outputsChanged();
    void tick(uint32_t now);
    // When tick next changes a switch by itself (a pulse, a timed release, the random ball).
    std::optional<uint32_t> nextChangeTime() const;

    BallPlace ball() const { return ball_; }
    bool latched(int contact) const;
    const PlayfieldCounters& counters() const { return counters_; }
    // Rising edges seen on a coil since the start.
    uint32_t coilPulses(int coil) const;

    // Every change of a switch made through this class, for the recorder and the window.
    std::function<void(uint32_t now, int contact, HandAction action, uint32_t ms, SwitchOrigin origin)>
        onChange;

private:
    struct Pulse {
        bool active = false;   // a pulse train is running
        bool closed = false;   // the current closure of the train
        uint32_t changeAt = 0; // time of the next open or close
        uint32_t length = kHitMs;
        int repeatsLeft = 0;
    };

    static bool valid(int contact) { return contact >= 0 && contact < kContacts; }
    bool refusedDrain(int contact) const;
    void closedByHand(int contact, uint32_t now);
    // Closed by the hands, a pulse or the playfield's memory.
    bool wanted(int contact) const;
    void apply(int contact);
    void notify(uint32_t now, int contact, HandAction action, uint32_t ms, SwitchOrigin origin);
    void watchCoils(uint32_t now);
    void coilFired(int coil, uint32_t now);
    void observeBoard(uint32_t now);
    void runPulses(uint32_t now);
    void runReleases(uint32_t now);
    void runRandomBall(uint32_t now);
    void ballEntersPlay(uint32_t now, uint32_t delayMin, uint32_t delayMax);
    uint32_t uniform(uint32_t lo, uint32_t hi);

    SimulatedBoard& board_;
    const Clock& clock_;
    bool smart_ = true;
    std::array<bool, kContacts> held_{};
    std::array<bool, kContacts> latched_{};
    std::array<Pulse, kContacts> pulses_{};
    struct Deferred {
        bool active = false;
        uint32_t at = 0;
        SwitchOrigin origin = SwitchOrigin::Operator;
    };
    std::array<Deferred, kContacts> releases_{};
    uint32_t energised_ = 0; // bit i = board coil bit i seen energised
    std::array<int, kCoils> coilAtBit_{};
    std::array<uint32_t, kCoils> coilPulses_{};
    BallPlace ball_ = BallPlace::Trough;
    PlayfieldCounters counters_;

    bool random_ = false;
    uint32_t nextRandomHit_ = 0;
    int hitsLeftThisBall_ = 0;
    std::mt19937 rng_;
};

} // namespace pinstage
