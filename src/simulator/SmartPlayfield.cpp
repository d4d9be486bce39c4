// The smart playfield: held and pulsed switches, latched drop targets and hole, the ball's place,
// and the random ball.
#include "simulator/SmartPlayfield.h"

#include "simulator/PlayfieldMap.h"

#include <algorithm>

namespace pinstage {

namespace {

// True once now has reached t (wrap-safe).
bool reached(uint32_t now, uint32_t t) {
    return int32_t(now - t) >= 0;
}

bool latchable(int contact) {
    return contact == playfield::kBonusHole || playfield::isDropTarget(contact);
}

} // namespace

SmartPlayfield::SmartPlayfield(SimulatedBoard& board, const Clock& clock, uint32_t seed)
    : board_(board), clock_(clock), rng_(seed) {
    for (int i = 0; i < kCoils; ++i)
        coilAtBit_[size_t(i)] = i;
    for (int i = 0; i < kCoils; ++i)
        if (board_.coilEnergised(i))
            energised_ |= 1u << i;
}

void SmartPlayfield::setSmart(bool on) {
    if (on == smart_)
        return;
    smart_ = on;
    if (on)
        return;
    for (int c = 0; c < kContacts; ++c) {
        if (latched_[size_t(c)]) {
            latched_[size_t(c)] = false;
            apply(c);
        }
    }
    if (ball_ == BallPlace::InHole)
        ball_ = BallPlace::InPlay;
}

bool SmartPlayfield::refusedDrain(int contact) const {
    return smart_ && contact == playfield::kDrain && ball_ != BallPlace::InPlay;
}

bool SmartPlayfield::press(int contact, SwitchOrigin origin) {
    if (!valid(contact))
        return false;
    if (held_[size_t(contact)] && releases_[size_t(contact)].active) {
        releases_[size_t(contact)].active = false; // pressed again before letting go: still held
        return true;
    }
    if (held_[size_t(contact)] || refusedDrain(contact))
        return false;
    uint32_t now = clock_.now();
    held_[size_t(contact)] = true;
    closedByHand(contact, now);
    apply(contact);
    notify(now, contact, HandAction::Close, 0, origin);
    return true;
}

bool SmartPlayfield::release(int contact, SwitchOrigin origin) {
    if (!valid(contact) || !held_[size_t(contact)])
        return false;
    held_[size_t(contact)] = false;
    releases_[size_t(contact)].active = false;
    apply(contact);
    notify(clock_.now(), contact, HandAction::Open, 0, origin);
    return true;
}

bool SmartPlayfield::releaseSoon(int contact, uint32_t ms, SwitchOrigin origin) {
    if (!valid(contact) || !held_[size_t(contact)])
        return false;
    releases_[size_t(contact)] = {true, clock_.now() + ms, origin};
    return true;
}

bool SmartPlayfield::hit(int contact, uint32_t ms, SwitchOrigin origin, int repeats) {
    if (!valid(contact) || refusedDrain(contact))
        return false;
    uint32_t now = clock_.now();
    Pulse& p = pulses_[size_t(contact)];
    p.active = true;
    p.closed = true;
    p.length = std::max<uint32_t>(ms, 1);
    p.changeAt = now + p.length;
    p.repeatsLeft = std::max(repeats, 1) - 1;
    closedByHand(contact, now);
    apply(contact);
    notify(now, contact, HandAction::Pulse, ms, origin);
    return true;
}

bool SmartPlayfield::toggleHeld(int contact, SwitchOrigin origin) {
    if (!valid(contact))
        return false;
    size_t c = size_t(contact);
    if (!held_[c] && !latched_[c])
        return press(contact, origin);
    // Raised by hand: a held switch opens, a fallen target stands up, the ball leaves the hole.
    held_[c] = false;
    releases_[c].active = false;
    if (latched_[c]) {
        latched_[c] = false;
        if (contact == playfield::kBonusHole && ball_ == BallPlace::InHole)
            ball_ = BallPlace::InPlay;
    }
    apply(contact);
    notify(clock_.now(), contact, HandAction::Open, 0, origin);
    return true;
}

bool SmartPlayfield::held(int contact) const {
    return valid(contact) && held_[size_t(contact)];
}

bool SmartPlayfield::latched(int contact) const {
    return valid(contact) && latched_[size_t(contact)];
}

uint32_t SmartPlayfield::coilPulses(int coil) const {
    return coil >= 0 && coil < kCoils ? coilPulses_[size_t(coil)] : 0;
}

void SmartPlayfield::closedByHand(int contact, uint32_t now) {
    (void)now;
    if (contact == playfield::kDrain && ball_ == BallPlace::InPlay) {
        ball_ = BallPlace::Trough;
        ++counters_.drains;
    }
    if (!smart_ || !latchable(contact))
        return;
    latched_[size_t(contact)] = true;
    if (contact == playfield::kBonusHole)
        ball_ = BallPlace::InHole;
}

bool SmartPlayfield::wanted(int contact) const {
    size_t c = size_t(contact);
    return held_[c] || latched_[c] || pulses_[c].closed;
}

void SmartPlayfield::apply(int contact) {
    bool closed = wanted(contact);
    if (board_.switchClosed(contact) != closed)
        board_.setSwitch(contact, closed);
}

void SmartPlayfield::notify(uint32_t now, int contact, HandAction action, uint32_t ms, SwitchOrigin origin) {
    if (onChange)
        onChange(now, contact, action, ms, origin);
}

void SmartPlayfield::setRandomBall(bool on) {
    random_ = on;
    if (!on || ball_ != BallPlace::InPlay)
        return;
    nextRandomHit_ = clock_.now() + 300;
    if (hitsLeftThisBall_ <= 0)
        hitsLeftThisBall_ = int(uniform(6, 40));
}

void SmartPlayfield::setCoilBits(const std::array<int, kCoils>& bitOfCoil) {
    coilAtBit_.fill(-1);
    for (int coil = kCoils - 1; coil >= 0; --coil) {
        int bit = bitOfCoil[size_t(coil)];
        if (bit >= 0 && bit < kCoils)
            coilAtBit_[size_t(bit)] = coil;
    }
}

void SmartPlayfield::outputsChanged() {
    watchCoils(clock_.now());
}

void SmartPlayfield::tick(uint32_t now) {
    watchCoils(now);
    // A drain closed behind the playfield's back (a script) still takes the ball away.
    if (ball_ == BallPlace::InPlay && board_.switchClosed(playfield::kDrain) && !wanted(playfield::kDrain)) {
        ball_ = BallPlace::Trough;
        ++counters_.drains;
    }
    if (smart_)
        observeBoard(now);
    runPulses(now);
    runReleases(now);
    runRandomBall(now);
}

std::optional<uint32_t> SmartPlayfield::nextChangeTime() const {
    std::optional<uint32_t> next;
    auto offer = [&next](uint32_t t) {
        if (!next || int32_t(t - *next) < 0)
            next = t;
    };
    for (const Pulse& p : pulses_)
        if (p.active)
            offer(p.changeAt);
    for (const Deferred& d : releases_)
        if (d.active)
            offer(d.at);
    if (random_ && ball_ == BallPlace::InPlay)
        offer(nextRandomHit_);
    return next;
}

void SmartPlayfield::watchCoils(uint32_t now) {
    uint32_t current = 0;
    for (int i = 0; i < kCoils; ++i)
        if (board_.coilEnergised(i))
            current |= 1u << i;
    uint32_t rising = current & ~energised_;
    energised_ = current;
    for (int i = 0; i < kCoils; ++i)
        if ((rising & (1u << i)) && coilAtBit_[size_t(i)] >= 0)
            coilFired(coilAtBit_[size_t(i)], now);
}

void SmartPlayfield::coilFired(int coil, uint32_t now) {
    ++coilPulses_[size_t(coil)];
    if (coil == playfield::kServeCoil && ball_ == BallPlace::Trough) {
        ball_ = BallPlace::InPlay;
        ++counters_.serves;
        hitsLeftThisBall_ = int(uniform(6, 40));
        ballEntersPlay(now, 800, 1500); // up the shooter lane first
    }
    if (coil == playfield::kHoleKickerCoil && latched_[size_t(playfield::kBonusHole)]) {
        latched_[size_t(playfield::kBonusHole)] = false;
        pulses_[size_t(playfield::kBonusHole)] = Pulse{};
        apply(playfield::kBonusHole);
        ++counters_.kicks;
        if (ball_ == BallPlace::InHole)
            ball_ = BallPlace::InPlay;
        ballEntersPlay(now, 300, 800);
    }
    if (!smart_)
        return;
    for (const auto& bank : playfield::kDropBanks) {
        if (bank.resetCoil != coil)
            continue;
        ++counters_.bankResets;
        for (int t : bank.targets) {
            if (t < 0)
                continue;
            // The coil lifts the target even while the ball still presses it.
            latched_[size_t(t)] = false;
            pulses_[size_t(t)] = Pulse{};
            apply(t);
        }
    }
}

void SmartPlayfield::observeBoard(uint32_t now) {
    (void)now;
    // A script or another program part may change the board directly: a target it closes falls,
    // and one it opens while fallen stays down.
    for (int c = 0; c < kContacts; ++c) {
        if (!latchable(c))
            continue;
        bool closed = board_.switchClosed(c);
        if (closed && !latched_[size_t(c)] && !wanted(c)) {
            latched_[size_t(c)] = true;
            if (c == playfield::kBonusHole)
                ball_ = BallPlace::InHole;
        } else if (!closed && latched_[size_t(c)]) {
            apply(c);
        }
    }
}

void SmartPlayfield::runPulses(uint32_t now) {
    for (int c = 0; c < kContacts; ++c) {
        Pulse& p = pulses_[size_t(c)];
        if (!p.active || !reached(now, p.changeAt))
            continue;
        if (p.closed) {
            p.closed = false;
            if (p.repeatsLeft > 0)
                p.changeAt = now + p.length;
            else
                p.active = false;
        } else {
            p.closed = true;
            --p.repeatsLeft;
            p.changeAt = now + p.length;
        }
        apply(c);
    }
}

void SmartPlayfield::runReleases(uint32_t now) {
    for (int c = 0; c < kContacts; ++c) {
        const Deferred& d = releases_[size_t(c)];
        if (d.active && reached(now, d.at))
            release(c, d.origin);
    }
}

void SmartPlayfield::runRandomBall(uint32_t now) {
    if (!random_ || ball_ != BallPlace::InPlay || !reached(now, nextRandomHit_))
        return;
    if (hitsLeftThisBall_ <= 0) {
        hit(playfield::kDrain, 80, SwitchOrigin::Random);
        return;
    }
    // A fallen target cannot be hit again; a switch still closing from the last hit waits.
    int contact = -1;
    for (int attempt = 0; attempt < 8 && contact < 0; ++attempt) {
        int c = playfield::kBallSwitches[uniform(0, uint32_t(playfield::kBallSwitches.size() - 1))];
        if (!latched_[size_t(c)] && !pulses_[size_t(c)].active && !held_[size_t(c)])
            contact = c;
    }
    nextRandomHit_ = now + uniform(250, 1200);
    if (contact < 0)
        return;
    if (contact == playfield::kSpinner)
        hit(contact, 30, SwitchOrigin::Random, int(uniform(2, 6)));
    else
        hit(contact, uniform(40, 90), SwitchOrigin::Random);
    ++counters_.randomHits;
    --hitsLeftThisBall_;
}

void SmartPlayfield::ballEntersPlay(uint32_t now, uint32_t delayMin, uint32_t delayMax) {
    nextRandomHit_ = now + uniform(delayMin, delayMax);
}

uint32_t SmartPlayfield::uniform(uint32_t lo, uint32_t hi) {
    return std::uniform_int_distribution<uint32_t>(lo, hi)(rng_);
}

} // namespace pinstage
