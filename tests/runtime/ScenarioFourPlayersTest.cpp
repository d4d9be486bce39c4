// A four-player game played to its end on the simulated board, checked as a player sees it:
// scores on the reels, the ball in play, the bonus lamps, the credits on the counter and in the
// accounting file, the record in the adjustments file.
#include "MachineHarness.h"
#include "config/PentacleTable.h"
#include "runtime/GameSwitches.h"

#include <gtest/gtest.h>

namespace pinstage::test {

namespace {

TEST(ScenarioFourPlayers, TwoBallsEachToGameOver) {
    MachineHarness h({.ballsPerGame = 2, .adjust = [](AdjustmentsRecord& a) {
                          a.freeGameScores = {30000, 0, 0};
                          a.recordScore = 40000;
                          a.recordFreeGames = 2;
                      }});
    for (int i = 0; i < 4; ++i)
        h.coin();
    EXPECT_EQ(h.creditsShown(), 4);
    for (int p = 0; p < 4; ++p)
        h.pressStart();
    ASSERT_EQ(h.m.game.lastPlayerIndex, 3);
    EXPECT_EQ(h.creditsShown(), 0);
    EXPECT_EQ(h.creditsInFile(), 0);
    EXPECT_EQ(h.m.game.playersDoneMask, 0x00);

    // Ball 1. Player 1: three lanes (1500, bonus 3). Player 2: the colour bank (15000, bonus 3).
    // Player 3: the outlanes three times (30000, bonus 3: the first free game). Player 4: nothing
    // but a rebound.
    for (int c : {contact::kLane32, contact::kLane16, contact::kLane8})
        h.hit(c);
    ASSERT_TRUE(h.settle());
    for (int d = 0; d < 3; ++d)
        EXPECT_TRUE(h.lampOnBoard(lamp::kBonusLadder[size_t(d)]) == (d == 2)) << "L" << d + 1;
    h.drain();
    EXPECT_EQ(h.score(0), 4500u);
    EXPECT_EQ(h.m.game.currentPlayer, 1);
    EXPECT_TRUE(h.shown(element::kBanner1 + 1));
    EXPECT_FALSE(h.shown(element::kBanner1));
    h.run(150);
    for (int l : {lamp::kLane32, lamp::kLane16, lamp::kLane8})
        EXPECT_FALSE(h.lampOnBoard(l)) << "player 2 starts from a dark playfield";

    for (int c : contact::kColourBank)
        h.hit(c);
    h.drain();
    EXPECT_EQ(h.score(1), 18000u);

    for (int i = 0; i < 3; ++i)
        h.hit(contact::kOutlanes);
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(h.m.game.players[2].freeGamesThisGame, 1);
    h.drain();
    EXPECT_EQ(h.score(2), 33000u);
    EXPECT_EQ(h.creditsShown(), 1);

    h.hit(contact::kRebound);
    h.drain();
    EXPECT_EQ(h.score(3), 10u);

    // Ball 2: player 1 finds its lanes lit again and scores them at 5000.
    EXPECT_EQ(h.m.game.currentPlayer, 0);
    EXPECT_TRUE(h.shown(element::kBallInPlay1 + 1));
    h.run(150);
    EXPECT_TRUE(h.lampOnBoard(lamp::kLane32));
    h.hit(contact::kLane32);
    h.drain();
    EXPECT_EQ(h.score(0), 4500u + 5000u + 5000u);
    h.hit(contact::kRebound);
    h.drain();
    // Player 3 passes the record: 33000 + 10000 + 1000 = 44000.
    h.hit(contact::kOutlanes);
    h.drain();
    EXPECT_TRUE(gameRunning(h.m));
    h.hit(contact::kRebound);
    h.drain();

    ASSERT_FALSE(gameRunning(h.m));
    EXPECT_EQ(h.score(2), 44000u);
    EXPECT_EQ(h.m.game.playersDoneMask, 0x0F);
    for (int p = 0; p < 4; ++p) {
        EXPECT_EQ(h.m.game.players[size_t(p)].ball, 2);
        EXPECT_TRUE(h.shown(element::kBanner1 + p));
    }
    EXPECT_TRUE(h.shown(element::kGameOver));
    EXPECT_FALSE(h.shown(element::kBallInPlay));
    EXPECT_EQ(h.adjustmentsFile().recordScore, 44000u);
    ASSERT_TRUE(h.settle());
    // One threshold free game and two for the record.
    EXPECT_EQ(h.creditsShown(), 3);
    EXPECT_EQ(h.creditsStored(), 3);
    EXPECT_EQ(h.creditsInFile(), 3);
    EXPECT_EQ(h.accountingFile().countersLow[kStatGamesStarted], 4u);
    h.run(300);
    EXPECT_FALSE(h.board.coilEnergised(coil::kFlippers));
}

} // namespace
} // namespace pinstage::test
