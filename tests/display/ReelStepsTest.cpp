// Score reels: digit steps, carries, sounds, pending tens, roll to zero and the once-per-ball signal.
#include "ReelTestRig.h"

#include <gtest/gtest.h>

namespace pinstage::test {

namespace {

int digitShown(const Rouleau& r) {
    int cell = r.window().top / Rouleau::kCellHeight;
    return cell == 0 ? 9 : cell - 1;
}

} // namespace

TEST(RouleauTest, CellsAndSpeeds) {
    EXPECT_EQ(Rouleau::cellOfDigit(0), (PixelRect{0, 60, 40, 120}));
    EXPECT_EQ(Rouleau::cellOfDigit(9), (PixelRect{0, 600, 40, 660}));
    EXPECT_EQ(Rouleau::usableSpeed(0), 1);
    EXPECT_EQ(Rouleau::usableSpeed(10), 10);
    EXPECT_EQ(Rouleau::usableSpeed(200), 60);
    EXPECT_EQ(Rouleau::usableSpeed(7), 6); // 7 does not divide 60
    Rouleau r({0, 0, 10, 10}, 10, nullptr, {});
    EXPECT_EQ(r.window(), Rouleau::cellOfDigit(0));
    for (int c = 0; c < Rouleau::kCellCount; ++c)
        EXPECT_EQ(r.cells[size_t(c)], (PixelRect{0, 60 * c, 40, 60 * c + 60}));
}

TEST(ReelSoundsTest, FromTheSoundTable) {
    SoundsRecord table;
    for (auto& e : table.entries)
        e.soundNumber = kNoSound;
    table.entries[0].soundNumber = 12;
    ReelSounds none = reelSoundsFrom(table, nullptr);
    EXPECT_EQ(none.click, 12);
    EXPECT_EQ(none.transfer, -1);      // 255: no sound
    table.entries[1].soundNumber = 64; // outside the 64 sounds
    EXPECT_EQ(reelSoundsFrom(table, nullptr).transfer, -1);
    table.entries[1].soundNumber = 7;
    RecordingSoundEngine engine;
    ReelSounds s = reelSoundsFrom(table, &engine);
    EXPECT_EQ(s.engine, &engine);
    EXPECT_EQ(s.transfer, 7);

    // A reel without a transfer sound still clicks, and the carry is kept track of.
    ReelRig rig({&engine, 12, -1});
    rig.reel(0, 0).forwardSteps = 10;
    rig.runUntilIdle();
    EXPECT_EQ(engine.playCount(12), 11);
    EXPECT_EQ(rig.bank.counterValue(0, 7), 10);
}

TEST(ReelBankTest, CountersFollowTheLayout) {
    ReelRig rig;
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(rig.bank.counter(c)->reelCount(), 7);
    EXPECT_EQ(rig.bank.counter(4)->reelCount(), 2);
    EXPECT_EQ(rig.bank.counter(5), nullptr);
    EXPECT_EQ(rig.bank.reel(0, 7), nullptr);
    // Credit units at design 635-671 x 644-673 on 1920 x 1080; tens one pitch (trunc 50.8) left.
    EXPECT_EQ(rig.reel(4, 0).screenRect, (PixelRect{896, 905, 947, 946}));
    EXPECT_EQ(rig.reel(4, 1).screenRect, (PixelRect{846, 905, 897, 946}));
    // Each reel's element shows the window of digit 0.
    for (int e = 2; e < 32; ++e) {
        const FrontonElement& el = rig.layout.elements[size_t(e)];
        EXPECT_EQ((PixelRect{el.reelWindowLeft, el.reelWindowTop, el.reelWindowRight, el.reelWindowBottom}),
                  Rouleau::cellOfDigit(0))
            << e;
    }

    // An element without picture leaves its counter one reel short.
    FrontonRecord layout = defaultFronton();
    layout.elements[8].pictureNumber.setUtf8("");
    ReelBank bank;
    bank.build(layout, DesignMapping::fromLayout({1360, 768}, layout), {});
    EXPECT_EQ(bank.counter(0)->reelCount(), 6);
}

TEST(ReelBankTest, OneStepTakesSixTicksOfAtLeast13Ms) {
    ReelRig rig;
    rig.reel(0, 3).forwardSteps = 1; // thousands
    rig.runUntilIdle();
    ASSERT_EQ(rig.tickTimes.size(), 6u);
    for (size_t i = 1; i < rig.tickTimes.size(); ++i)
        EXPECT_GE(rig.tickTimes[i] - rig.tickTimes[i - 1], 13u);
    EXPECT_EQ(rig.bank.counterValue(0, 7), 1000);
    EXPECT_EQ(rig.reel(0, 3).window(), Rouleau::cellOfDigit(1));
    EXPECT_EQ(rig.sound.playCount(kClick), 1);
    EXPECT_EQ(rig.sound.playCount(kTransfer), 0);
    EXPECT_EQ(rig.bank.stepInProgress, 0);
}

TEST(ReelBankTest, TwelveStepsFollowTheScoreMotor) {
    ReelRig rig;
    rig.reel(0, 0).forwardSteps = 12;
    rig.runUntilIdle();
    ASSERT_EQ(rig.tickTimes.size(), 72u);
    int digitPauses = 0;
    int motorPauses = 0;
    for (size_t i = 1; i < rig.tickTimes.size(); ++i) {
        uint32_t gap = rig.tickTimes[i] - rig.tickTimes[i - 1];
        if (i % 30 == 0) {
            EXPECT_EQ(gap, 113u) << "tick " << i; // 100 ms motor pause after every fifth digit
            ++motorPauses;
        } else if (i % 6 == 0) {
            EXPECT_EQ(gap, 43u) << "tick " << i; // 30 ms after each digit
            ++digitPauses;
        } else {
            EXPECT_EQ(gap, 13u) << "tick " << i;
        }
    }
    EXPECT_EQ(digitPauses, 9);
    EXPECT_EQ(motorPauses, 2);
    // The last digit is followed by its pause too: ten digit pauses in all.
    EXPECT_EQ(int32_t(rig.bank.tickTime - rig.tickTimes.back()), 30);
    uint32_t total = rig.tickTimes.back() - rig.tickTimes.front();
    EXPECT_EQ(total, 71u * 13u + 9u * 30u + 2u * 100u); // about 1.4 s
    EXPECT_EQ(rig.bank.counterValue(0, 7), 12);
    // One click per digit: twelve on the units, one on the tens that took the carry.
    EXPECT_EQ(rig.sound.playCount(kClick), 13);
    EXPECT_EQ(rig.sound.playCount(kTransfer), 1);
    EXPECT_EQ(rig.bank.cadence, ReelBank::kCadenceStart);
}

TEST(ReelBankTest, NineToZeroClicksTransfersAndStartsTheTens) {
    ReelRig rig;
    rig.reel(0, 0).forwardSteps = 9;
    rig.runUntilIdle();
    ASSERT_EQ(rig.reel(0, 0).digit, 9);
    EXPECT_EQ(rig.reel(0, 0).carry, 1);
    EXPECT_EQ(digitShown(rig.reel(0, 0)), 9);
    rig.sound.clearCalls();

    rig.reel(0, 0).forwardSteps = 1;
    rig.bank.startReelSteps();
    // The tens reel starts in the same call.
    EXPECT_EQ(rig.reel(0, 0).digit, 0);
    EXPECT_EQ(rig.reel(0, 1).digit, 1);
    EXPECT_EQ(rig.reel(0, 0).forwardPixels, 60);
    EXPECT_EQ(rig.reel(0, 1).forwardPixels, 60);
    EXPECT_EQ(rig.reel(0, 1).forwardSteps, 0);

    rig.clock.advance(200);
    rig.bank.animateReels(rig.clock.now());
    EXPECT_EQ(rig.sound.playCount(kClick), 2); // units and tens
    EXPECT_EQ(rig.sound.playCount(kTransfer), 1);
    rig.runUntilIdle();
    EXPECT_EQ(rig.bank.counterValue(0, 7), 10);
    EXPECT_EQ(digitShown(rig.reel(0, 0)), 0);
    EXPECT_EQ(digitShown(rig.reel(0, 1)), 1);
    EXPECT_EQ(rig.sound.playCount(kTransfer), 1);
}

TEST(ReelBankTest, PendingTensCarryOnTheCurrentPlayer) {
    ReelRig rig;
    rig.reel(1, 0).forwardSteps = 15;
    rig.reel(1, 2).backwardSteps = 23;
    rig.reel(0, 0).forwardSteps = 15; // another player: untouched
    rig.bank.carryPendingTens(1);
    EXPECT_EQ(rig.reel(1, 0).forwardSteps, 5);
    EXPECT_EQ(rig.reel(1, 1).forwardSteps, 1);
    EXPECT_EQ(rig.reel(1, 2).backwardSteps, 3);
    EXPECT_EQ(rig.reel(1, 3).backwardSteps, 2);
    EXPECT_EQ(rig.reel(0, 0).forwardSteps, 15);
    rig.bank.carryPendingTens(9); // no such counter
    rig.bank.carryPendingTens(-1);

    // Carries run up the counter in one call; the highest reel keeps what it gets; a huge count
    // is carried at once.
    rig.reel(2, 6).forwardSteps = 40;
    rig.reel(2, 0).forwardSteps = 2000000005;
    rig.bank.carryPendingTens(2);
    EXPECT_EQ(rig.reel(2, 0).forwardSteps, 5);
    for (int k = 1; k < 6; ++k)
        EXPECT_EQ(rig.reel(2, k).forwardSteps, 0) << k;
    EXPECT_EQ(rig.reel(2, 6).forwardSteps, 40 + 2000);
}

TEST(ReelBankTest, NineMillionsRollsOverOnEveryReel) {
    ReelRig rig;
    rig.bank.counter(0)->showValueAtOnce(9999999);
    EXPECT_EQ(rig.bank.counterValue(0, 7), 9999999);
    rig.reel(0, 0).forwardSteps = 1;
    rig.bank.startReelSteps();
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(rig.reel(0, k).digit, 0) << k;
        EXPECT_EQ(rig.reel(0, k).forwardPixels, 60) << k;
        EXPECT_EQ(rig.reel(0, k).forwardSteps, 0) << k;
    }
    std::vector<int32_t> othersBefore;
    for (int c = 1; c < 5; ++c)
        for (const Rouleau& r : rig.bank.counter(c)->reels())
            othersBefore.push_back(r.window().top);
    rig.runUntilIdle();
    EXPECT_EQ(rig.bank.counterValue(0, 7), 0);
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(rig.reel(0, k).window(), Rouleau::cellOfDigit(0)) << k;
    std::vector<int32_t> othersAfter;
    for (int c = 1; c < 5; ++c)
        for (const Rouleau& r : rig.bank.counter(c)->reels())
            othersAfter.push_back(r.window().top);
    EXPECT_EQ(othersBefore, othersAfter);
    EXPECT_EQ(rig.tickTimes.size(), 6u);
}

