// A whole machine for game tests: parameter files on a temporary data root, the simulated board,
// a manual clock, a recording sound engine, the reels of the default backglass with a placement
// for every element, and a host whose waits move the clock. Switches go in as board changes,
// timed by the harness; lamps, coils and sounds come out as the board and the engine saw them.
#pragma once

#include "HeadlessHost.h"
#include "board/SimulatedBoard.h"
#include "runtime/Machine.h"
#include "runtime/MachineOps.h"
#include "sound/RecordingSoundEngine.h"
#include "sound/SoundSystem.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pinstage::test {

// Every wait of the game moves the manual clock by one millisecond.
class ManualHost : public HeadlessHost {
public:
    explicit ManualHost(ManualClock& clock) : clock_(clock) {}
    void composeFrame(Machine&) override { ++frames; }
    void processEvents() override { clock_.advance(1); }
    void idleWait(Machine&) override { clock_.advance(1); }
    void waitForEvents(Machine&) override { clock_.advance(1); }
    void pause(Machine&, uint32_t ms) override { clock_.advance(ms); }
    void beep() override { ++beeps; }
    void runDashboard(Machine&) override { ++dashboards; }
    void showShutdownScreen() override { ++shutdownScreens; }
    void powerOff() override { ++powerOffs; }

    int frames = 0;
    int beeps = 0;
    int dashboards = 0;
    int shutdownScreens = 0;
    int powerOffs = 0;

private:
    ManualClock& clock_;
};

class RecordingTrace : public TraceSink {
public:
    bool enabled() const override { return true; }
    void line(uint32_t time, const std::string& text) override { lines.push_back({time, text}); }
    // The texts that start with prefix, in order.
    std::vector<std::string> matching(std::string_view prefix) const;

    struct Line {
        uint32_t time;
        std::string text;
    };
    std::vector<Line> lines;
};

// One change of a switch at a time counted from the harness origin.
struct TimedSwitch {
    uint32_t time = 0;
    int contact = 0;
    bool closed = false;
};

// "time_ms close|open|pulse cN [ms]" lines, '#' comments; a pulse lasts 50 ms unless given.
// Throws std::runtime_error naming the line on a bad one.
std::vector<TimedSwitch> parseSwitchScript(std::string_view text);

struct HarnessOptions {
    int credits = 0;
    bool freePlay = false;
    int ballsPerGame = 3;
    bool lottery = false;
    uint32_t seed = 12345;
    // Applied to the adjustments after the load (thresholds, record, award kind...).
    std::function<void(AdjustmentsRecord&)> adjust = nullptr;
};

class MachineHarness {
public:
    explicit MachineHarness(HarnessOptions options = {});
    ~MachineHarness();
    MachineHarness(const MachineHarness&) = delete;
    MachineHarness& operator=(const MachineHarness&) = delete;

    ManualClock clock{1000};
    std::filesystem::path rootDir;
    Machine m;
    SimulatedBoard board{clock};
    RecordingSoundEngine engine;
    std::unique_ptr<SoundSystem> sound;
    std::array<SymbolPlacement, element::kCount> placements{};
    ManualHost host{clock};
    RecordingTrace traceLog;

    // Milliseconds since the harness was built (the origin of scripts).
    uint32_t elapsed() const { return clock.now() - origin_; }

    // One loop turn, one millisecond later.
    void turn();
    // Turns for ms milliseconds.
    void run(uint32_t ms);
    // Turns until done() holds; false when maxMs passed first.
    bool runUntil(const std::function<bool()>& done, uint32_t maxMs = 60000);
    // Turns until the reels stand still and no bonus is on its way.
    bool settle(uint32_t maxMs = 60000);

    // Switch changes, applied when the board is next read.
    void close(int contact);
    void open(int contact);
    void pulse(int contact, uint32_t ms = 30);
    // A switch change at a time from the origin.
    void schedule(const TimedSwitch& change);
    void runScript(std::string_view text);

    // A closure made and handled: pulse, then turns until the rules have taken it.
    void hit(int contact);
    // A coin in slot 3, handled.
    void coin();
    // The start button pressed and released, the game (or the added player) set up.
    void pressStart();
    // The ball drained and handled: the bonus counted and the next ball served, or the game over.
    void drain();

    // What the player sees.
    uint32_t score(int player) const;
    int creditsShown() const;  // the credit counter on the backglass
    int creditsStored() const; // the digits in memory
    int creditsInFile() const; // the accounting file of the configuration, as saved
    AccountingRecord accountingFile() const;
    AdjustmentsRecord adjustmentsFile() const;
    bool lampOnBoard(int lamp) const { return board.lampLit(lamp); }
    bool shown(int element) const { return placements[size_t(element)].shown != 0; }
    // Times at which the board energised the coil, and released it.
    std::vector<uint32_t> coilPulses(int coil) const;
    std::vector<uint32_t> coilReleases(int coil) const;
    // Play calls of game function f (its sound number is f, 78 plays sound 63).
    int plays(int function) const;
    bool pending(int contact) const;

    // The final state line: "state scores=... balls=... bonus=... credits=NN mask=0xMM player=P
    // multiplier=M".
    std::string stateLine() const;

private:
    void applyDue(uint32_t now);
    void watchCoils();

    uint32_t origin_ = 0;
    std::vector<TimedSwitch> pendingChanges_;
    std::array<uint8_t, 3> lastCoilPorts_{0xFF, 0xFF, 0xFF};
    std::array<std::vector<uint32_t>, kCoilCount> coilPulses_{};
    std::array<std::vector<uint32_t>, kCoilCount> coilReleases_{};
};

// The sound number the harness gives game function f (-1 = none).
int harnessSoundOf(int function);

} // namespace pinstage::test
