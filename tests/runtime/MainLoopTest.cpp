#include "SpineFixture.h"

#include "runtime/MainLoop.h"
#include "runtime/ModalKeys.h"

using namespace pinstage;
using namespace pinstage::test;

namespace {

class MainLoop : public SpineTest {
protected:
    void SetUp() override { bringUp(); }
};

} // namespace

TEST_F(MainLoop, TheChaserLightsEveryLampInTurnThenPutsThemOut) {
    std::vector<int> litOrder;
    std::array<bool, 64> lit{};
    for (int step = 0; step < 3 * 128; ++step) { // 128 chaser steps, one every 3 ms
        runLampChaser(m);
        for (int l = 0; l < 64; ++l) {
            bool now = m.outputs.lamps[size_t(l)].lit;
            if (now && !lit[size_t(l)])
                litOrder.push_back(l);
            lit[size_t(l)] = now;
        }
        clock.advance(1);
    }
    ASSERT_EQ(litOrder.size(), 64u);
    for (int l = 0; l < 64; ++l)
        EXPECT_EQ(litOrder[size_t(l)], l);
    EXPECT_EQ(std::count(lit.begin(), lit.end(), true), 0); // the second pass put them out
    EXPECT_EQ(m.rt.chaserLighting, 1);
}

TEST_F(MainLoop, TheChaserStepsAtMostEveryThreeMilliseconds) {
    runLampChaser(m);
    EXPECT_EQ(m.rt.chaserIndex, 1);
    clock.advance(2);
    runLampChaser(m);
    EXPECT_EQ(m.rt.chaserIndex, 1);
    clock.advance(1);
    runLampChaser(m);
    EXPECT_EQ(m.rt.chaserIndex, 2);
}

TEST_F(MainLoop, TheChaserRestsDuringAGameAndSurvivesAStrayIndex) {
    m.game.playersDoneMask = 0x0E;
    for (int i = 0; i < 50; ++i) {
        runLampChaser(m);
        clock.advance(3);
    }
    EXPECT_EQ(m.rt.chaserIndex, 0);
    m.game.playersDoneMask = kNoGame;
    m.rt.chaserIndex = 200;
    runLampChaser(m);
    EXPECT_EQ(m.rt.chaserIndex, 200 % 64 + 1);
}

TEST_F(MainLoop, TheChaserReachesTheBoardsLampMatrix) {
    turns(3 * 40);
    int litOnBoard = 0;
    for (int l = 0; l < 64; ++l)
        litOnBoard += board.lampLit(l) ? 1 : 0;
    EXPECT_GE(litOnBoard, 30);
    EXPECT_LE(litOnBoard, 41);
    EXPECT_TRUE(board.lampLit(0));
    EXPECT_FALSE(board.lampLit(63));
}

TEST_F(MainLoop, AnIdleLoopWaitsAfterEachTurnInsteadOfSpinning) {
    host.onEvents = [&] {
        if (host.eventPumps > 500)
            m.rt.mainLoopRunning = 0;
    };
    runMainLoop(m);
    EXPECT_EQ(m.rt.loopTurns, 500u);
    // The clock never moves during a turn here, so every turn found nothing and waited 1 ms.
    EXPECT_EQ(host.idleWaits, 500u);
    EXPECT_EQ(m.rt.idleWaits, 500u);
    EXPECT_GT(host.frames, 0);
}

TEST_F(MainLoop, ABusyTurnDoesNotWait) {
    host.onEvents = [&] {
        clock.advance(2); // the window system took 2 ms
        if (host.eventPumps > 100)
            m.rt.mainLoopRunning = 0;
    };
    runMainLoop(m);
    EXPECT_EQ(host.idleWaits, 100u); // the events took time, the turns did not: still waits
    m.rt.mainLoopRunning = 1;
    host.eventPumps = 0;
    host.idleWaits = 0;
    host.onEvents = [&] {
        if (host.eventPumps > 100)
            m.rt.mainLoopRunning = 0;
    };
    // Every report sent costs more time than the loop's deadlines allow: the turns overrun them
    // and run on at once.
    board.onOutputsChanged = [&] { clock.advance(150); };
    runMainLoop(m);
    EXPECT_LT(host.idleWaits, 100u);
}

TEST_F(MainLoop, TheRunTimeLimitCountsFromTheSplashAndEndsTheLoop) {
    m.rt.quitAfterSet = true;
    m.rt.quitAfterMs = 300;
    m.rt.splashEnded = 1;
    m.rt.splashEndTime = clock.now();
    runMainLoop(m);
    EXPECT_EQ(m.rt.mainLoopRunning, 0);
    EXPECT_EQ(m.rt.quitRequested, 1);
    EXPECT_GE(clock.now() - m.rt.splashEndTime, 300u);
    EXPECT_LE(clock.now() - m.rt.splashEndTime, 303u);
}

TEST_F(MainLoop, ATimedEscapeIsSynthesisedOnceWhenDue) {
    requestEscape(m, 2500);
    turns(2500);
    EXPECT_TRUE(host.keys.empty());
    turns(10);
    EXPECT_EQ(host.keys, (std::vector<std::string>{"Escape"}));
}

TEST_F(MainLoop, BothFlippersHeldThroughAGameEndTheLoopOnlyFiveSecondsAfterGameOver) {
    schedule("0 close c64\n0 close c71");
    player.setOrigin(clock.now());
    m.game.playersDoneMask = 0x0E;
    turns(8000);
    EXPECT_EQ(m.rt.mainLoopRunning, 1);
    m.game.playersDoneMask = kNoGame; // game over, both buttons still held
    turns(4800);
    EXPECT_EQ(m.rt.mainLoopRunning, 1);
    turns(400);
    EXPECT_EQ(m.rt.mainLoopRunning, 0);
}