TEST(ReelBankTest, RollToZeroPlaysNoTransfer) {
    ReelRig rig;
    rig.reel(0, 0).forwardSteps = 9; // units at 9, at the wrap point
    rig.reel(0, 1).forwardSteps = 4;
    rig.reel(0, 3).forwardSteps = 7;
    rig.runUntilIdle();
    ASSERT_EQ(rig.bank.counterValue(0, 7), 7049);
    rig.sound.clearCalls();

    rig.bank.counter(0)->rollToZero();
    EXPECT_EQ(rig.reel(0, 0).forwardPixels, 60);
    EXPECT_EQ(rig.reel(0, 1).forwardPixels, 360);
    EXPECT_EQ(rig.reel(0, 3).forwardPixels, 180);
    EXPECT_EQ(rig.reel(0, 2).forwardPixels, 0);
    rig.runUntilIdle();
    EXPECT_EQ(rig.sound.playCount(kTransfer), 0);
    EXPECT_GT(rig.sound.playCount(kClick), 0);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(rig.reel(0, k).digit, 0);
        EXPECT_EQ(rig.reel(0, k).window(), Rouleau::cellOfDigit(0)) << k;
        EXPECT_EQ(rig.reel(0, k).silent, 0) << k;
    }
    // The next real carry sounds again.
    rig.reel(0, 2).forwardSteps = 10;
    rig.runUntilIdle();
    EXPECT_EQ(rig.sound.playCount(kTransfer), 1);
}

