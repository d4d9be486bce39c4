// The host's concerns: each goes to the host attached for it, the dashboard beside the window as
// in the program, and a concern nobody serves stops the machine instead of doing nothing.
#include "SpineFixture.h"

#include "runtime/WaysOut.h"

#include <stdexcept>

using namespace pinstage;
using namespace pinstage::test;

namespace {

class SeparateDashboard : public DashboardHost {
public:
    void runDashboard(Machine& m) override {
        ++runs;
        cursorShownThen = m.rt.cursorShown;
    }
    int runs = 0;
    bool cursorShownThen = false;
};

class HostConcerns : public SpineTest {
protected:
    void SetUp() override { bringUp(); }
};

} // namespace

TEST_F(HostConcerns, EachConcernGoesToItsHostAndAMissingOneIsRefused) {
    SeparateDashboard dashboard;
    m.hooks.attachDashboard(dashboard);
    m.rt.cursorShown = false;
    dashboardWayOut(m);
    EXPECT_EQ(dashboard.runs, 1);
    EXPECT_TRUE(dashboard.cursorShownThen);
    EXPECT_EQ(host.dashboards, 0); // the window's host no longer serves the dashboard
    EXPECT_EQ(host.cursorCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(host.clipReleases, 1);
    EXPECT_EQ(host.redraws, 1);

    // The window goes: what it served is refused, the dashboard stays.
    m.hooks.detachWindow(host);
    EXPECT_THROW(m.hooks.screen(), std::logic_error);
    EXPECT_THROW(m.hooks.sound(), std::logic_error);
    EXPECT_THROW(m.hooks.power(), std::logic_error);
    EXPECT_THROW(m.hooks.input(), std::logic_error);
    EXPECT_THROW(m.hooks.events(), std::logic_error);
    EXPECT_EQ(&m.hooks.dashboard(), &dashboard);
    // The test switch needs the sound's beep: without a sound host the way out stops there.
    EXPECT_THROW(testInterWayOut(m), std::logic_error);
    EXPECT_EQ(host.beeps, 0);
    EXPECT_FALSE(m.rt.closed);

    // Only the dashboard attached is detached.
    SeparateDashboard other;
    m.hooks.detachDashboard(other);
    EXPECT_EQ(&m.hooks.dashboard(), &dashboard);
    m.hooks.detachDashboard(dashboard);
    EXPECT_THROW(m.hooks.dashboard(), std::logic_error);
}
