// bench_loop: the main loop of an idle machine in attract mode, on real time for 10 s: the share
// of one core the process uses and the time of one loop turn (p50, p99), first for the loop alone
// (no window), then for the whole program's backglass window on the offscreen platform. The loop
// sleeps until its next deadline; the attract lamp chaser alone wakes it every 3 ms.
#include "DefaultPictures.h"
#include "DefaultSounds.h"
#include "HeadlessHost.h"
#include "board/SimulatedBoard.h"
#include "runtime/Baselumiscope_usb_2023_pentacle.h"
#include "runtime/MainLoop.h"
#include "runtime/Startup.h"
#include "runtime/window/TGlacefronton.h"
#include "sound/SdlSoundEngine.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <unistd.h>
#include <vector>

using namespace pinstage;

namespace {

constexpr uint32_t kRunMs = 10000;

double cpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

double wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Turn times: from the window events of a turn to its wait (or to the next turn's events).
class TurnTimer {
public:
    void turnStarts() {
        double now = wallSeconds();
        if (running_ && !waited_)
            samples_.push_back(now - start_);
        start_ = now;
        running_ = true;
        waited_ = false;
    }
    void turnWaits() {
        if (running_ && !waited_)
            samples_.push_back(wallSeconds() - start_);
        waited_ = true;
    }
    void report(const char* what, double target, double cpu, double wall, uint64_t turns, uint64_t waits) {
        std::sort(samples_.begin(), samples_.end());
        auto pct = [&](double p) {
            return samples_.empty() ? 0.0
                                    : samples_[std::min(samples_.size() - 1, size_t(p * samples_.size()))];
        };
        std::printf("%s\n", what);
        std::printf("  run %.2f s, CPU %.3f s = %.2f %% of one core (target <= %.0f %%)\n", wall, cpu,
                    100.0 * cpu / wall, target);
        std::printf("  %llu turns (%.0f per second), %llu of them waited\n", (unsigned long long)turns,
                    double(turns) / wall, (unsigned long long)waits);
        std::printf("  turn time p50 %.1f us, p99 %.1f us, max %.1f us\n", pct(0.50) * 1e6, pct(0.99) * 1e6,
                    samples_.empty() ? 0.0 : samples_.back() * 1e6);
    }

private:
    std::vector<double> samples_;
    double start_ = 0;
    bool running_ = false;
    bool waited_ = false;
};

class MeasuredHost : public test::HeadlessHost {
public:
    void processEvents() override { timer.turnStarts(); }
    void idleWait(Machine& m) override {
        timer.turnWaits();
        HeadlessHost::idleWait(m);
    }
    TurnTimer timer;
};

class MeasuredWindow : public TGlacefronton {
public:
    using TGlacefronton::TGlacefronton;
    void processEvents() override {
        if (m_loopStarted(machine)) {
            if (!started) {
                started = true;
                cpuStart = cpuSeconds();
                wallStart = wallSeconds();
            }
            timer.turnStarts();
        }
        TGlacefronton::processEvents();
    }
    void idleWait(Machine& m) override {
        timer.turnWaits();
        TGlacefronton::idleWait(m);
    }
    static bool m_loopStarted(const Machine* m) { return m && m->rt.mainLoopRunning; }
    Machine* machine = nullptr;
    TurnTimer timer;
    bool started = false;
    double cpuStart = 0, wallStart = 0;
};

std::filesystem::path scratchRoot() {
    auto p = std::filesystem::temp_directory_path() / ("pinstage-bench-" + std::to_string(::getpid()));
    std::filesystem::remove_all(p);
    DataRoot root(p);
    root.ensureDirectories();
    writeDefaultPictures(root);
    writeDefaultSounds(root.dir(DataDir::Sons));
    return p;
}

// The loop alone, in attract mode or (playing) with a one-player game started and its ball served,
// no switch touched.
void loopAlone(const std::filesystem::path& rootDir, bool playing) {
    SteadyClock clock;
    SimulatedBoard board(clock);
    Machine m(clock, DataRoot(rootDir));
    MeasuredHost host;
    m.hooks.attachHost(host);
    m.boardTransport = &board;
    fullLoad(m.root, 0, m.params, nullptr);
    buildOutputs(m.outputs, m.params.coils, m.params.lamps);
    host.initDisplay(m);
    openMachineBoard(m);
    m.rt.mainLoopRunning = 1;
    m.rt.mediaDeadline = m.now() + 7000;
    if (playing) {
        m.credits = CreditDigits{1, 0};
        m.switches.contactFlags[5] |= kContactPending; // start pressed and released
        gameLoopStep(m);
    }
    m.rt.splashEnded = 1;
    m.rt.splashEndTime = m.now();
    m.rt.quitAfterSet = true;
    m.rt.quitAfterMs = kRunMs;
    double cpu0 = cpuSeconds(), wall0 = wallSeconds();
    runMainLoop(m);
    host.timer.report(playing ? "Loop alone (no window, simulated board, a game in play, no switch):"
                              : "Loop alone (no window, simulated board, attract mode):",
                      1.0, cpuSeconds() - cpu0, wallSeconds() - wall0, m.rt.loopTurns, m.rt.idleWaits);
    if (playing && m.game.playersDoneMask == kNoGame)
        std::printf("  (the game did not start)\n");
}

void wholeWindow(const std::filesystem::path& rootDir) {
    SteadyClock clock;
    SimulatedBoard board(clock);
    Machine m(clock, DataRoot(rootDir));
    m.boardTransport = &board;
    m.rt.quitAfterSet = true;
    m.rt.quitAfterMs = kRunMs;
    SdlSoundOptions so;
    so.allowSilentFallback = true;
    SdlSoundEngine engine(so);
    SimulatedPowerControl power;
    GlacefrontonOptions options;
    options.windowed = true;
    MeasuredWindow window(m, engine, power, options);
    window.machine = &m;
    QTimer::singleShot(60000, [] { QCoreApplication::exit(9); });
    QCoreApplication::exec();
    QByteArray title = "Backglass window (" + QGuiApplication::platformName().toUtf8() +
                       ", 1360 x 768, simulated board, sound on SDL):";
    window.timer.report(title.constData(), 2.0, cpuSeconds() - window.cpuStart,
                        wallSeconds() - window.wallStart, m.rt.loopTurns, m.rt.idleWaits);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    auto root = scratchRoot();
    loopAlone(root, false);
    loopAlone(root, true);
    wholeWindow(root);
    std::filesystem::remove_all(root);
    return 0;
}