TEST(ReelBankTest, BackwardStepsBorrowAndTransfer) {
    ReelRig rig;
    rig.bank.counter(0)->showValueAtOnce(11);
    rig.reel(0, 0).backwardSteps = 2;
    rig.runUntilIdle();
    EXPECT_EQ(rig.bank.counterValue(0, 7), 9);
    EXPECT_EQ(digitShown(rig.reel(0, 0)), 9);
    EXPECT_EQ(digitShown(rig.reel(0, 1)), 0);
    // Leaving 0 for 9 is the step with the transfer sound.
    EXPECT_EQ(rig.sound.playCount(kTransfer), 1);

    // Below zero every reel borrows up to the highest, whose borrow is dropped.
    rig.bank.counter(1)->showValueAtOnce(0);
    rig.reel(1, 0).backwardSteps = 1;
    rig.runUntilIdle();
    EXPECT_EQ(rig.bank.counterValue(1, 7), 9999999);
}

TEST(ReelBankTest, OneStepAtATimePerCounter) {
    ReelRig rig;
    rig.reel(0, 0).forwardSteps = 2;
    rig.reel(4, 0).forwardSteps = 1;
    rig.bank.startReelSteps();
    EXPECT_EQ(rig.reel(0, 0).forwardSteps, 1);
    EXPECT_EQ(rig.reel(4, 0).forwardSteps, 0); // the credits start in the same call
    EXPECT_EQ(rig.bank.stepInProgress, 1);
    rig.bank.startReelSteps();
    EXPECT_EQ(rig.reel(0, 0).forwardSteps, 1); // held until the step ends

    // Nothing queued: no step, no flag left behind.
    ReelRig idle;
    idle.bank.startReelSteps();
    EXPECT_EQ(idle.bank.stepInProgress, 0);
    // A negative count from a faulty caller queues nothing and does not hold the reels.
    idle.reel(0, 0).forwardSteps = -3;
    idle.reel(0, 1).forwardSteps = 1;
    idle.bank.startReelSteps();
    EXPECT_EQ(idle.reel(0, 1).digit, 1);
    EXPECT_EQ(idle.reel(0, 0).digit, 0);
}

