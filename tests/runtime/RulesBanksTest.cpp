// The three drop-target banks: one score per target and cycle, the awards of a full bank, the
// reset pulse and the 500 ms latch expiry.
#include "RulesTestSupport.h"
#include "board/OutputOperations.h"
#include "config/PentacleTable.h"

namespace pinstage::test {

namespace {

using BankRules = RulesTest;

TEST_F(BankRules, ATargetHitTwiceBeforeItsBankResetsScoresOnce) {
    hitAndSettle(17);
    hitAndSettle(17);
    EXPECT_EQ(h.score(0), 2000u);
    EXPECT_EQ(player().bonus, 1);
    EXPECT_EQ(h.m.game.rightBankLatch, 0x01);
    EXPECT_TRUE(h.pending(17)) << "the repeated closure waits for the latch to clear";
}

TEST_F(BankRules, FullRightBankResetsLightsAndPlaysItsPlainSound) {
    for (int c : contact::kRightBank)
        hitAndSettle(c);
    EXPECT_EQ(h.score(0), 8000u);
    EXPECT_EQ(player().bonus, 4);
    EXPECT_EQ(h.plays(fn::kRightBankPlain), 1);
    EXPECT_EQ(h.plays(fn::kRightBankAdvance), 0);
    EXPECT_TRUE(h.lampOnBoard(lamp::kBumperTargetLit));
    EXPECT_EQ(h.coilPulses(coil::kRightBankReset).size(), 1u);
    EXPECT_FALSE(lamp(lamp::kMultiplierX2));
}

TEST_F(BankRules, FullRightBankWithTheAlternatingLampAdvancesTheMultiplier) {
    lampOn(h.m.outputs, lamp::kAlternating);
    for (int c : contact::kRightBank)
        hitAndSettle(c);
    EXPECT_EQ(h.plays(fn::kRightBankAdvance), 1);
    EXPECT_EQ(h.plays(fn::kRightBankPlain), 0);
    EXPECT_TRUE(lamp(lamp::kMultiplierX2));
}

TEST_F(BankRules, LatchExpiresHalfASecondAfterTheResetAndDropsTheBounces) {
    for (int c : contact::kRightBank)
        h.hit(c);
    uint32_t reset = h.m.game.rightBankResetTime;
    ASSERT_NE(reset, 0u);
    h.hit(17); // a bounce while the bank comes back up
    EXPECT_TRUE(h.pending(17));
    ASSERT_TRUE(h.runUntil([&] { return h.m.game.rightBankLatch == 0; }));
    EXPECT_GT(h.clock.now() - reset, 500u);
    EXPECT_LE(h.clock.now() - reset, 502u);
    EXPECT_FALSE(h.pending(17));
    EXPECT_EQ(h.m.game.rightBankResetTime, 0u);
    ASSERT_TRUE(h.settle());
    uint32_t before = h.score(0);
    hitAndSettle(17);
    EXPECT_EQ(h.score(0), before + 2000) << "a new cycle scores again";
}

TEST_F(BankRules, ColourBankScores5000AndLightsTheExtraBallTheSecondTime) {
    for (int c : contact::kColourBank)
        hitAndSettle(c);
    EXPECT_EQ(h.score(0), 15000u);
    EXPECT_TRUE(lamp(lamp::kColourBankDone));
    EXPECT_FALSE(lamp(lamp::kExtraBallLit));
    EXPECT_EQ(h.plays(fn::kExtraBallOrColourBank), 1);
    EXPECT_EQ(h.coilPulses(coil::kLeftBanksReset).size(), 1u);
    h.run(600);
    for (int c : contact::kColourBank)
        hitAndSettle(c);
    EXPECT_TRUE(h.lampOnBoard(lamp::kExtraBallLit));
    EXPECT_EQ(h.score(0), 30000u);
}

TEST_F(BankRules, LatchIsTakenOutsidePlayButScoresNothing) {
    h.m.game.tilted = 1;
    hitAndSettle(13);
    EXPECT_EQ(h.m.game.pentacleBankLatch, 0x01);
    EXPECT_EQ(h.score(0), 0u);
    h.m.game.tilted = 0;
    hitAndSettle(13);
    EXPECT_EQ(h.score(0), 0u) << "already down in this cycle";
}

TEST_F(BankRules, ServeResetsPartlyDownBanks) {
    hitAndSettle(11);
    hitAndSettle(25);
    h.drain();
    EXPECT_EQ(h.coilPulses(coil::kLeftBanksReset).size(), 1u);
    EXPECT_EQ(h.coilPulses(coil::kRightBankReset).size(), 1u);
    h.run(600);
    EXPECT_EQ(h.m.game.colourBankLatch, 0);
    EXPECT_EQ(h.m.game.rightBankLatch, 0);
}

class WordBank : public RulesTest {
protected:
    void completeWordBank() {
        for (int c : contact::kWordBank)
            h.hit(c);
    }
};

TEST_F(WordBank, CompletionWithoutMultiplierLampGivesDoubleScoresFor30Seconds) {
    completeWordBank();
    EXPECT_EQ(h.m.game.scoreMultiplier, 2);
    EXPECT_EQ(h.plays(fn::kSpecialOrWordBank), 1);
    EXPECT_TRUE(h.shown(element::kMultipliedBy));
    EXPECT_TRUE(h.shown(element::kReste));
    EXPECT_TRUE(h.shown(element::kSecondes));
    EXPECT_TRUE(h.shown(element::kSecondsHundreds + 2));
    EXPECT_TRUE(h.shown(element::kSecondsHundreds + 1));
    EXPECT_FALSE(h.shown(element::kSecondsHundreds));
    EXPECT_EQ(h.m.game.multipliedSeconds, 29u) << "the start runs one second-tick at once";
    EXPECT_EQ(h.placements[size_t(element::kSecondsHundreds + 1)].digit, 2) << "29 seconds on the backglass";
    EXPECT_EQ(h.placements[size_t(element::kSecondsHundreds + 2)].digit, 9);
    EXPECT_TRUE(h.shown(element::kMultiplierValue));
    EXPECT_EQ(h.placements[size_t(element::kMultiplierValue)].digit, 2);
    ASSERT_TRUE(h.settle());
    uint32_t before = h.score(0);
    hitAndSettle(contact::kStar500);
    EXPECT_EQ(h.score(0), before + 1000);

    uint32_t started = h.clock.now();
    ASSERT_TRUE(h.runUntil([&] { return h.m.game.multipliedSeconds == 9; }, 40000));
    EXPECT_FALSE(h.shown(element::kSecondsHundreds + 1)) << "one digit left";
    EXPECT_EQ(h.placements[size_t(element::kSecondsHundreds + 2)].digit, 9);
    ASSERT_TRUE(h.runUntil([&] { return h.m.game.multipliedSeconds == 1; }, 40000));
    EXPECT_FALSE(h.shown(element::kSecondes));
    EXPECT_TRUE(h.shown(element::kSeconde));
    ASSERT_TRUE(h.runUntil([&] { return h.m.game.scoreMultiplier == 1; }, 2000));
    EXPECT_NEAR(double(h.clock.now() - started), 29000.0, 1500.0);
    EXPECT_FALSE(h.shown(element::kMultipliedBy));
    EXPECT_FALSE(h.shown(element::kSeconde));
    EXPECT_FALSE(h.shown(element::kSecondsHundreds + 2));
    EXPECT_FALSE(h.shown(element::kMultiplierValue));
    EXPECT_TRUE(h.engine.isPlaying(harnessSoundOf(fn::kBackgroundMusic))) << "the music comes back";
    EXPECT_FALSE(h.engine.isPlaying(harnessSoundOf(fn::kMultipliedLoop)));
    before = h.score(0);
    hitAndSettle(contact::kStar500);
    EXPECT_EQ(h.score(0), before + 500);
}

TEST_F(WordBank, CompletionWithTheX4LampGivesQuadrupleScores) {
    lampOn(h.m.outputs, lamp::kMultiplierX4);
    completeWordBank();
    EXPECT_EQ(h.m.game.scoreMultiplier, 4);
    ASSERT_TRUE(h.settle());
    uint32_t before = h.score(0);
    hitAndSettle(contact::kOutlanes);
    EXPECT_EQ(h.score(0), before + 40000);
}

TEST_F(WordBank, TheLastTargetScoresBeforeTheBankIsChecked) {
    completeWordBank();
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(h.score(0), 8000u);
    EXPECT_EQ(player().bonus, 4);
}

TEST_F(WordBank, JingleThenTheMultipliedTuneLoopsInPlaceOfTheMusic) {
    completeWordBank();
    h.engine.clearCalls();
    h.run(2900);
    EXPECT_EQ(h.plays(fn::kMultipliedLoop), 0);
    h.run(200);
    EXPECT_EQ(h.engine.stopCount(harnessSoundOf(fn::kBackgroundMusic)), 1);
    EXPECT_TRUE(h.engine.isPlaying(harnessSoundOf(fn::kMultipliedLoop)));
    EXPECT_FALSE(h.engine.isPlaying(harnessSoundOf(fn::kBackgroundMusic)));
}

TEST_F(WordBank, ABallEndingDuringTheJingleStartsNoMultipliedTune) {
    completeWordBank();
    h.drain();
    h.run(4000);
    EXPECT_EQ(h.m.game.scoreMultiplier, 1);
    EXPECT_FALSE(h.engine.isPlaying(harnessSoundOf(fn::kMultipliedLoop)));
    EXPECT_TRUE(h.engine.isPlaying(harnessSoundOf(fn::kBackgroundMusic)));
}

TEST_F(WordBank, CompletingAgainAddsThirtySeconds) {
    completeWordBank();
    h.run(5200); // the latch expired 500 ms after the first reset
    for (int i = 0; i < 3; ++i)
        h.hit(contact::kWordBank[size_t(i)]);
    uint32_t left = h.m.game.multipliedSeconds;
    h.hit(contact::kWordBank[3]);
    // Thirty more, less the tick the start runs (and perhaps one second passing meanwhile).
    EXPECT_GE(h.m.game.multipliedSeconds, left + 28);
    EXPECT_LE(h.m.game.multipliedSeconds, left + 29);
}

} // namespace
} // namespace pinstage::test
