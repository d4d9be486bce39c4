#include "SpineFixture.h"

#include "board/CoilEngine.h"
#include "board/LampEngine.h"
#include "board/OutputOperations.h"
#include "board/SwitchScan.h"
#include "runtime/MachineOps.h"
#include "runtime/WaysOut.h"

using namespace pinstage;
using namespace pinstage::test;

namespace {

class WaysOut : public SpineTest {
protected:
    void SetUp() override {
        bringUp();
        board.clearLog();
    }
    void lightSomething() {
        coilHold(m.outputs, 2);
        coilHold(m.outputs, 16);
        lampOn(m.outputs, 5);
        lampOn(m.outputs, 63);
        runCoilEngineAndLamps();
        ASSERT_TRUE(board.coilEnergised(2));
        ASSERT_TRUE(board.lampLit(63));
    }
    void runCoilEngineAndLamps() {
        for (int i = 0; i < 30; ++i) {
            runCoilEngine(m.outputs, m.io, m.clock);
            runLampEngine(m.outputs, m.io, m.clock);
            clock.advance(1);
        }
    }
    // The matrix read as the start button's handler finds it (the closure just reported).
    void scanOnce() {
        clock.advance(5);
        do
            scanMatrix(m.switches, m.io, m.outputs, m.clock);
        while (board.pendingReports(kSpecialInterface) > 0);
    }
    bool allDark() const {
        for (int c = 0; c < kCoilCount; ++c)
            if (board.coilEnergised(c))
                return false;
        for (int l = 0; l < kLampCount; ++l)
            if (board.lampLit(l))
                return false;
        return true;
    }
};

} // namespace

TEST_F(WaysOut, TheFirstStageSwitchesEverythingOffAndStopsTheLoop) {
    m.game.playersDoneMask = 0x0E; // no chaser while the lamps are checked
    lightSomething();
    FormClose(m);
    EXPECT_EQ(m.rt.mainLoopRunning, 0);
    EXPECT_TRUE(allDark());
    EXPECT_TRUE(board.isOpen());
    EXPECT_EQ(host.quits, 0);
}

TEST_F(WaysOut, TheSecondStageClosesTheBoardReleasesAllAndQuitsOnce) {
    m.rt.mainLoopRunning = 0;
    FormClose(m);
    EXPECT_FALSE(board.isOpen());
    EXPECT_FALSE(board.switchMatrixEnabled());
    EXPECT_FALSE(board.lampMatrixEnabled());
    EXPECT_EQ(host.displayReleases, 1);
    EXPECT_EQ(host.soundReleases, 1);
    EXPECT_EQ(host.quits, 1);
    EXPECT_EQ(m.rt.stateTraced, 1);
    FormClose(m);
    EXPECT_EQ(host.quits, 1);
}

TEST_F(WaysOut, TheTestPushEndsTheGameBeforeTheDashboardWithEverythingOff) {
    m.game.playersDoneMask = 0x0C;
    lightSomething();
    m.switches.contactFlags[33] = kContactPending;
    m.switches.inputImages[0][3] = 0xFF;
    bool sawGame = true, sawDark = false, sawCursor = false;
    host.onDashboard = [&](Machine& mm) {
        sawGame = gameRunning(mm);
        sawDark = allDark();
        sawCursor = mm.rt.cursorShown == 1;
        coilHold(mm.outputs, 7); // the dashboard's test mode left a coil on
        runCoilEngineAndLamps();
    };
    m.rt.cursorShown = 0;
    dashboardWayOut(m);
    EXPECT_EQ(host.dashboards, 1);
    EXPECT_FALSE(sawGame);
    EXPECT_TRUE(sawDark);
    EXPECT_TRUE(sawCursor);
    EXPECT_EQ(m.switches.contactFlags[33] & kContactPending, 0);
    EXPECT_EQ(m.switches.inputImages[0][3], 0);
    // After the dashboard: off again, pointer hidden and free, the attract media 7 s ahead.
    EXPECT_FALSE(board.coilEnergised(7));
    EXPECT_EQ(m.rt.cursorShown, 0);
    EXPECT_EQ(host.clipReleases, 1);
    EXPECT_EQ(m.rt.mediaDeadline, clock.now() + 7000);
    EXPECT_EQ(host.redraws, 1);
}

TEST_F(WaysOut, TheTestSwitchBeepsAndStopsTheLoop) {
    testInterWayOut(m);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(m.rt.mainLoopRunning, 0);
}

TEST_F(WaysOut, StartReleasedBeforeFiveSecondsIsANormalPressAndNoShutdown) {
    schedule("0 close c5\n4900 open c5");
    player.setOrigin(clock.now());
    scanOnce();
    ASSERT_NE(m.switches.strobe0Level() & 0x20, 0);
    EXPECT_TRUE(waitStartRelease(m));
    EXPECT_EQ(host.shutdownScreens, 0);
    EXPECT_EQ(host.powerOffs, 0);
    EXPECT_EQ(m.rt.mainLoopRunning, 1);
    EXPECT_GE(clock.now() - m.game.startPressTime, 4890u);
}

TEST_F(WaysOut, StartHeldFiveSecondsShowsTheScreenThenPowersOffAndEnds) {
    schedule("0 close c5");
    player.setOrigin(clock.now());
    scanOnce();
    EXPECT_FALSE(waitStartRelease(m));
    EXPECT_EQ(host.shutdownScreens, 1);
    EXPECT_EQ(host.pausedMs, 3000u);
    EXPECT_EQ(host.powerOffs, 1);
    EXPECT_EQ(m.rt.quitRequested, 1);
    EXPECT_EQ(m.rt.mainLoopRunning, 0);
    EXPECT_TRUE(allDark());
}

TEST_F(WaysOut, ACoilPulseEndsOnTimeWhileStartIsHeld) {
    schedule("0 close c5\n2000 open c5");
    player.setOrigin(clock.now());
    scanOnce();
    coilPulse(m.outputs, 7);
    runCoilEngine(m.outputs, m.io, m.clock);
    ASSERT_TRUE(board.coilEnergised(7));
    EXPECT_TRUE(waitStartRelease(m));
    EXPECT_FALSE(board.coilEnergised(7));
}

TEST_F(WaysOut, AQuitRequestStopsTheLoopAndAnySelectionWait) {
    m.rt.selectionWaiting = 1;
    requestQuit(m);
    EXPECT_EQ(m.rt.quitRequested, 1);
    EXPECT_EQ(m.rt.selectionWaiting, 0);
    EXPECT_EQ(m.rt.mainLoopRunning, 0);
}
