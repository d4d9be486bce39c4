// The driver on the board's hooks: the work done at every read in its order, a held start button
// released from inside a loop that keeps re-reading the board, the automatic operator, the
// recorder, and hooks that share the board.
#include "SimRig.h"
#include "board/Outputs.h"
#include "board/SwitchScan.h"
#include "simulator/BoardHooks.h"
#include "simulator/PlayfieldDriver.h"
#include "simulator/PlayfieldMap.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace pinstage::test {
namespace {

class DriverTest : public SimRig {
protected:
    SwitchState sw;
    Outputs out;

    // The strobe-0 level after one more matrix scan.
    bool startSeenClosed() {
        scanMatrix(sw, io, out, clock);
        return sw.strobe0Level() & (1u << playfield::kStart);
    }
};

TEST_F(DriverTest, EveryBoardReadRunsInputScriptPlayfieldThenOperator) {
    PlayfieldDriver d(board, clock, true);
    std::vector<std::string> order;
    d.pumpInput = [&] { order.push_back("input"); };
    d.playScript = [&](uint32_t) { order.push_back("script"); };
    d.gameView = [&] {
        order.push_back("view");
        return GameView{};
    };
    std::array<uint8_t, 64> buf{};
    board.read(SimulatedBoard::kHandle, kSpecialInterface, buf);
    EXPECT_EQ(order, (std::vector<std::string>{"input", "script", "view"}));
}

TEST_F(DriverTest, PulsesEndThroughBoardReadsAlone) {
    PlayfieldDriver d(board, clock, true);
    d.playfield().hit(14, 50);
    std::array<uint8_t, 64> buf{};
    clock.advance(51);
    board.read(SimulatedBoard::kHandle, kSpecialInterface, buf);
    EXPECT_FALSE(board.switchClosed(14));
}

TEST_F(DriverTest, HeldStartIsReleasedInsideATightReadLoop) {
    PlayfieldDriver d(board, clock, true);
    while (board.pendingReports(kSpecialInterface) > 0) // the report of the opening
        scanMatrix(sw, io, out, clock);
    d.playfield().press(playfield::kStart);
    ASSERT_TRUE(startSeenClosed());
    // The window's input arrives while the game is busy re-reading the board: the key release is
    // delivered from inside the read, and the loop sees the button open.
    int deliveries = 0;
    d.pumpInput = [&] {
        if (++deliveries == 25)
            d.playfield().release(playfield::kStart);
    };
    int reads = 0;
    while (startSeenClosed() && reads < 1000)
        ++reads;
    EXPECT_LT(reads, 1000);
    EXPECT_GE(deliveries, 25);
}

TEST_F(DriverTest, CoilEdgesReachThePlayfieldThroughTheBoard) {
    PlayfieldDriver d(board, clock, true);
    int changes = 0;
    d.outputsChanged = [&] { ++changes; };
    energise(playfield::kServeCoil);
    releaseCoils();
    EXPECT_EQ(d.playfield().ball(), BallPlace::InPlay);
    EXPECT_GE(changes, 2);
}

TEST_F(DriverTest, HooksShareTheBoardAndFallSilentWhenGone) {
    int earlier = 0, mine = 0;
    board.beforeRead = [&](uint32_t) { ++earlier; };
    std::array<uint8_t, 64> buf{};
    {
        BoardHook hook;
        hook.onBeforeRead(board, [&](uint32_t) { ++mine; });
        board.read(SimulatedBoard::kHandle, kSpecialInterface, buf);
        EXPECT_EQ(earlier, 1);
        EXPECT_EQ(mine, 1);
    }
    board.read(SimulatedBoard::kHandle, kSpecialInterface, buf);
    EXPECT_EQ(earlier, 2);
    EXPECT_EQ(mine, 1);

    int outputsBefore = 0, outputsMine = 0;
    board.onOutputsChanged = [&] { ++outputsBefore; };
    BoardHook hook;
    hook.onOutputsChanged(board, [&] { ++outputsMine; });
    energise(3);
    EXPECT_EQ(outputsBefore, 1);
    EXPECT_EQ(outputsMine, 1);
}

TEST_F(DriverTest, AutomaticOperatorCoinsThenStartsAndWaitsAfterAGame) {
    PlayfieldDriver d(board, clock, true);
    GameView view;
    d.gameView = [&] { return view; };
    AutoOperator& a = d.autoOperator();
    a.setEnabled(true, clock.now());
    std::array<uint8_t, 64> buf{};
    auto readFor = [&](uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 10) {
            clock.advance(10);
            board.read(SimulatedBoard::kHandle, kSpecialInterface, buf);
        }
    };
    readFor(400);
    EXPECT_EQ(a.coins(), 0u) << "a moment before the first coin";
    readFor(200);
    EXPECT_EQ(a.coins(), 1u);
    view.credits = 1;
    readFor(700);
    EXPECT_EQ(a.starts(), 1u);
    view.gameRunning = true;
    readFor(60000);
    EXPECT_EQ(a.starts(), 1u) << "nothing during a game";
    EXPECT_EQ(a.gamesSeen(), 1u);
    view.gameRunning = false;
    view.credits = 0;
    readFor(2000);
    EXPECT_EQ(a.coins(), 1u) << "the game-over display is left a while";
    readFor(1000);
    EXPECT_EQ(a.coins(), 2u);

    a.setEnabled(false, clock.now());
    readFor(20000);
    EXPECT_EQ(a.coins(), 2u);
    EXPECT_EQ(a.starts(), 1u);
}

TEST_F(DriverTest, RecorderKeepsTheOperatorsChangesOnly) {
    PlayfieldDriver d(board, clock, true);
    SmartPlayfield& pf = d.playfield();
    pf.press(5); // before the recording: not kept
    pf.release(5);
    clock.advance(1000);
    d.recorder().start(clock.now());
    clock.advance(250);
    pf.press(5);
    clock.advance(100);
    pf.release(5);
    pf.hit(4, 60, SwitchOrigin::Automatic);
    pf.hit(17, 80, SwitchOrigin::Random);
    pf.press(47, SwitchOrigin::Script); // refused anyway: no ball
    clock.advance(1000);
    pf.hit(17);
    pf.toggleHeld(64);
    d.recorder().stop();
    pf.hit(30);
    EXPECT_EQ(d.recorder().text(), "# Simulateur de plateau : temps_ms close|open|pulse cN [ms]\n"
                                   "250 close c5\n"
                                   "350 open c5\n"
                                   "1350 pulse c17 50\n"
                                   "1350 close c64\n");
    EXPECT_EQ(d.recorder().lineCount(), 4u);

    auto dir = std::filesystem::temp_directory_path() / ("pinstage-rec-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(d.recorder().save(dir / "partie.txt"));
    std::ifstream in(dir / "partie.txt");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), d.recorder().text());
    EXPECT_FALSE(d.recorder().save(dir / "absent" / "partie.txt"));
    std::filesystem::remove_all(dir);

    d.recorder().start(clock.now()); // a new recording starts empty
    EXPECT_EQ(d.recorder().lineCount(), 0u);
}

} // namespace
} // namespace pinstage::test
