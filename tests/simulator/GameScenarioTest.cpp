// Whole games played through the simulator window: the keys start a game or, held, shut down;
// the smart playfield's drop targets score once each and stand up after their reset coil; the
// bonus hole kicks the ball out; the drain key ends a ball; the random ball plays games alone.
#include "GameMachine.h"
#include "runtime/MachineOps.h"
#include "runtime/WaysOut.h"
#include "simulator/PlayfieldMap.h"
#include "simulator/PlayfieldSimulator.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace pinstage::test {
namespace {

class GameScenarioTest : public ::testing::Test {
protected:
    GameMachine g{0};
    std::unique_ptr<PlayfieldSimulator> window;

    void SetUp() override {
        SimulatorOptions options;
        options.quit = [this] { requestQuit(g.m); };
        window = std::make_unique<PlayfieldSimulator>(g.m, g.board, options);
        g.run(100);
    }
    SmartPlayfield& playfield() { return window->driver().playfield(); }
    void tap(Qt::Key key) {
        QTest::keyPress(window.get(), key);
        g.run(80);
        QTest::keyRelease(window.get(), key);
        g.run(80);
    }
    void click(int contact) {
        QTest::mouseClick(window->switches()->button(contact), Qt::LeftButton);
        g.run(150);
    }
    // The start key pressed, and let go 50 ms later while the game is still waiting for it.
    void pressAndReleaseStart() {
        g.host.realTimeWaits = true;
        QTest::keyPress(window.get(), Qt::Key_1);
        QTimer::singleShot(50, [this] { QTest::keyRelease(window.get(), Qt::Key_1); });
        g.run(20);
        g.host.realTimeWaits = false;
    }
    void startGameWithBallInPlay() {
        tap(Qt::Key_5);
        ASSERT_EQ(g.m.credits.value(), 1);
        pressAndReleaseStart();
        ASSERT_TRUE(gameRunning(g.m));
        ASSERT_TRUE(g.runUntil([this] { return playfield().ball() == BallPlace::InPlay; }, 5000));
        ASSERT_TRUE(g.runUntil([this] { return g.reelsStill(); }, 5000));
    }
};

TEST_F(GameScenarioTest, CoinThenStartPressedAndReleasedBeginsAGame) {
    tap(Qt::Key_5);
    EXPECT_EQ(g.m.credits.value(), 1);
    EXPECT_EQ(g.creditsInFile(), 1);
    EXPECT_FALSE(gameRunning(g.m));
    pressAndReleaseStart();
    EXPECT_TRUE(gameRunning(g.m));
    EXPECT_EQ(g.m.game.playersDoneMask, 0x0E);
    EXPECT_EQ(g.m.credits.value(), 0) << "the game took the credit";
    EXPECT_EQ(g.host.shutdownScreens, 0);
    // The serve coil puts the ball in play about a second later.
    EXPECT_TRUE(g.runUntil([this] { return playfield().ball() == BallPlace::InPlay; }, 3000));
    window->refresh();
    EXPECT_TRUE(window->statusText().contains(QStringLiteral("playersDoneMask 0x0E")));
    EXPECT_TRUE(window->statusText().contains(QStringLiteral("bille en jeu")));
}

TEST_F(GameScenarioTest, StartHeldFiveSecondsShutsDownAndEndsTheProgram) {
    tap(Qt::Key_5);
    QTest::keyPress(window.get(), Qt::Key_1);
    g.run(10); // the handler keeps re-reading the board until the key comes up, or 5 s pass
    EXPECT_EQ(g.host.shutdownScreens, 1);
    EXPECT_EQ(g.host.powerOffs, 1);
    EXPECT_EQ(g.m.rt.quitRequested, 1);
    EXPECT_EQ(g.m.rt.mainLoopRunning, 0) << "the loop ends: the program closes";
    EXPECT_FALSE(gameRunning(g.m));
    EXPECT_EQ(g.m.credits.value(), 1) << "no game, no credit taken";
    QTest::keyRelease(window.get(), Qt::Key_1);
}

TEST_F(GameScenarioTest, RightBankTargetsScoreOnceEachAndStandUpAfterTheResetCoil) {
    startGameWithBallInPlay();
    int64_t before = g.reelScore(0);
    uint32_t resets = playfield().coilPulses(playfield::kRightBankResetCoil);
    click(17);
    click(17); // already down: no second score
    click(25);
    click(33);
    for (int t : {17, 25, 33})
        EXPECT_TRUE(g.board.switchClosed(t)) << "c" << t << " stays down";
    click(9);
    ASSERT_TRUE(
        g.runUntil([&] { return playfield().coilPulses(playfield::kRightBankResetCoil) > resets; }, 2000));
    g.run(600); // the bank's latch clears 500 ms after its reset
    ASSERT_TRUE(g.runUntil([this] { return g.reelsStill(); }, 10000));
    for (int t : {17, 25, 33, 9}) {
        EXPECT_FALSE(g.board.switchClosed(t)) << "c" << t << " stood up";
        EXPECT_FALSE(playfield().latched(t));
    }
    EXPECT_EQ(g.reelScore(0) - before, 4 * 2000);
    EXPECT_EQ(g.m.game.rightBankLatch, 0);
    // A new cycle: the same target scores again.
    click(33);
    ASSERT_TRUE(g.runUntil([this] { return g.reelsStill(); }, 10000));
    EXPECT_EQ(g.reelScore(0) - before, 5 * 2000);
}

TEST_F(GameScenarioTest, TheBonusHoleKicksTheBallOut) {
    startGameWithBallInPlay();
    int64_t before = g.reelScore(0);
    uint32_t kicks = playfield().coilPulses(playfield::kHoleKickerCoil);
    click(playfield::kBonusHole);
    EXPECT_EQ(playfield().ball(), BallPlace::InHole);
    EXPECT_TRUE(g.board.switchClosed(playfield::kBonusHole));
    ASSERT_TRUE(g.runUntil([&] { return playfield().coilPulses(playfield::kHoleKickerCoil) > kicks; }, 3000));
    EXPECT_FALSE(g.board.switchClosed(playfield::kBonusHole));
    EXPECT_EQ(playfield().ball(), BallPlace::InPlay);
    ASSERT_TRUE(g.runUntil([this] { return g.reelsStill(); }, 10000));
    EXPECT_EQ(g.reelScore(0) - before, 500);
    g.run(2000);
    EXPECT_EQ(playfield().coilPulses(playfield::kHoleKickerCoil), kicks + 1) << "one kick";
}

TEST_F(GameScenarioTest, TheDrainKeyEndsTheBallAndTheNextOneIsServed) {
    startGameWithBallInPlay();
    click(14); // the ball scores, so its drain counts
    ASSERT_TRUE(g.runUntil([this] { return g.reelsStill(); }, 5000));
    uint32_t serves = playfield().counters().serves;
    tap(Qt::Key_D);
    EXPECT_EQ(playfield().ball(), BallPlace::Trough);
    ASSERT_TRUE(g.runUntil([&] { return playfield().counters().serves > serves; }, 10000));
    EXPECT_EQ(g.m.game.players[0].ball, 1);
    EXPECT_EQ(playfield().ball(), BallPlace::InPlay);
}

TEST_F(GameScenarioTest, TheRandomBallAndTheAutomaticOperatorPlayWholeGames) {
    window->driver().autoOperator().setEnabled(true, g.m.now());
    playfield().setRandomBall(true);
    uint32_t gamesOver = 0;
    bool was = false;
    for (int i = 0; i < 30 * 60 * 1000 && gamesOver < 2; ++i) {
        g.turn();
        bool running = gameRunning(g.m);
        if (was && !running)
            ++gamesOver;
        was = running;
    }
    EXPECT_EQ(gamesOver, 2u);
    EXPECT_GE(window->driver().autoOperator().starts(), 2u);
    EXPECT_GE(playfield().counters().drains, 6u) << "three balls a game";
    EXPECT_EQ(g.m.credits.value(), g.creditsInFile());
}

} // namespace
} // namespace pinstage::test
