// One main-loop turn during play on the simulated board, without the backglass frame: the table
// rules, the game flow, the periodic work, the reels, the scans and the engines. Reports the time
// per turn and the heap allocations per turn (target: none).
#include "AllocationCounter.h"
#include "HeadlessHost.h"

#include "board/BoardIo.h"
#include "board/SimulatedBoard.h"
#include "config/Credits.h"
#include "config/ParameterStore.h"
#include "display/ScreenMapping.h"
#include "runtime/Baselumiscope_usb_2023_pentacle.h"
#include "runtime/MachineOps.h"
#include "runtime/MainLoop.h"
#include "runtime/Module_usb_reglable_2023_pentacle.h"
#include "sound/SoundEngine.h"
#include "sound/SoundSystem.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>

namespace pinstage {
namespace {

// A sound device that keeps only what is playing: no allocation on play or stop.
class QuietEngine final : public SoundEngine {
public:
    void open() override { open_ = true; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    void createBuffer(int, const WavData&) override {}
    void play(int sound, bool) override { set(sound, true); }
    void stop(int sound) override { set(sound, false); }
    bool isPlaying(int sound) const override { return sound >= 0 && sound < 64 && playing_[size_t(sound)]; }
    void playSystem(const WavData&) override {}

private:
    void set(int sound, bool on) {
        if (sound >= 0 && sound < 64)
            playing_[size_t(sound)] = on;
    }
    bool open_ = false;
    std::array<bool, 64> playing_{};
};

// Waits move the manual clock, as the loop's own turns do.
class BenchHost final : public test::HeadlessHost {
public:
    explicit BenchHost(ManualClock& clock) : clock_(clock) {}
    void processEvents() override { clock_.advance(1); }
    void idleWait(Machine&) override { clock_.advance(1); }

private:
    ManualClock& clock_;
};

// A machine with a one-player game in play and its ball served.
struct PlayingMachine {
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("pinstage-bench-game-" + std::to_string(::getpid()));
    ManualClock clock{1000};
    Machine m{clock, DataRoot(dir)};
    SimulatedBoard board{clock};
    QuietEngine engine;
    std::unique_ptr<SoundSystem> sound;
    std::array<SymbolPlacement, element::kCount> placements{};
    BenchHost host{clock};

    PlayingMachine() {
        std::filesystem::remove_all(dir);
        m.root.ensureDirectories();
        fullLoad(m.root, 0, m.params, nullptr);
        m.params.accounting.creditUnits = 5;
        m.credits = creditDigits(m.params.accounting);
        // Free games save the accounting file (an event, not the turn): kept out of the count.
        m.params.adjustments.freeGameScores = {0, 0, 0};
        sound = std::make_unique<SoundSystem>(engine, m.params.sounds, m.root.dir(DataDir::Sons), nullptr);
        sound->initSound();
        m.sound = sound.get();
        buildOutputs(m.outputs, m.params.coils, m.params.lamps);
        openBoard(m.io, board);
        m.reels.build(m.params.fronton, DesignMapping::fromLayout({1360, 768}, m.params.fronton),
                      ReelSounds{});
        for (int e = 0; e < element::kCount; ++e)
            m.symbols[size_t(e)] = &placements[size_t(e)];
        m.hooks.attachHost(host);
        m.rt.mainLoopRunning = 1;
        connectReelsToGame(m);
        board.setSwitch(5, true);
        turns(2);
        board.setSwitch(5, false);
        turns(3000); // the start handled, the ball served
    }
    ~PlayingMachine() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    void turns(int n) {
        for (int i = 0; i < n; ++i) {
            clock.advance(1);
            loopTurn(m);
        }
    }
};

void reportAllocations(benchmark::State& state, size_t before) {
    state.counters["allocs/turn"] =
        benchmark::Counter(double(allocationCount() - before), benchmark::Counter::kAvgIterations);
}

// A ball in play with nothing happening: rules, flow, periodic work, scans and engines.
void BM_PlayTurnQuiet(benchmark::State& state) {
    PlayingMachine pm;
    if (!gameRunning(pm.m))
        state.SkipWithError("no game");
    size_t before = allocationCount();
    for (auto _ : state) {
        pm.clock.advance(1);
        loopTurn(pm.m);
    }
    reportAllocations(state, before);
}
BENCHMARK(BM_PlayTurnQuiet);

// A busy ball: a playfield closure every 20 turns (bumpers, lanes, targets, banks, spinner), so
// rules fire, reels roll, the bonus advances and lamps change.
void BM_PlayTurnBusy(benchmark::State& state) {
    PlayingMachine pm;
    if (!gameRunning(pm.m))
        state.SkipWithError("no game");
    constexpr int kSwitches[] = {14, 30, 34, 32, 16, 8, 24, 36, 17, 25, 33, 9, 29, 43, 46, 11, 19, 27};
    size_t next = 0;
    int turn = 0;
    size_t before = allocationCount();
    for (auto _ : state) {
        if (turn % 20 == 0)
            pm.board.setSwitch(kSwitches[next % std::size(kSwitches)], true);
        else if (turn % 20 == 10)
            pm.board.setSwitch(kSwitches[next++ % std::size(kSwitches)], false);
        ++turn;
        pm.clock.advance(1);
        loopTurn(pm.m);
    }
    reportAllocations(state, before);
    state.counters["score"] = double(pm.m.reels.counterValue(0, 7));
}
BENCHMARK(BM_PlayTurnBusy);

} // namespace
} // namespace pinstage

BENCHMARK_MAIN();