TEST(ReelBankTest, FirstForwardStepOfABallIsSignalledOnce) {
    ReelRig rig;
    int signals = 0;
    rig.bank.onBallScored = [&] { ++signals; };
    rig.reel(4, 0).forwardSteps = 1; // credits do not count
    rig.runUntilIdle();
    EXPECT_EQ(signals, 0);
    EXPECT_EQ(rig.bank.ballHasScored, 0);
    rig.reel(2, 0).backwardSteps = 1; // nor does a backward step
    rig.runUntilIdle();
    EXPECT_EQ(signals, 0);
    rig.reel(2, 1).forwardSteps = 2;
    rig.runUntilIdle();
    EXPECT_EQ(signals, 1);
    EXPECT_EQ(rig.bank.ballHasScored, 1);
    rig.bank.ballHasScored = 0; // next ball served
    rig.reel(3, 0).forwardSteps = 1;
    rig.runUntilIdle();
    EXPECT_EQ(signals, 2);
}

TEST(ReelBankTest, WindowsAreMirroredInTheLayout) {
    ReelRig rig;
    rig.reel(3, 4).forwardSteps = 3;
    for (int i = 0; i < 40; ++i) {
        rig.turn();
        const FrontonElement& el = rig.layout.elements[size_t(23 + 4)];
        ASSERT_EQ(el.reelWindowTop, rig.reel(3, 4).window().top);
        ASSERT_EQ(el.reelWindowBottom, rig.reel(3, 4).window().bottom);
    }
}

TEST(ReelBankTest, ClearScoreReelsAndValues) {
    ReelRig rig;
    rig.bank.counter(0)->showValueAtOnce(4321);
    rig.bank.counter(4)->showValueAtOnce(12);
    rig.reel(0, 2).forwardSteps = 5;
    rig.reel(1, 0).forwardPixels = 120;
    EXPECT_EQ(rig.bank.counterValue(0, 7), 4321);
    EXPECT_EQ(rig.bank.counterValue(0, 2), 21);
    EXPECT_EQ(rig.bank.counterValue(0, 99), 4321);
    EXPECT_EQ(rig.bank.counterValue(0, -1), 0);
    EXPECT_EQ(rig.bank.counterValue(7, 7), 0);
    rig.bank.clearScoreReels();
    EXPECT_EQ(rig.bank.counterValue(0, 7), 0);
    EXPECT_EQ(rig.reel(0, 2).forwardSteps, 0);
    EXPECT_EQ(rig.reel(1, 0).forwardPixels, 0);
    EXPECT_EQ(rig.reel(0, 3).window(), Rouleau::cellOfDigit(0));
    EXPECT_EQ(rig.layout.elements[5].reelWindowTop, Rouleau::cellOfDigit(0).top);
    EXPECT_EQ(rig.bank.counterValue(4, 2), 12); // credits untouched
    EXPECT_TRUE(rig.bank.reelsIdle());
}

TEST(ReelBankTest, IdleResetsTheCadenceAndTicksSurviveTheClockWrap) {
    ReelRig rig;
    rig.bank.cadence = 7;
    EXPECT_TRUE(rig.bank.reelsIdle());
    EXPECT_EQ(rig.bank.cadence, 30);

    rig.clock.set(0xFFFFFFF0u);
    rig.bank.tickTime = 0xFFFFFFF0u;
    rig.reel(0, 0).forwardSteps = 1;
    rig.runUntilIdle();
    EXPECT_EQ(rig.tickTimes.size(), 6u);
    EXPECT_EQ(rig.bank.counterValue(0, 7), 1);
    EXPECT_LT(rig.clock.now(), 0x100u); // wrapped while rolling
}

TEST(ReelBankTest, ReleasedBankHasNoReels) {
    ReelRig rig;
    rig.bank.release();
    EXPECT_FALSE(rig.bank.built());
    EXPECT_EQ(rig.bank.counter(0)->reelCount(), 0);
    rig.bank.startReelSteps();
    rig.bank.animateReels(rig.clock.now() + 100);
    EXPECT_TRUE(rig.bank.reelsIdle());
}

} // namespace pinstage::test
