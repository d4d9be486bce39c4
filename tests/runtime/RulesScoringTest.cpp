// The scoring rules switch by switch: points on the reels, bonus units, lamps and sounds.
#include "RulesTestSupport.h"
#include "board/OutputOperations.h"
#include "config/PentacleTable.h"

namespace pinstage::test {

namespace {

struct PlainCase {
    int contact;
    int function; // -1: silent
    uint32_t points;
    int bonus;
};

class PlainRules : public RulesTest, public ::testing::WithParamInterface<PlainCase> {};

TEST_P(PlainRules, ScoreTheirPointsAndBonusWithTheirSound) {
    const PlainCase& c = GetParam();
    hitAndSettle(c.contact);
    EXPECT_EQ(h.score(0), c.points);
    EXPECT_EQ(player().bonus, c.bonus);
    if (c.function >= 0) {
        EXPECT_EQ(h.plays(c.function), 1);
    }
    EXPECT_FALSE(h.pending(c.contact));
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlainRules,
    ::testing::Values(PlainCase{14, fn::kRebound, 10, 0}, PlainCase{35, fn::kOutlanes, 10000, 1},
                      PlainCase{24, fn::kLanes, 500, 1}, PlainCase{46, -1, 10, 0}, PlainCase{34, -1, 2000, 0},
                      PlainCase{29, -1, 500, 0}, PlainCase{30, -1, 3000, 0}, PlainCase{43, -1, 10, 0},
                      PlainCase{36, -1, 10, 0}, PlainCase{26, fn::kExtraBallOrColourBank, 500, 1},
                      PlainCase{22, fn::kBumperTarget, 500, 1},
                      PlainCase{10, fn::kSpecialOrWordBank, 500, 1}));

using LaneRules = RulesTest;

TEST_F(LaneRules, FirstPassScores500ThenTheLitLaneScores5000AndFiveBonus) {
    hitAndSettle(contact::kLane32);
    EXPECT_EQ(h.score(0), 500u);
    EXPECT_EQ(player().bonus, 1);
    EXPECT_TRUE(h.lampOnBoard(lamp::kLane32));
    hitAndSettle(contact::kLane32);
    EXPECT_EQ(h.score(0), 5500u);
    EXPECT_EQ(player().bonus, 6);
    EXPECT_EQ(h.plays(fn::kLanes), 2);
}

TEST_F(LaneRules, EachLaneLightsItsOwnLamp) {
    for (auto [c, l] :
         {std::pair{contact::kLane32, lamp::kLane32}, std::pair{contact::kLane16, lamp::kLane16},
          std::pair{contact::kLane8, lamp::kLane8}, std::pair{contact::kStar24, lamp::kStar24}}) {
        EXPECT_FALSE(lamp(l));
        if (l != lamp::kStar24) {
            hitAndSettle(c);
            EXPECT_TRUE(lamp(l)) << "lane c" << c;
        }
    }
    EXPECT_EQ(h.score(0), 1500u);
}

TEST_F(LaneRules, CompletingTheFourClimbsTheMultiplierLadder) {
    auto completeLanes = [&] {
        for (int c : {contact::kLane32, contact::kLane16, contact::kLane8, contact::kStar24})
            hitAndSettle(c);
    };
    completeLanes();
    for (int l : {lamp::kLane32, lamp::kLane16, lamp::kLane8, lamp::kStar24})
        EXPECT_FALSE(h.lampOnBoard(l));
    EXPECT_TRUE(h.lampOnBoard(lamp::kSpinnerLit));
    EXPECT_TRUE(h.lampOnBoard(lamp::kBonusHoleLit));
    EXPECT_TRUE(h.lampOnBoard(lamp::kMultiplierX2));
    // Each lane scored its first-pass 500: the lamps were off when hit.
    EXPECT_EQ(h.score(0), 2000u);

    completeLanes();
    EXPECT_FALSE(lamp(lamp::kMultiplierX2));
    EXPECT_TRUE(lamp(lamp::kMultiplierX3));
    EXPECT_TRUE(lamp(lamp::kBumperTargetLit));

    completeLanes();
    EXPECT_FALSE(lamp(lamp::kMultiplierX3));
    EXPECT_TRUE(lamp(lamp::kMultiplierX4));
    EXPECT_FALSE(lamp(lamp::kSpecialLit));

    completeLanes();
    EXPECT_FALSE(lamp(lamp::kMultiplierX4));
    EXPECT_TRUE(lamp(lamp::kMultiplierX5));
    EXPECT_TRUE(h.lampOnBoard(lamp::kSpecialLit));

    completeLanes();
    EXPECT_TRUE(lamp(lamp::kMultiplierX5));
    EXPECT_FALSE(lamp(lamp::kMultiplierX2) || lamp(lamp::kMultiplierX3) || lamp(lamp::kMultiplierX4));
}

using TargetRules = RulesTest;

TEST_F(TargetRules, SpinnerScores100AndBonusOnceLit) {
    lampOn(h.m.outputs, lamp::kSpinnerLit);
    hitAndSettle(contact::kSpinner);
    EXPECT_EQ(h.score(0), 100u);
    EXPECT_EQ(player().bonus, 1);
}

TEST_F(TargetRules, LitExtraBallTargetGives10000AndTheShootAgainLamp) {
    lampOn(h.m.outputs, lamp::kExtraBallLit);
    hitAndSettle(contact::kExtraBallTarget);
    EXPECT_EQ(h.score(0), 10000u);
    EXPECT_FALSE(h.lampOnBoard(lamp::kExtraBallLit));
    EXPECT_TRUE(h.lampOnBoard(lamp::kShootAgain));
}

TEST_F(TargetRules, LitBumperTargetGives10000AndTheShootAgainLamp) {
    lampOn(h.m.outputs, lamp::kBumperTargetLit);
    hitAndSettle(contact::kBumperTarget);
    EXPECT_EQ(h.score(0), 10000u);
    EXPECT_FALSE(lamp(lamp::kBumperTargetLit));
    EXPECT_TRUE(lamp(lamp::kShootAgain));
    EXPECT_EQ(player().bonus, 1);
}

TEST_F(TargetRules, KickerAndTopBumperToggleTheAlternatingLamp) {
    EXPECT_FALSE(lamp(lamp::kAlternating));
    hitAndSettle(contact::kKickerRight);
    EXPECT_TRUE(h.lampOnBoard(lamp::kAlternating));
    hitAndSettle(contact::kBumperTop);
    EXPECT_FALSE(h.lampOnBoard(lamp::kAlternating));
    hitAndSettle(contact::kKickerLeft);
    EXPECT_FALSE(lamp(lamp::kAlternating)) << "the left kicker does not toggle it";
    EXPECT_EQ(h.score(0), 3020u);
}

TEST_F(TargetRules, LitSpecialGives10000ACreditAndTwoKnockerStrokes) {
    lampOn(h.m.outputs, lamp::kSpecialLit);
    int credits = h.creditsStored();
    hitAndSettle(contact::kSpecialTarget);
    h.run(500);
    EXPECT_EQ(h.score(0), 10000u);
    EXPECT_FALSE(lamp(lamp::kSpecialLit));
    EXPECT_EQ(h.creditsStored(), credits + 1);
    EXPECT_EQ(h.creditsShown(), credits + 1);
    EXPECT_EQ(h.creditsInFile(), credits + 1);
    auto strokes = h.coilPulses(coil::kKnocker);
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_GT(strokes[1] - strokes[0], h.m.outputs.coils[coil::kKnocker].restMs);
}

TEST_F(TargetRules, ScoresFollowTheMultiplier) {
    h.m.game.scoreMultiplier = 3;
    hitAndSettle(contact::kStar500);
    EXPECT_EQ(h.score(0), 1500u);
    hitAndSettle(contact::kOutlanes);
    EXPECT_EQ(h.score(0), 31500u);
    EXPECT_EQ(player().bonus, 1) << "bonus units are not multiplied";
}

TEST_F(TargetRules, ScoresCarryAcrossReels) {
    for (int i = 0; i < 12; ++i)
        h.hit(contact::kRebound);
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(h.score(0), 120u);
    EXPECT_EQ(h.m.reels.reel(0, 1)->digit, 2);
    EXPECT_EQ(h.m.reels.reel(0, 2)->digit, 1);
}

using BonusRules = RulesTest;

TEST_F(BonusRules, BonusStopsAt55WithTheBonus20Lamp) {
    for (int i = 0; i < 19; ++i)
        h.hit(contact::kOutlanes);
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(player().bonus, 19);
    EXPECT_FALSE(h.lampOnBoard(lamp::kBonus20));
    h.hit(contact::kOutlanes);
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(player().bonus, 20);
    EXPECT_TRUE(h.lampOnBoard(lamp::kBonus20));
    for (int i = 0; i < 40; ++i)
        h.hit(contact::kOutlanes);
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(player().bonus, 55);
    EXPECT_EQ(h.m.game.pendingBonus, 0);
    EXPECT_EQ(h.score(0), 600000u);
}

TEST_F(BonusRules, TheAdvanceMovesOneUnitEvery200Ms) {
    hitAndSettle(contact::kLane32);
    uint32_t start = h.clock.now();
    h.hit(contact::kLane32); // five units on their way
    ASSERT_TRUE(h.runUntil([&] { return h.m.game.pendingBonus == 0; }));
    EXPECT_EQ(player().bonus, 6);
    EXPECT_GE(h.clock.now() - start, 4 * 200u);
}

} // namespace
} // namespace pinstage::test
