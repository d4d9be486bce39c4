// The host of a machine without windows (tests, benchmarks, the soak run): nothing is shown or
// heard, the reels are built at the layout's design size, and idle waits sleep for real. Test hosts
// derive from it and override what they count or drive.
#pragma once

#include "runtime/RuntimeHost.h"

namespace pinstage::test {

class HeadlessHost : public RuntimeHost {
public:
    // ScreenHost
    void showMainWindow(Machine&) override {}
    void runSplash(Machine&) override {}
    void repaintWindow(Machine&) override {}
    void initDisplay(Machine& m) override;
    void releaseDisplay(Machine& m) override;
    void composeFrame(Machine&) override {}
    std::optional<uint32_t> nextFrameTime(const Machine&) const override { return std::nullopt; }
    void redrawBackglass(Machine&) override {}
    void showNoBoardWarning(Machine&) override {}
    int32_t screenWidth() const override { return 1360; }
    int32_t screenHeight() const override { return 768; }
    void drawSelectionScreen(Machine&, const SelectionLayout&) override {}
    void showShutdownScreen() override {}

    // SoundHost
    void initSound(Machine&) override {}
    void releaseSound(Machine&) override {}
    void beep() override {}

    // DashboardHost
    void runDashboard(Machine&) override {}

    // PowerHost
    void powerOff() override {}

    // InputHost
    void setCursorShown(Machine&, bool) override {}
    void setCursorPos(Machine&, int32_t, int32_t) override {}
    void releaseCursorClip(Machine&) override {}
    void synthesiseKey(const char*) override {}

    // EventLoopHost
    void processEvents() override {}
    void idleWait(Machine& m) override;
    void waitForEvents(Machine& m) override;
    void pause(Machine&, uint32_t) override {}
    void setStartupTimer(Machine&, bool) override {}
    void splashEnded(Machine&) override {}
    void quitApplication(Machine&) override {}
};

} // namespace pinstage::test
