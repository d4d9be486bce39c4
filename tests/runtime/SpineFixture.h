// Helpers of the runtime spine tests: a machine on a simulated board and a manual clock with a
// scratch data root, and a host that stands for the window system (timers, waits, boxes) and
// records what the machine asked of it.
#pragma once

#include "HeadlessHost.h"
#include "board/SimulatedBoard.h"
#include "runtime/Machine.h"
#include "runtime/Script.h"
#include "runtime/Startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace pinstage::test {

class SpineRoot {
public:
    explicit SpineRoot(const std::string& name) {
        static int serial = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("spine-" + name + "-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
        std::filesystem::remove_all(path_);
        DataRoot(path_).ensureDirectories();
    }
    ~SpineRoot() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    SpineRoot(const SpineRoot&) = delete;
    SpineRoot& operator=(const SpineRoot&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The window system as the machine sees it, with simulated time: every wait moves the clock.
class FakeHost : public HeadlessHost {
public:
    explicit FakeHost(ManualClock& clock) : clock_(clock) {}

    void composeFrame(Machine&) override { ++frames; }
    void processEvents() override {
        ++eventPumps;
        if (onEvents)
            onEvents();
    }
    void beep() override { ++beeps; }
    void redrawBackglass(Machine&) override { ++redraws; }
    void showShutdownScreen() override { ++shutdownScreens; }
    void powerOff() override { ++powerOffs; }
    void runDashboard(Machine& m) override {
        ++dashboards;
        if (onDashboard)
            onDashboard(m);
    }
    void setCursorShown(Machine&, bool shown) override { cursorCalls.push_back(shown); }
    void synthesiseKey(const char* key) override { keys.emplace_back(key); }
    void releaseCursorClip(Machine&) override { ++clipReleases; }

    void idleWait(Machine&) override {
        ++idleWaits;
        clock_.advance(1);
    }
    // The start-up timer is the only timer of the start-up; each wait lets one tick run.
    void waitForEvents(Machine& m) override {
        clock_.advance(kStartupTickMs);
        processEvents();
        if (timerEnabled) {
            ++nestedTicks;
            startupTick(m);
        }
    }
    void pause(Machine&, uint32_t ms) override {
        pausedMs += ms;
        clock_.advance(ms);
    }
    void runSplash(Machine&) override {
        ++splashes;
        clock_.advance(1000);
    }
    void setStartupTimer(Machine&, bool enabled) override { timerEnabled = enabled; }
    void splashEnded(Machine& m) override {
        if (onSplashEnd)
            onSplashEnd(m);
    }
    void showNoBoardWarning(Machine&) override { ++noBoardWarnings; }
    void drawSelectionScreen(Machine& m, const SelectionLayout&) override {
        selectionDraws.push_back(m.rt.configurationNumber);
    }
    void setCursorPos(Machine&, int32_t x, int32_t y) override { cursorPositions.push_back({x, y}); }
    void quitApplication(Machine&) override { ++quits; }
    void initSound(Machine&) override { ++soundInits; }
    void releaseSound(Machine&) override { ++soundReleases; }
    void initDisplay(Machine& m) override {
        ++displayInits;
        HeadlessHost::initDisplay(m);
    }
    void releaseDisplay(Machine& m) override {
        ++displayReleases;
        HeadlessHost::releaseDisplay(m);
    }

    bool timerEnabled = false;
    int frames = 0, eventPumps = 0, beeps = 0, redraws = 0, shutdownScreens = 0, powerOffs = 0;
    int dashboards = 0, clipReleases = 0, splashes = 0, noBoardWarnings = 0, quits = 0;
    int soundInits = 0, soundReleases = 0, displayInits = 0, displayReleases = 0, nestedTicks = 0;
    uint64_t idleWaits = 0;
    uint32_t pausedMs = 0;
    std::vector<bool> cursorCalls;
    std::vector<std::string> keys;
    std::vector<int> selectionDraws;
    std::vector<std::array<int32_t, 2>> cursorPositions;
    std::function<void()> onEvents;
    std::function<void(Machine&)> onDashboard;
    std::function<void(Machine&)> onSplashEnd;

private:
    ManualClock& clock_;
};

// A machine on the simulated board with a scratch data root; switch changes can be scheduled
// in ms after the end of the splash, as a script would.
class SpineTest : public ::testing::Test {
protected:
    SpineTest() : root_(::testing::UnitTest::GetInstance()->current_test_info()->name()) {
        m.boardTransport = &board;
        m.hooks.attachHost(host);
        host.onSplashEnd = [this](Machine& mm) { player.setOrigin(mm.now()); };
        board.beforeRead = [this](uint32_t now) {
            player.apply(now, [this](int c, bool closed) { board.setSwitch(c, closed); });
        };
    }

    // Replaces the schedule; times in ms after the end of the splash.
    void schedule(const std::string& scriptText) {
        player = ScriptPlayer(scriptChanges(parseScript(scriptText)));
        if (m.rt.splashEnded)
            player.setOrigin(m.rt.splashEndTime);
    }

    // What the window system's own loop does between start-up ticks: one tick every 50 ms while
    // the timer is enabled, until the program has ended or the time is up.
    void runEventLoop(uint32_t maxMs) {
        uint32_t start = clock.now();
        while (!m.rt.closed && uint32_t(clock.now() - start) < maxMs) {
            clock.advance(kStartupTickMs);
            if (host.timerEnabled)
                startupTick(m);
        }
    }

    // The schedule counted from now.
    void scheduleNow(const std::string& scriptText) {
        schedule(scriptText);
        player.setOrigin(clock.now());
    }

    // The machine loaded for configuration 0 and ready to turn, as after initialiseMachine.
    void bringUp() {
        m.rt.configurationNumber = 0;
        m.rt.configurationInUse = 0;
        fullLoad(m.root, 0, m.params, nullptr);
        buildOutputs(m.outputs, m.params.coils, m.params.lamps);
        host.initDisplay(m);
        ASSERT_TRUE(openMachineBoard(m));
        m.rt.mainLoopRunning = 1;
    }

    // Runs loop turns for ms of simulated time (one turn per ms) while the loop runs.
    void turns(uint32_t ms);

    std::filesystem::path dataFile(const std::string& name) const {
        return DataRoot(root_.path()).file(DataDir::Datas, name);
    }

    SpineRoot root_;
    ManualClock clock{10000};
    SimulatedBoard board{clock};
    FakeHost host{clock};
    Machine m{clock, DataRoot(root_.path())};
    ScriptPlayer player{{}};
};

} // namespace pinstage::test
