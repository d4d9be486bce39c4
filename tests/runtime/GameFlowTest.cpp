// The life of a game: serve, drain, bonus count, next ball or player, shoot again, tilt, the
// service switches and the start button's long press.
#include "MachineHarness.h"
#include "board/OutputOperations.h"
#include "config/PentacleTable.h"
#include "runtime/GameSwitches.h"

#include <gtest/gtest.h>

namespace pinstage::test {

namespace {

PlayerState& playerOf(MachineHarness& h, int p) {
    return h.m.game.players[size_t(p)];
}

TEST(Serve, FirstBallShowsThePlayerAndFiresTheServeCoilOnce) {
    MachineHarness h({.credits = 1});
    h.pressStart();
    ASSERT_TRUE(gameRunning(h.m));
    EXPECT_EQ(h.m.game.playersDoneMask, 0x0E);
    EXPECT_TRUE(h.shown(element::kBanner1));
    EXPECT_FALSE(h.shown(element::kBanner1 + 1));
    EXPECT_TRUE(h.shown(element::kBallInPlay));
    EXPECT_TRUE(h.shown(element::kBallInPlay1));
    EXPECT_FALSE(h.shown(element::kBallInPlay1 + 1));
    EXPECT_TRUE(h.shown(element::kPanelDigit1));
    EXPECT_FALSE(h.shown(element::kGameOver));
    h.run(1200);
    auto serves = h.coilPulses(coil::kBallServe);
    ASSERT_EQ(serves.size(), 1u);
    // The game-start sound stands in for the serve sound of the first ball.
    EXPECT_EQ(h.plays(fn::kBallServed), 0);
    EXPECT_TRUE(h.engine.isPlaying(harnessSoundOf(fn::kBackgroundMusic)));
    EXPECT_TRUE(h.board.coilEnergised(coil::kFlippers));
    EXPECT_FALSE(h.board.coilEnergised(coil::kPlayfieldHold0));
}

TEST(Drain, ABallThatDidNotScoreIsServedAgainWithoutCounting) {
    MachineHarness h({.credits = 1});
    h.pressStart();
    h.run(1200); // the ball is served
    h.drain();
    EXPECT_TRUE(gameRunning(h.m));
    EXPECT_EQ(playerOf(h, 0).ball, 0);
    EXPECT_EQ(h.m.game.currentPlayer, 0);
    h.run(1200);
    EXPECT_EQ(h.coilPulses(coil::kBallServe).size(), 2u);
    EXPECT_EQ(h.plays(fn::kBallServed), 1);
}

TEST(Drain, ABallThatScoredCountsItsBonusThenTheNextBall) {
    MachineHarness h({.credits = 1});
    h.pressStart();
    for (int i = 0; i < 3; ++i)
        h.hit(contact::kOutlanes);
    ASSERT_TRUE(h.settle());
    ASSERT_EQ(playerOf(h, 0).bonus, 3);
    h.drain();
    EXPECT_EQ(playerOf(h, 0).bonus, 0);
    EXPECT_EQ(h.score(0), 33000u);
    EXPECT_EQ(playerOf(h, 0).ball, 1);
    EXPECT_TRUE(h.shown(element::kBallInPlay1 + 1));
    EXPECT_EQ(h.traceLog.matching("bonus count").size(), 3u);
    EXPECT_EQ(h.traceLog.matching("drain").size(), 1u);
}

TEST(Drain, BonusStillOnItsWayIsCountedForThePlayerWhoEarnedIt) {
    MachineHarness h({.credits = 2});
    h.pressStart();
    h.hit(contact::kStart); // a second player
    h.hit(contact::kLane32);
    h.hit(contact::kLane32); // 5 units still to come in
    h.drain();
    EXPECT_EQ(h.m.game.currentPlayer, 1);
    EXPECT_EQ(playerOf(h, 1).bonus, 0);
    EXPECT_EQ(h.m.game.pendingBonus, 0);
    EXPECT_EQ(h.score(0), 5500u + 6000u);
}

TEST(Drain, ShootAgainKeepsThePlayerAndTheBall) {
    MachineHarness h({.credits = 2});
    h.pressStart();
    h.hit(contact::kStart); // two players
    lampOn(h.m.outputs, lamp::kBumperTargetLit);
    h.hit(contact::kBumperTarget);
    ASSERT_TRUE(h.settle());
    ASSERT_TRUE(h.lampOnBoard(lamp::kShootAgain));
    h.run(1100);
    bool blinked = false;
    bool shown = h.shown(element::kShootAgain);
    for (int i = 0; i < 1200 && !blinked; ++i) {
        h.turn();
        blinked = h.shown(element::kShootAgain) != shown;
    }
    EXPECT_TRUE(blinked) << "SAME PLAYER SHOOT AGAIN blinks";
    h.drain();
    EXPECT_EQ(h.m.game.currentPlayer, 0);
    EXPECT_EQ(playerOf(h, 0).ball, 0);
    h.run(150);
    EXPECT_TRUE(h.lampOnBoard(lamp::kShootAgain)) << "restored with the player's lamps";
    h.hit(contact::kRebound);
    h.run(20);
    EXPECT_FALSE(h.lampOnBoard(lamp::kShootAgain)) << "the first score of the ball puts it out";
    EXPECT_FALSE(h.shown(element::kShootAgain));
    h.drain();
    EXPECT_EQ(h.m.game.currentPlayer, 1);
    EXPECT_EQ(playerOf(h, 0).ball, 1);
}

TEST(Drain, AnExtraBallWonByTheBallsFirstScoreIsKept) {
    MachineHarness h({.credits = 1});
    h.pressStart();
    lampOn(h.m.outputs, lamp::kExtraBallLit);
    h.hit(contact::kExtraBallTarget);
    ASSERT_TRUE(h.settle());
    EXPECT_TRUE(h.lampOnBoard(lamp::kShootAgain));
    h.drain();
    EXPECT_EQ(h.m.game.players[0].ball, 0);
}

TEST(Drain, ThreeBallsTwoPlayersInTurn) {
    MachineHarness h({.credits = 2});
    h.pressStart();
    h.hit(contact::kStart);
    ASSERT_EQ(h.m.game.lastPlayerIndex, 1);
    EXPECT_EQ(h.m.game.playersDoneMask, 0x0C);
    EXPECT_EQ(h.creditsStored(), 0);
    for (int b = 0; b < 6; ++b) {
        ASSERT_TRUE(gameRunning(h.m));
        h.hit(contact::kRebound);
        h.drain();
    }
    EXPECT_FALSE(gameRunning(h.m));
    std::vector<std::string> want{"player 1 ball 1", "player 2 ball 1", "player 1 ball 2",
                                  "player 2 ball 2", "player 1 ball 3", "player 2 ball 3"};
    EXPECT_EQ(h.traceLog.matching("player "), want);
    EXPECT_EQ(h.traceLog.matching("game over").size(), 1u);
    EXPECT_EQ(h.score(0), 30u);
    EXPECT_EQ(h.score(1), 30u);
}

TEST(Drain, WithNoGameTheClosureIsDropped) {
    MachineHarness h;
    h.hit(contact::kBallReturn);
    EXPECT_FALSE(h.pending(contact::kBallReturn));
    EXPECT_TRUE(h.coilPulses(coil::kBallServe).empty());
}

TEST(Players, UpToFourThenTheFifthPressOnlySounds) {
    MachineHarness h({.credits = 9});
    h.pressStart();
    for (int p = 1; p < 4; ++p) {
        h.pressStart();
        EXPECT_EQ(h.m.game.lastPlayerIndex, p);
        EXPECT_TRUE(h.shown(element::kPanelDigit1 + p));
        EXPECT_EQ(h.m.game.playersDoneMask, uint8_t(0x0E << p) & 0x0F);
    }
    EXPECT_EQ(h.creditsStored(), 5);
    h.pressStart();
    EXPECT_EQ(h.m.game.lastPlayerIndex, 3);
    EXPECT_EQ(h.creditsStored(), 5);
    EXPECT_EQ(h.plays(fn::contactSound(contact::kStart)), 5);
    EXPECT_EQ(h.m.game.currentPlayer, 0) << "adding players does not serve";
}

TEST(Tilt, KillsTheBallAndANewGameStartsFromIt) {
    MachineHarness h({.credits = 2});
    h.pressStart();
    h.hit(contact::kOutlanes);
    ASSERT_TRUE(h.settle());
    ASSERT_EQ(h.m.game.players[0].bonus, 1);
    h.hit(contact::kTilt);
    EXPECT_EQ(h.m.game.tilted, 1);
    EXPECT_EQ(h.m.game.players[0].bonus, 0);
    EXPECT_TRUE(h.shown(element::kTilt));
    EXPECT_EQ(h.plays(fn::kTilt), 1);
    h.run(200);
    EXPECT_TRUE(h.board.coilEnergised(coil::kPlayfieldHold0));
    EXPECT_FALSE(h.board.coilEnergised(coil::kFlippers));
    EXPECT_EQ(h.m.switches.contactFlags[contact::kBumperCentre] & kContactDirectCoilMask, 0);

    uint32_t before = h.score(0);
    h.hit(contact::kOutlanes);
    h.hit(contact::kBumperCentre);
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(h.score(0), before) << "closures while tilted score nothing";
    EXPECT_TRUE(h.coilPulses(8 + 1).empty()) << "no direct coil while tilted";

    h.pressStart();
    EXPECT_EQ(h.m.game.tilted, 0);
    EXPECT_EQ(h.score(0), 0u);
    EXPECT_EQ(h.m.game.lastPlayerIndex, 0);
    EXPECT_FALSE(h.shown(element::kTilt));
    EXPECT_EQ(h.traceLog.matching("game start").size(), 2u);
    EXPECT_EQ(h.creditsStored(), 0);
}

TEST(Tilt, TheTiltedBallCountsWithoutBonus) {
    MachineHarness h({.credits = 1});
    h.pressStart();
    h.hit(contact::kTilt);
    h.drain();
    EXPECT_EQ(h.m.game.players[0].ball, 1);
    EXPECT_TRUE(h.traceLog.matching("bonus count").empty());
    EXPECT_EQ(h.m.game.tilted, 0) << "the next serve clears it";
    h.run(200);
    EXPECT_TRUE(h.board.coilEnergised(coil::kFlippers));
}

TEST(DirectCoils, BumpersFireFromTheScanDuringPlayOnly) {
    MachineHarness h({.credits = 1});
    h.hit(contact::kBumperCentre);
    h.run(200);
    EXPECT_TRUE(h.coilPulses(9).empty());
    h.pressStart();
    h.hit(contact::kBumperCentre);
    h.hit(contact::kKickerLeft);
    h.run(200);
    EXPECT_EQ(h.coilPulses(9).size(), 1u);
    EXPECT_EQ(h.coilPulses(10).size(), 1u);
}

TEST(ServiceSwitches, GameOverSwitchEndsTheGame) {
    MachineHarness h({.credits = 1});
    h.pressStart();
    h.hit(contact::kGameOver);
    EXPECT_FALSE(gameRunning(h.m));
    EXPECT_TRUE(h.shown(element::kGameOver));
    EXPECT_EQ(h.plays(fn::kGameOver), 1);
    EXPECT_FALSE(h.engine.isPlaying(harnessSoundOf(fn::kBackgroundMusic)));
}

TEST(GameOver, TheGameOverDisplayStaysSteadyTenSecondsThenBlinks) {
    MachineHarness h({.credits = 1, .ballsPerGame = 1});
    h.pressStart();
    h.hit(contact::kRebound);
    h.drain();
    ASSERT_FALSE(gameRunning(h.m));
    uint32_t over = h.clock.now();
    ASSERT_TRUE(h.runUntil([&] { return h.m.game.blinkPhase == 0; }, 20000));
    EXPECT_GE(h.clock.now() - over, 10000u);
    EXPECT_LE(h.clock.now() - over, 11100u);
    uint32_t flipped = h.clock.now();
    ASSERT_TRUE(h.runUntil([&] { return h.m.game.blinkPhase == 1; }, 2000));
    EXPECT_NEAR(double(h.clock.now() - flipped), 1000.0, 2.0);
    EXPECT_TRUE(h.coilPulses(9).empty());
    EXPECT_EQ(h.m.switches.contactFlags[contact::kBumperTop] & kContactDirectCoilMask, 0) << "disarmed";
}

TEST(ServiceSwitches, TestPushEndsTheGameBeforeTheDashboard) {
    MachineHarness h({.credits = 1});
    h.pressStart();
    h.hit(contact::kTestPush);
    EXPECT_FALSE(gameRunning(h.m));
    EXPECT_EQ(h.host.dashboards, 1);
    EXPECT_TRUE(h.shown(element::kGameOver));
    EXPECT_EQ(h.plays(fn::contactSound(contact::kTestPush)), 1);
    h.run(50);
    for (int c = 0; c < kCoilCount; ++c)
        EXPECT_FALSE(h.board.coilEnergised(c)) << "coil " << c;
}

TEST(ServiceSwitches, TestSwitchBeepsAndStopsTheLoop) {
    MachineHarness h;
    h.hit(contact::kTestInter);
    EXPECT_EQ(h.host.beeps, 1);
    EXPECT_EQ(h.m.rt.mainLoopRunning, 0);
}

TEST(StartButton, HeldFiveSecondsShutsDownInsteadOfStarting) {
    MachineHarness h({.credits = 1});
    h.pulse(contact::kStart, 5200);
    h.run(10);
    EXPECT_EQ(h.host.powerOffs, 1);
    EXPECT_FALSE(gameRunning(h.m));
    EXPECT_EQ(h.creditsStored(), 1);
}

TEST(StartButton, ReleasedBeforeFiveSecondsStartsNormally) {
    MachineHarness h({.credits = 1});
    h.pulse(contact::kStart, 4800);
    h.run(10);
    EXPECT_EQ(h.host.powerOffs, 0);
    ASSERT_TRUE(h.settle());
    EXPECT_TRUE(gameRunning(h.m));
}

TEST(OutsideAGame, ScoringClosuresChangeNothing) {
    MachineHarness h({.credits = 1});
    h.engine.clearCalls();
    for (int c : {8, 10, 14, 16, 22, 24, 26, 29, 30, 32, 34, 35, 36, 43, 46}) {
        h.hit(c);
        EXPECT_FALSE(h.pending(c)) << "c" << c << " dropped";
    }
    ASSERT_TRUE(h.settle());
    for (int p = 0; p < kPlayerCount; ++p)
        EXPECT_EQ(h.score(p), 0u);
    EXPECT_EQ(h.m.game.pendingBonus, 0);
    for (const auto& call : h.engine.calls())
        EXPECT_NE(call.call, RecordingSoundEngine::Call::Play) << "sound " << call.sound;
}

} // namespace
} // namespace pinstage::test
