// A whole machine on the simulated board for the simulator's game scenarios and its soak run:
// parameter files on a temporary data root, the reels of the default backglass, a manual clock
// that every wait of the game moves, and no window or sound.
#pragma once

#include "HeadlessHost.h"
#include "board/SimulatedBoard.h"
#include "display/FramePlan.h"
#include "runtime/Machine.h"
#include "runtime/MachineHooks.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace pinstage::test {

// Every wait of the game moves the clock; power-off and the shutdown screen are only counted.
class ClockHost : public HeadlessHost {
public:
    explicit ClockHost(ManualClock& clock) : clock_(clock) {}
    void processEvents() override { clock_.advance(1); }
    void idleWait(Machine&) override;
    void waitForEvents(Machine&) override { clock_.advance(1); }
    void pause(Machine&, uint32_t ms) override { clock_.advance(ms); }
    void runDashboard(Machine&) override { ++dashboards; }
    void showShutdownScreen() override { ++shutdownScreens; }
    void powerOff() override { ++powerOffs; }

    // The waits of a tight loop also take a real millisecond, as in the program, so that window
    // input can arrive meanwhile.
    bool realTimeWaits = false;
    int dashboards = 0;
    int shutdownScreens = 0;
    int powerOffs = 0;

private:
    ManualClock& clock_;
};

class GameMachine {
public:
    explicit GameMachine(int credits = 0);
    ~GameMachine();
    GameMachine(const GameMachine&) = delete;
    GameMachine& operator=(const GameMachine&) = delete;

    // One loop turn, one millisecond later.
    void turn();
    void run(uint32_t ms);
    bool runUntil(const std::function<bool()>& done, uint32_t maxMs = 60000);
    // The player's score from the reels of the counter, as the backglass shows it.
    int64_t reelScore(int player) const;
    bool reelsStill() const;
    // The credit digits saved in the accounting file of the configuration.
    int creditsInFile() const;

    ManualClock clock{1000};
    std::filesystem::path rootDir;
    Machine m;
    SimulatedBoard board{clock};
    std::array<SymbolPlacement, element::kCount> placements{};
    ClockHost host{clock};
};

} // namespace pinstage::test
