// The bonus: the stacking ladder, the count-down at the drain and in the bonus hole, and the hole's
// delayed kick.
#include "RulesTestSupport.h"
#include "board/OutputOperations.h"
#include "config/PentacleTable.h"
#include "runtime/BonusLadder.h"

#include <vector>

namespace pinstage::test {

namespace {

// The ladder as runs of 10, 9, ..., 1 lamps: value v sits at its offset in the run it falls in.
int positionByRuns(int v) {
    int start = 0;
    for (int run = 10; run >= 1; --run) {
        if (v <= start + run)
            return v - start;
        start += run;
    }
    return -1;
}

TEST(BonusLadderPosition, FollowsTheStackingRuns) {
    for (int v = 1; v <= 55; ++v)
        EXPECT_EQ(bonusLadderPosition(v), positionByRuns(v)) << "bonus " << v;
    EXPECT_EQ(bonusLadderPosition(0), 0);
}

// The lamps the ladder shows for bonus v when built unit by unit: each run leaves its top lit.
std::vector<bool> ladderPicture(int v) {
    std::vector<bool> lit(10, false);
    int start = 0;
    for (int run = 10; run >= 1 && v > start; --run) {
        int top = std::min(v - start, run);
        if (v - start >= run) {
            lit[size_t(run - 1)] = true; // this run is complete
        } else {
            lit[size_t(top - 1)] = true; // the climbing unit
        }
        start += run;
    }
    return lit;
}

using BonusLadderLamps = RulesTest;

TEST_F(BonusLadderLamps, AdvanceBuildsTheStackOnTheBoard) {
    for (int v = 1; v <= 55; ++v) {
        h.m.game.pendingBonus = 1;
        bonusAdvanceStep(h.m);
        ASSERT_EQ(player().bonus, v);
        h.turn();
        auto want = ladderPicture(v);
        for (int d = 0; d < 10; ++d)
            ASSERT_EQ(h.lampOnBoard(lamp::kBonusLadder[size_t(d)]), want[size_t(d)])
                << "bonus " << v << " L" << d + 1;
        ASSERT_EQ(h.lampOnBoard(lamp::kBonus20), v > 19);
    }
}

TEST_F(BonusLadderLamps, CountDownUnbuildsTheStack) {
    for (int v = 1; v <= 55; ++v) {
        h.m.game.pendingBonus = 1;
        bonusAdvanceStep(h.m);
    }
    for (int v = 54; v >= 0; --v) {
        bonusCountdownStep(h.m);
        ASSERT_EQ(player().bonus, v);
        auto want = ladderPicture(v);
        for (int d = 0; d < 10; ++d)
            ASSERT_EQ(lamp(lamp::kBonusLadder[size_t(d)]), want[size_t(d)]) << "bonus " << v << " L" << d + 1;
        ASSERT_EQ(lamp(lamp::kBonus20), v > 19);
    }
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(h.score(0), 55000u);
}

TEST_F(BonusLadderLamps, CountDownAddsForEveryMultiplierLampAndPushesTheNextStep) {
    player().bonus = 3;
    lampOn(h.m.outputs, lamp::kMultiplierX2);
    lampOn(h.m.outputs, lamp::kMultiplierX4);
    h.m.game.bonusCountTime = h.clock.now();
    bonusCountdownStep(h.m);
    EXPECT_EQ(h.m.game.bonusCountTime, h.clock.now() + 125 + 375);
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(h.score(0), 1000u + 1000u + 3000u);
    EXPECT_EQ(player().bonus, 2);
}

TEST_F(BonusLadderLamps, CountDownIsNotMultiplied) {
    h.m.game.scoreMultiplier = 5;
    player().bonus = 1;
    bonusCountdownStep(h.m);
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(h.score(0), 1000u);
}

using BonusHole = RulesTest;

TEST_F(BonusHole, UnlitHoleScores500AndKicksHalfASecondLater) {
    h.pulse(contact::kBonusHole, 200);
    h.run(2);
    ASSERT_TRUE(h.runUntil([&] { return h.m.game.bonusHoleReleaseTime != 0; }));
    uint32_t kickedAt = h.clock.now();
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(h.score(0), 500u);
    h.run(700);
    auto kicks = h.coilPulses(coil::kBonusHoleKicker);
    ASSERT_EQ(kicks.size(), 1u);
    EXPECT_GT(kicks[0] - kickedAt, 500u);
    EXPECT_LE(kicks[0] - kickedAt, 502u);
    EXPECT_EQ(h.plays(fn::kBonusHoleCollect), 0);
}

TEST_F(BonusHole, IsDeafFor150MsAfterTheKick) {
    h.hit(contact::kBonusHole);
    ASSERT_NE(h.m.game.bonusHoleReleaseTime, 0u);
    h.hit(contact::kBonusHole); // the ball still in the hole
    EXPECT_TRUE(h.pending(contact::kBonusHole));
    ASSERT_TRUE(h.runUntil([&] { return !h.pending(contact::kBonusHole); }));
    EXPECT_EQ(h.m.game.bonusHoleReleaseTime, 0u);
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(h.score(0), 500u) << "the closures while deaf are dropped";
    h.run(700);
    EXPECT_EQ(h.coilPulses(coil::kBonusHoleKicker).size(), 1u);
}

// The ball lies in the hole until the kicker moves it: a closure reported meanwhile (it rattles)
// neither scores again nor delays the kick, nor does one within 150 ms of the kick; later the
// hole scores again.
TEST_F(BonusHole, IsDeafFromTheCaptureUntil150MsAfterTheKickFired) {
    h.close(contact::kBonusHole);
    ASSERT_TRUE(h.runUntil([&] { return h.m.game.bonusHoleReleaseTime != 0; }));
    const uint32_t captured = h.clock.now();
    h.run(300);
    h.open(contact::kBonusHole);
    h.run(5);
    h.close(contact::kBonusHole);
    ASSERT_TRUE(h.runUntil([&] { return !h.coilPulses(coil::kBonusHoleKicker).empty(); }, 2000));
    const uint32_t fired = h.coilPulses(coil::kBonusHoleKicker)[0];
    EXPECT_LE(fired - captured, 502u) << "the kick comes on time";
    h.open(contact::kBonusHole); // kicked out
    h.run(100);
    h.pulse(contact::kBonusHole, 20); // a bounce 100 ms after the kick
    h.run(200);
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(h.score(0), 500u);
    EXPECT_FALSE(h.pending(contact::kBonusHole));
    EXPECT_EQ(h.coilPulses(coil::kBonusHoleKicker).size(), 1u);

    h.hit(contact::kBonusHole); // the next ball in the hole
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(h.score(0), 1000u);
}

TEST_F(BonusHole, LitHoleWithBonus12CountsItWhileTheBallWaits) {
    player().bonus = 12;
    lampOn(h.m.outputs, lamp::kBonusHoleLit);
    h.close(contact::kBonusHole);
    std::vector<uint32_t> steps;
    int last = player().bonus;
    ASSERT_TRUE(h.runUntil([&] {
        if (player().bonus != last) {
            steps.push_back(h.clock.now());
            last = player().bonus;
        }
        return h.m.game.bonusHoleReleaseTime != 0;
    }));
    uint32_t kickProgrammed = h.clock.now();
    EXPECT_EQ(player().bonus, 0);
    ASSERT_EQ(steps.size(), 12u);
    for (size_t i = 1; i < steps.size(); ++i)
        EXPECT_GT(steps[i] - steps[i - 1], 125u);
    EXPECT_EQ(kickProgrammed, steps.back()) << "the kick is programmed with the last step";
    EXPECT_EQ(h.plays(fn::kBonusHoleCollect), 1);
    EXPECT_TRUE(h.coilPulses(coil::kBonusHoleKicker).empty()) << "no kick while counting";
    h.open(contact::kBonusHole);
    h.run(700);
    auto kicks = h.coilPulses(coil::kBonusHoleKicker);
    ASSERT_EQ(kicks.size(), 1u);
    EXPECT_GT(kicks[0] - steps.back(), 500u);
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(h.score(0), 12000u);
}

TEST_F(BonusHole, MultiplierLampsAddToEachCountedUnit) {
    player().bonus = 12;
    lampOn(h.m.outputs, lamp::kBonusHoleLit);
    lampOn(h.m.outputs, lamp::kMultiplierX3);
    h.hit(contact::kBonusHole);
    ASSERT_TRUE(h.runUntil([&] { return h.m.game.bonusHoleReleaseTime != 0; }));
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(h.score(0), 12u * 3000u);
}

TEST_F(BonusHole, OutsidePlayItOnlyKicks) {
    h.m.game.tilted = 1;
    h.hit(contact::kBonusHole);
    h.run(700);
    EXPECT_EQ(h.coilPulses(coil::kBonusHoleKicker).size(), 1u);
    EXPECT_EQ(h.score(0), 0u);
}

} // namespace
} // namespace pinstage::test
