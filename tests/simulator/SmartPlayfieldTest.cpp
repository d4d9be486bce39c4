// The smart playfield: drop targets, bonus hole, drain and serve, held and pulsed switches, the
// dumb mode, and switches changed behind its back.
#include "SimRig.h"
#include "simulator/PlayfieldMap.h"

#include <vector>

namespace pinstage::test {
namespace {

class SmartPlayfieldTest : public SimRig {
protected:
    SmartPlayfield pf{board, clock};

    void serve() { pulseCoil(pf, playfield::kServeCoil); }
};

TEST_F(SmartPlayfieldTest, RightBankTargetsStayDownUntilTheirResetCoil) {
    for (int t : {17, 25, 33, 9})
        EXPECT_TRUE(pf.hit(t));
    run(pf, 2000, 10);
    for (int t : {17, 25, 33, 9}) {
        EXPECT_TRUE(board.switchClosed(t)) << "c" << t;
        EXPECT_TRUE(pf.latched(t));
    }
    pulseCoil(pf, playfield::kLeftBanksResetCoil); // the other banks' coil leaves them down
    for (int t : {17, 25, 33, 9})
        EXPECT_TRUE(board.switchClosed(t)) << "c" << t;
    pulseCoil(pf, playfield::kRightBankResetCoil);
    for (int t : {17, 25, 33, 9}) {
        EXPECT_FALSE(board.switchClosed(t)) << "c" << t;
        EXPECT_FALSE(pf.latched(t));
    }
    EXPECT_EQ(pf.counters().bankResets, 3u); // coil 6 stands both left banks up
}

// What the main loop sleeps until: the next switch change the playfield makes by itself.
TEST_F(SmartPlayfieldTest, TellsWhenItNextChangesASwitchByItself) {
    EXPECT_FALSE(pf.nextChangeTime());
    const uint32_t start = clock.now();
    pf.hit(14, 60); // the rubber: closed now, open 60 ms later
    pf.tick(clock.now());
    ASSERT_TRUE(pf.nextChangeTime());
    EXPECT_EQ(*pf.nextChangeTime(), start + 60);
    clock.advance(59);
    pf.tick(clock.now());
    EXPECT_TRUE(board.switchClosed(14));
    clock.advance(1);
    pf.tick(clock.now());
    EXPECT_FALSE(board.switchClosed(14)) << "open at the time it gave";
    EXPECT_FALSE(pf.nextChangeTime());
}

TEST_F(SmartPlayfieldTest, ResetWhileTheBallStillPressesTheTargetStandsItUp) {
    pf.hit(9, 50);
    pf.tick(clock.now());
    pulseCoil(pf, playfield::kRightBankResetCoil); // within the closure's 50 ms
    EXPECT_FALSE(board.switchClosed(9));
    run(pf, 200);
    EXPECT_FALSE(board.switchClosed(9)) << "not taken for a new fall";
    EXPECT_FALSE(pf.latched(9));
}

TEST_F(SmartPlayfieldTest, ColourAndWordBanksShareTheirResetCoil) {
    for (int t : {11, 19, 27, 13, 21, 12, 20})
        pf.hit(t);
    pf.hit(17);
    run(pf, 500, 10);
    pulseCoil(pf, playfield::kLeftBanksResetCoil);
    for (int t : {11, 19, 27, 13, 21, 12, 20})
        EXPECT_FALSE(board.switchClosed(t)) << "c" << t;
    EXPECT_TRUE(board.switchClosed(17)); // right bank still down
}

TEST_F(SmartPlayfieldTest, TargetHitAgainWhileDownStaysDownAndRisesOnce) {
    pf.hit(25);
    run(pf, 100);
    pf.hit(25);
    run(pf, 100);
    EXPECT_TRUE(board.switchClosed(25));
    pulseCoil(pf, playfield::kRightBankResetCoil);
    run(pf, 100);
    EXPECT_FALSE(board.switchClosed(25));
}

TEST_F(SmartPlayfieldTest, BonusHoleHoldsTheBallUntilTheKicker) {
    serve();
    ASSERT_EQ(pf.ball(), BallPlace::InPlay);
    pf.hit(playfield::kBonusHole);
    EXPECT_EQ(pf.ball(), BallPlace::InHole);
    run(pf, 3000, 10);
    EXPECT_TRUE(board.switchClosed(playfield::kBonusHole));
    EXPECT_FALSE(pf.press(playfield::kDrain)) << "no drain while the ball sits in the hole";
    pulseCoil(pf, playfield::kHoleKickerCoil);
    EXPECT_FALSE(board.switchClosed(playfield::kBonusHole));
    EXPECT_EQ(pf.ball(), BallPlace::InPlay);
    EXPECT_EQ(pf.counters().kicks, 1u);
    // A second kick with the hole empty changes nothing.
    pulseCoil(pf, playfield::kHoleKickerCoil);
    EXPECT_EQ(pf.counters().kicks, 1u);
}

TEST_F(SmartPlayfieldTest, DrainOnlyWhileABallIsInPlay) {
    EXPECT_FALSE(pf.press(playfield::kDrain));
    EXPECT_FALSE(pf.hit(playfield::kDrain));
    EXPECT_FALSE(board.switchClosed(playfield::kDrain));
    EXPECT_FALSE(pf.release(playfield::kDrain)); // nothing was held

    serve();
    EXPECT_EQ(pf.counters().serves, 1u);
    EXPECT_TRUE(pf.press(playfield::kDrain));
    EXPECT_TRUE(board.switchClosed(playfield::kDrain));
    EXPECT_EQ(pf.ball(), BallPlace::Trough);
    EXPECT_TRUE(pf.release(playfield::kDrain));
    EXPECT_FALSE(board.switchClosed(playfield::kDrain));
    EXPECT_FALSE(pf.press(playfield::kDrain)) << "the ball has already drained";
    EXPECT_EQ(pf.counters().drains, 1u);

    serve();
    EXPECT_TRUE(pf.hit(playfield::kDrain));
    EXPECT_EQ(pf.counters().drains, 2u);
}

TEST_F(SmartPlayfieldTest, ServeWithABallAlreadyInPlayIsNotASecondBall) {
    serve();
    serve();
    EXPECT_EQ(pf.counters().serves, 1u);
    EXPECT_EQ(pf.coilPulses(playfield::kServeCoil), 2u);
}

TEST_F(SmartPlayfieldTest, HitClosesForItsLengthThenOpens) {
    pf.hit(14, 50);
    EXPECT_TRUE(board.switchClosed(14));
    run(pf, 49);
    EXPECT_TRUE(board.switchClosed(14));
    run(pf, 1);
    EXPECT_FALSE(board.switchClosed(14));
}

TEST_F(SmartPlayfieldTest, SpinnerTurnsItsRepeats) {
    pf.hit(playfield::kSpinner, 30, SwitchOrigin::Random, 4);
    int closures = 1;
    bool was = true;
    for (int t = 0; t < 500; ++t) {
        clock.advance(1);
        pf.tick(clock.now());
        bool now = board.switchClosed(playfield::kSpinner);
        if (now && !was)
            ++closures;
        was = now;
    }
    EXPECT_EQ(closures, 4);
    EXPECT_FALSE(board.switchClosed(playfield::kSpinner));
}

TEST_F(SmartPlayfieldTest, HeldKeysStayClosedUntilReleased) {
    EXPECT_TRUE(pf.press(playfield::kStart));
    EXPECT_FALSE(pf.press(playfield::kStart)); // already held: one closure
    run(pf, 6000, 100);
    EXPECT_TRUE(board.switchClosed(playfield::kStart));
    EXPECT_TRUE(pf.release(playfield::kStart));
    EXPECT_FALSE(board.switchClosed(playfield::kStart));

    EXPECT_TRUE(pf.press(playfield::kLeftFlipperButton));
    EXPECT_TRUE(board.switchClosed(playfield::kLeftFlipperButton));
    EXPECT_FALSE(board.portInput(1) & 0x80) << "direct switch 7 pulls port 1 bit 7 low";
    pf.release(playfield::kLeftFlipperButton);
    EXPECT_TRUE(board.portInput(1) & 0x80);
}

TEST_F(SmartPlayfieldTest, AReleaseSoonIsCancelledByAPressInTime) {
    pf.press(5);
    EXPECT_TRUE(pf.releaseSoon(5, 30));
    run(pf, 20);
    EXPECT_TRUE(pf.press(5)); // the same key again: still held
    run(pf, 100);
    EXPECT_TRUE(board.switchClosed(5));
    EXPECT_TRUE(pf.releaseSoon(5, 30));
    run(pf, 29);
    EXPECT_TRUE(board.switchClosed(5));
    run(pf, 1);
    EXPECT_FALSE(board.switchClosed(5));
    EXPECT_FALSE(pf.held(5));
    EXPECT_FALSE(pf.releaseSoon(5, 30)) << "nothing held";
    EXPECT_FALSE(pf.releaseSoon(80, 30));
}

TEST_F(SmartPlayfieldTest, ContactsOutOfRangeAreRefused) {
    EXPECT_FALSE(pf.press(-1));
    EXPECT_FALSE(pf.press(72));
    EXPECT_FALSE(pf.hit(200));
    EXPECT_FALSE(pf.toggleHeld(-5));
    EXPECT_FALSE(pf.release(72));
    EXPECT_FALSE(pf.held(72));
    EXPECT_FALSE(pf.latched(-1));
    EXPECT_EQ(pf.coilPulses(24), 0u);
}

TEST_F(SmartPlayfieldTest, ToggleHoldsAndRaises) {
    EXPECT_TRUE(pf.toggleHeld(14));
    run(pf, 1000, 10);
    EXPECT_TRUE(board.switchClosed(14));
    EXPECT_TRUE(pf.toggleHeld(14));
    EXPECT_FALSE(board.switchClosed(14));

    pf.hit(33);
    run(pf, 100);
    EXPECT_TRUE(pf.toggleHeld(33)); // a fallen target raised by hand
    EXPECT_FALSE(board.switchClosed(33));
    EXPECT_FALSE(pf.latched(33));
}

TEST_F(SmartPlayfieldTest, DumbPlayfieldHasNoMemory) {
    pf.setSmart(false);
    pf.hit(17);
    run(pf, 60);
    EXPECT_FALSE(board.switchClosed(17));
    pf.hit(playfield::kBonusHole);
    run(pf, 60);
    EXPECT_FALSE(board.switchClosed(playfield::kBonusHole));
    EXPECT_TRUE(pf.press(playfield::kDrain)) << "no trough: the drain closes whenever asked";
    EXPECT_TRUE(board.switchClosed(playfield::kDrain));
}

TEST_F(SmartPlayfieldTest, TurningSmartOffRaisesTargetsAndFreesTheHole) {
    serve();
    pf.hit(9);
    pf.hit(playfield::kBonusHole);
    run(pf, 100);
    pf.setSmart(false);
    EXPECT_FALSE(board.switchClosed(9));
    EXPECT_FALSE(board.switchClosed(playfield::kBonusHole));
    EXPECT_EQ(pf.ball(), BallPlace::InPlay);
}

TEST_F(SmartPlayfieldTest, SwitchesChangedBehindItsBackFollowThePlayfield) {
    board.setSwitch(25, true); // a script closes a target directly on the board
    pf.tick(clock.now());
    EXPECT_TRUE(pf.latched(25));
    board.setSwitch(25, false); // and opens it: the target stays down
    pf.tick(clock.now());
    EXPECT_TRUE(board.switchClosed(25));
    pulseCoil(pf, playfield::kRightBankResetCoil);
    EXPECT_FALSE(board.switchClosed(25));

    board.setSwitch(playfield::kBonusHole, true);
    pf.tick(clock.now());
    EXPECT_EQ(pf.ball(), BallPlace::InHole);
    pulseCoil(pf, playfield::kHoleKickerCoil);
    EXPECT_EQ(pf.ball(), BallPlace::InPlay);

    board.setSwitch(playfield::kDrain, true); // a scripted drain
    pf.tick(clock.now());
    EXPECT_EQ(pf.ball(), BallPlace::Trough);
    EXPECT_EQ(pf.counters().drains, 1u);
    board.setSwitch(playfield::kDrain, false);
}

TEST_F(SmartPlayfieldTest, CoilsFollowTheirWiring) {
    std::array<int, SmartPlayfield::kCoils> bits{};
    for (int i = 0; i < SmartPlayfield::kCoils; ++i)
        bits[size_t(i)] = i;
    bits[playfield::kRightBankResetCoil] = 12; // rewired to port 4 bit 4
    bits[12] = playfield::kRightBankResetCoil;
    pf.setCoilBits(bits);
    pf.hit(17);
    run(pf, 100);
    pulseCoil(pf, 4);
    EXPECT_TRUE(board.switchClosed(17)) << "bit 4 now drives coil 12";
    pulseCoil(pf, 12);
    EXPECT_FALSE(board.switchClosed(17));
    EXPECT_EQ(pf.coilPulses(playfield::kRightBankResetCoil), 1u);
    EXPECT_EQ(pf.coilPulses(12), 1u);

    bits.fill(-1); // nothing wired: no coil is answered
    pf.setCoilBits(bits);
    serve();
    EXPECT_EQ(pf.ball(), BallPlace::Trough);
}

TEST_F(SmartPlayfieldTest, ChangesAreReportedWithTheirOrigin) {
    struct Seen {
        uint32_t time;
        int contact;
        HandAction action;
        uint32_t ms;
        SwitchOrigin origin;
    };
    std::vector<Seen> seen;
    pf.onChange = [&](uint32_t t, int c, HandAction a, uint32_t ms, SwitchOrigin o) {
        seen.push_back({t, c, a, ms, o});
    };
    uint32_t t0 = clock.now();
    pf.press(5);
    clock.advance(120);
    pf.release(5);
    pf.hit(4, 60, SwitchOrigin::Automatic);
    pf.press(playfield::kDrain); // refused: not reported
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].time, t0);
    EXPECT_EQ(seen[0].action, HandAction::Close);
    EXPECT_EQ(seen[1].time, t0 + 120);
    EXPECT_EQ(seen[1].action, HandAction::Open);
    EXPECT_EQ(seen[2].contact, 4);
    EXPECT_EQ(seen[2].action, HandAction::Pulse);
    EXPECT_EQ(seen[2].ms, 60u);
    EXPECT_EQ(seen[2].origin, SwitchOrigin::Automatic);
}

} // namespace
} // namespace pinstage::test
