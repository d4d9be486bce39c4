// Coins and credits: the counter on the backglass, the digits in memory and the accounting file
// always agree, whatever gives or takes a credit.
#include "MachineHarness.h"
#include "config/AccountingRecord.h"
#include "config/PentacleTable.h"
#include "runtime/GameSwitches.h"

#include <gtest/gtest.h>

namespace pinstage::test {

namespace {

void expectCredits(const MachineHarness& h, int n) {
    EXPECT_EQ(h.creditsStored(), n);
    EXPECT_EQ(h.creditsShown(), n);
    EXPECT_EQ(h.creditsInFile(), n);
}

TEST(Coins, ThirdSlotAddsOneCreditEverywhereWithItsSound) {
    MachineHarness h;
    h.coin();
    expectCredits(h, 1);
    EXPECT_EQ(h.plays(fn::contactSound(contact::kCoin3)), 1);
    for (int i = 0; i < 9; ++i)
        h.coin();
    expectCredits(h, 10);
    EXPECT_EQ(h.m.reels.reel(4, 1)->digit, 1);
    EXPECT_EQ(h.m.reels.reel(4, 0)->digit, 0);
}

TEST(Coins, At99ACoinAddsNothingButStillSounds) {
    MachineHarness h({.credits = 99});
    h.coin();
    expectCredits(h, 99);
    EXPECT_EQ(h.plays(fn::contactSound(contact::kCoin3)), 1);
}

TEST(Coins, CoinInAttractEndsTheMediaStep) {
    MachineHarness h;
    h.m.rt.mediaDeadline = 0;
    h.coin();
    EXPECT_GT(h.m.rt.mediaDeadline, h.clock.now());
}

TEST(Coins, FirstAndSecondSlotsEndTheProgram) {
    for (int c : {contact::kCoin1, contact::kCoin2}) {
        MachineHarness h;
        h.hit(c);
        EXPECT_EQ(h.m.rt.mainLoopRunning, 0) << "c" << c;
        EXPECT_EQ(h.plays(fn::contactSound(c)), 1);
        EXPECT_EQ(h.creditsStored(), 0);
    }
}

TEST(StartCredits, NoCreditNoFreePlayNoGame) {
    MachineHarness h;
    h.pressStart();
    EXPECT_FALSE(gameRunning(h.m));
    EXPECT_FALSE(h.pending(contact::kStart));
    EXPECT_EQ(h.plays(fn::kGameStart), 0);
    EXPECT_EQ(h.accountingFile().countersLow[kStatGamesStarted], 0u);
}

TEST(StartCredits, StartTakesOneCreditAndCountsTheGame) {
    MachineHarness h({.credits = 3});
    h.pressStart();
    ASSERT_TRUE(gameRunning(h.m));
    expectCredits(h, 2);
    EXPECT_EQ(h.accountingFile().countersLow[kStatGamesStarted], 1u);
    EXPECT_EQ(h.plays(fn::kGameStart), 1);
    EXPECT_EQ(h.plays(fn::contactSound(contact::kStart)), 1);
}

TEST(StartCredits, FreePlayStillTakesACreditWhenThereIsOne) {
    MachineHarness h({.credits = 2, .freePlay = true});
    h.pressStart();
    ASSERT_TRUE(gameRunning(h.m));
    expectCredits(h, 1);
}

TEST(StartCredits, FreePlayStartsWithoutCredit) {
    MachineHarness h({.freePlay = true});
    h.pressStart();
    ASSERT_TRUE(gameRunning(h.m));
    expectCredits(h, 0);
    EXPECT_EQ(h.accountingFile().countersLow[kStatGamesStarted], 1u);
}

TEST(StartCredits, CreditsWonDuringAGameAreThereForTheNext) {
    MachineHarness h({.credits = 1, .ballsPerGame = 1});
    h.pressStart();
    expectCredits(h, 0);
    h.coin();
    h.coin();
    expectCredits(h, 2);
    h.hit(contact::kOutlanes);
    h.drain();
    ASSERT_FALSE(gameRunning(h.m));
    h.pressStart();
    ASSERT_TRUE(gameRunning(h.m));
    expectCredits(h, 1);
}

TEST(StartCredits, APressWhileTheReelsMoveWaits) {
    MachineHarness h({.credits = 1});
    h.hit(contact::kCoin3);
    ASSERT_FALSE(h.m.reels.counter(4)->idle());
    h.pulse(contact::kStart);
    h.run(3);
    EXPECT_TRUE(h.pending(contact::kStart)) << "kept while the credit reel rolls";
    ASSERT_TRUE(h.settle());
    h.run(5);
    EXPECT_TRUE(gameRunning(h.m));
    expectCredits(h, 1);
}

} // namespace
} // namespace pinstage::test
