// The ways out reached the way the player and the operator reach them: switches on the simulated
// board, the game flow handling them in the loop.
#include "SpineFixture.h"

#include "runtime/MachineOps.h"

using namespace pinstage;
using namespace pinstage::test;

namespace {

class WaysOutScenario : public SpineTest {
protected:
    void SetUp() override {
        bringUp();
        m.rt.mediaDeadline = clock.now() + 7000;
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

TEST_F(WaysOutScenario, TestPushDuringAGameEndsItBeforeTheDashboardWithEverythingDark) {
    bool wasRunning = false, gameAtDashboard = true, darkAtDashboard = false;
    host.onDashboard = [&](Machine& mm) {
        gameAtDashboard = gameRunning(mm);
        darkAtDashboard = allDark();
    };
    scheduleNow("100 pulse c4 60\n600 pulse c5 60\n4000 pulse c0 60");
    turns(3500);
    wasRunning = gameRunning(m);
    turns(1500);
    ASSERT_TRUE(wasRunning);
    EXPECT_EQ(host.dashboards, 1);
    EXPECT_FALSE(gameAtDashboard);
    EXPECT_TRUE(darkAtDashboard);
    EXPECT_EQ(m.rt.mainLoopRunning, 1); // the run goes on after the dashboard
}

TEST_F(WaysOutScenario, StartReleasedBeforeFiveSecondsStartsAGameAndDoesNotShutDown) {
    scheduleNow("100 pulse c4 60\n500 close c5\n4400 open c5");
    turns(6000);
    EXPECT_EQ(host.shutdownScreens, 0);
    EXPECT_EQ(host.powerOffs, 0);
    EXPECT_TRUE(gameRunning(m));
    EXPECT_EQ(m.rt.mainLoopRunning, 1);
}

TEST_F(WaysOutScenario, StartHeldFiveSecondsShutsDown) {
    scheduleNow("500 close c5");
    turns(8000);
    EXPECT_EQ(host.shutdownScreens, 1);
    EXPECT_EQ(host.powerOffs, 1);
    EXPECT_EQ(m.rt.mainLoopRunning, 0);
    EXPECT_EQ(m.rt.quitRequested, 1);
    EXPECT_TRUE(allDark());
}

TEST_F(WaysOutScenario, TheTestSwitchBeepsAndStopsTheLoop) {
    scheduleNow("300 pulse c6 60");
    turns(2000);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(m.rt.mainLoopRunning, 0);
    EXPECT_TRUE(allDark());
}
