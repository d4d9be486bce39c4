#include "SpineFixture.h"

#include "board/BoardTransport.h"
#include "board/OutputOperations.h"
#include "runtime/LoopDeadline.h"
#include "runtime/MainLoop.h"
#include "runtime/ModalKeys.h"

using namespace pinstage;
using namespace pinstage::test;

namespace {

class MainLoop : public SpineTest {
protected:
    void SetUp() override { bringUp(); }
};

// A host that sleeps as the program does: each wait moves the clock to the loop's deadline.
class SleepingHost : public FakeHost {
public:
    explicit SleepingHost(ManualClock& clock) : FakeHost(clock), clock_(clock) {}
    void processEvents() override {
        turnTimes.push_back(clock_.now());
        FakeHost::processEvents();
    }
    void idleWait(Machine& m) override {
        uint32_t ms = m.rt.wakeAt - m.now();
        waits.push_back(ms);
        clock_.advance(ms);
    }
    std::vector<uint32_t> turnTimes;
    std::vector<uint32_t> waits;

private:
    ManualClock& clock_;
};

class JournalLines : public TraceSink {
public:
    bool enabled() const override { return true; }
    void line(uint32_t time, const std::string& text) override { lines.push_back({time, text}); }
    std::vector<std::pair<uint32_t, std::string>> lines;
};

// A transport whose switches change unannounced, as the real board's do (the loop only asks it
// that; the machine keeps its simulated board open).
class UnannouncedBoard : public BoardTransport {
public:
    BoardHandle open() override { return 0; }
    void close(BoardHandle) override {}
    int count() override { return 0; }
    BoardHandle handle(int) override { return 0; }
    uint32_t productId(BoardHandle) override { return 0; }
    void identification(BoardHandle, BoardIdentification&) override {}
    int write(BoardHandle, int, std::span<const uint8_t>) override { return 0; }
    int read(BoardHandle, int, std::span<uint8_t>) override { return 0; }
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

TEST_F(MainLoop, TheRunTimeLimitEndsTheLoopAtItsMillisecondWithItsJournalLine) {
    JournalLines journal;
    m.hooks.trace = &journal;
    m.rt.quitAfterSet = true;
    m.rt.quitAfterMs = 300;
    m.rt.splashEnded = 1;
    m.rt.splashEndTime = clock.now() - 299;
    EXPECT_EQ(runTimeLeft(m), 1u) << "a guard that comes early leaves the run alone";
    EXPECT_EQ(m.rt.quitRequested, 0);
    m.rt.splashEndTime = clock.now();
    runMainLoop(m);
    EXPECT_EQ(clock.now() - m.rt.splashEndTime, 300u);
    ASSERT_FALSE(journal.lines.empty());
    int quitLines = 0;
    for (const auto& [time, text] : journal.lines)
        if (text == "quit after") {
            ++quitLines;
            EXPECT_EQ(time - m.rt.splashEndTime, 300u);
        }
    EXPECT_EQ(quitLines, 1);
    EXPECT_EQ(runTimeLeft(m), 0u);
}

// Attract mode on the simulated board: the loop wakes for the chaser every 3 ms, for a scripted
// coin at its millisecond (and the next one, which takes it), and for nothing in between; the
// chaser keeps its pace and the coin is credited.
TEST_F(MainLoop, AnIdleLoopSleepsUntilItsNextDeadlineAndMissesNone) {
    SleepingHost sleeper(clock);
    m.hooks.attachHost(sleeper);
    const uint32_t start = clock.now();
    scheduleNow("1000 pulse c4 60");
    m.nextScheduledInput = [&] { return player.nextTime(); };
    m.rt.quitAfterSet = true;
    m.rt.quitAfterMs = 3000;
    m.rt.splashEnded = 1;
    m.rt.splashEndTime = start;
    const uint8_t chaserStart = m.rt.chaserIndex;
    runMainLoop(m);

    EXPECT_EQ(clock.now() - start, 3000u);
    EXPECT_EQ(m.credits.value(), 1);
    auto wokeAt = [&](uint32_t t) {
        return std::find(sleeper.turnTimes.begin(), sleeper.turnTimes.end(), start + t) !=
               sleeper.turnTimes.end();
    };
    EXPECT_TRUE(wokeAt(1000));
    EXPECT_TRUE(wokeAt(1001));
    EXPECT_TRUE(wokeAt(1060));
    ASSERT_FALSE(sleeper.waits.empty());
    EXPECT_LE(*std::max_element(sleeper.waits.begin(), sleeper.waits.end()), 3u);
    EXPECT_LT(m.rt.loopTurns, 1100u) << "about one turn per chaser step, not one per millisecond";
    // 3000 ms at one lamp every 3 ms: 1000 steps, 15 rounds of 64 and 40 more.
    EXPECT_EQ(m.rt.chaserIndex, uint8_t((chaserStart + 1000) % 64));
}

// A pulse ends on the millisecond the coil engine releases it, with the loop asleep in between;
// on a board that must be polled the loop never sleeps more than 1 ms.
TEST_F(MainLoop, ACoilPulseEndsOnTimeAndAPolledBoardIsReadEveryMillisecond) {
    SleepingHost sleeper(clock);
    m.hooks.attachHost(sleeper);
    m.game.playersDoneMask = 0x0E; // a game: no chaser
    std::vector<uint32_t> changes;
    board.onOutputsChanged = [&] {
        bool on = board.coilEnergised(3);
        if (changes.size() % 2 == (on ? 0u : 1u))
            changes.push_back(clock.now());
    };
    turns(5);
    coilPulse(m.outputs, m.outputs.coils[3]);
    m.rt.quitAfterSet = true;
    m.rt.quitAfterMs = 400;
    m.rt.splashEnded = 1;
    m.rt.splashEndTime = clock.now();
    runMainLoop(m);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1] - changes[0], m.outputs.coils[3].pulseMs + 1);
    EXPECT_GT(*std::max_element(sleeper.waits.begin(), sleeper.waits.end()), 1u);

    UnannouncedBoard polled;
    m.boardTransport = &polled;
    m.rt.mainLoopRunning = 1;
    m.rt.quitRequested = 0;
    m.rt.splashEndTime = clock.now();
    sleeper.waits.clear();
    runMainLoop(m);
    ASSERT_FALSE(sleeper.waits.empty());
    EXPECT_EQ(*std::max_element(sleeper.waits.begin(), sleeper.waits.end()), 1u);
    EXPECT_EQ(nextLoopDeadline(m), clock.now() + 1);
}
