// Soak run of the simulator: the random ball plays game after game, with coins and starts made
// automatically, for a stretch of simulated time on the manual clock, through the simulator window
// (offscreen) or without it. Now and then between games the operator opens and closes the
// dashboard and goes through the table choice. It checks the machine's state at every turn, that
// games keep finishing, that the credits in memory match the file, and that the heap in use does
// not grow from one game over to the next after the first games. Exit code 0 when all held.
//
//   simulator_soak [--minutes N | --hours N] [--seed S] [--no-window] [--verbose]
//                  [--dashboard-every GAMES] [--choice-every GAMES]   (0: never)
#include "GameMachine.h"
#include "board/SwitchState.h"
#include "config/ParameterStore.h"
#include "dashboard/DashboardUi.h"
#include "dashboard/Tableau_de_bord_usb_2023.h"
#include "display/ReelBank.h"
#include "display/ScreenMapping.h"
#include "platform/PinError.h"
#include "runtime/GameServe.h"
#include "runtime/GameStart.h"
#include "runtime/MachineOps.h"
#include "runtime/Selection.h"
#include "runtime/WaysOut.h"
#include "simulator/PlayfieldDriver.h"
#include "simulator/PlayfieldSimulator.h"

#include <QApplication>
#include <QPixmapCache>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer's allocator interface (GCC ships the library, not this header).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

using namespace pinstage;

size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4;
}

struct Options {
    uint32_t minutes = 30;
    uint32_t dashboardEvery = 5; // games between two visits of the dashboard
    uint32_t choiceEvery = 7;    // games between two table choices
    uint32_t seed = 1;
    bool window = true;
    bool verbose = false;
};

std::optional<Options> parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--minutes" && i + 1 < argc)
            o.minutes = uint32_t(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--dashboard-every" && i + 1 < argc)
            o.dashboardEvery = uint32_t(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--choice-every" && i + 1 < argc)
            o.choiceEvery = uint32_t(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--hours" && i + 1 < argc)
            o.minutes = 60u * uint32_t(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--seed" && i + 1 < argc)
            o.seed = uint32_t(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--no-window")
            o.window = false;
        else if (a == "--verbose")
            o.verbose = true;
        else
            return std::nullopt;
    }
    return o;
}

// The state a turn must never leave behind; empty when all is well.
std::string brokenState(const Machine& m) {
    const GameState& g = m.game;
    if (g.currentPlayer >= kPlayerCount || g.lastPlayerIndex >= kPlayerCount)
        return "player index out of range";
    if (gameRunning(m) && g.currentPlayer > g.lastPlayerIndex)
        return "current player not in the game";
    for (const PlayerState& p : g.players)
        if (p.bonus < 0 || p.bonus > 55)
            return "bonus out of 0-55";
    if (m.credits.units > 9 || m.credits.tens > 9)
        return "credit digit out of range";
    if (g.scoreMultiplier < 1 || g.scoreMultiplier > 5)
        return "multiplier out of 1-5";
    return {};
}

// The dashboard's boxes show nothing and the operator knows the password (a wrong one ends the
// program, as "Sortir" does).
class SilentUi final : public DashboardUi {
public:
    void warning(QWidget*, const QString&, const QString&) override {}
    void error(QWidget*, const QString&) override {}
    QString askPassword(QWidget*) override { return QString::fromUtf8(kDashboardPassword); }
    void confineCursor(const QRect*) override {}
};

// With the window, the dashboard is the real one: shown, every page visited for a few timer ticks,
// then closed without "Sortir" (which would end the program).
class SoakHost final : public test::ClockHost {
public:
    SoakHost(ManualClock& clock, bool window) : ClockHost(clock), clock_(clock), window_(window) {}
    void runDashboard(Machine& m) override {
        ++dashboards;
        if (!window_) {
            clock_.advance(5000);
            return;
        }
        SilentUi ui;
        auto dashboard = std::make_unique<TTableauDeBord>(
            m, ui, [] {}, false);
        dashboard->show();
        for (int page = 0; page < TTableauDeBord::kPageCount; ++page) {
            dashboard->showPage(page);
            for (int tick = 0; tick < 25; ++tick) {
                clock_.advance(TTableauDeBord::kTimerMs);
                dashboard->tick();
            }
            QCoreApplication::processEvents();
        }
        if (dashboard->exited())
            throw PinError("the dashboard ended the program");
        dashboard->hide();
        dashboard.reset();
        QCoreApplication::processEvents();
    }

private:
    ManualClock& clock_;
    bool window_;
};

// The table choice as the selection screen makes it: the next table, back to the first, start;
// then the table is loaded again as a new start-up does (credits stay those in memory).
void chooseTable(test::GameMachine& g) {
    Machine& m = g.m;
    m.rt.selectionWaiting = 1;
    drawSelectionScreen(m);
    for (int contact : {71, 64}) {
        g.clock.advance(500);
        m.switches.contactFlags[size_t(contact)] |= kContactPending;
        selectionTick(m);
        g.clock.advance(50);
        selectionTick(m); // released
    }
    g.clock.advance(500);
    m.switches.inputImages[0][0] |= 0x20; // start
    selectionTick(m);
    m.switches.inputImages[0][0] &= uint8_t(~0x20);
    if (m.rt.selectionWaiting)
        throw PinError("the table choice did not end");
    m.rt.configurationInUse = m.rt.configurationNumber;
    fullLoad(m.root, m.rt.configurationInUse, m.params, nullptr);
    m.reels.build(m.params.fronton, DesignMapping::fromLayout(ScreenSize{1360, 768}, m.params.fronton),
                  ReelSounds{});
    if (Compteur* c = m.reels.counter(ReelBank::kCreditCounter))
        c->showValueAtOnce(m.credits.value());
    armDirectCoils(m);
    connectReelsToGame(m);
}

int soak(const Options& o) {
    test::GameMachine g(0);
    SoakHost host(g.clock, o.window);
    g.m.hooks.attachHost(host);
    uint32_t choices = 0;
    std::unique_ptr<PlayfieldSimulator> window;
    std::unique_ptr<PlayfieldDriver> bare;
    PlayfieldDriver* driver = nullptr;
    if (o.window) {
        SimulatorOptions options;
        options.seed = o.seed;
        options.quit = [] {};
        window = std::make_unique<PlayfieldSimulator>(g.m, g.board, options);
        window->show(); // painted at every refresh
        driver = &window->driver();
    } else {
        bare = std::make_unique<PlayfieldDriver>(g.board, g.clock, true, o.seed);
        bare->gameView = [&g] { return GameView{gameRunning(g.m), g.m.credits.value()}; };
        driver = bare.get();
    }
    driver->playfield().setRandomBall(true);
    driver->autoOperator().setEnabled(true, g.clock.now());

    const uint32_t start = g.clock.now();
    const uint32_t length = o.minutes * 60u * 1000u;
    auto wallStart = std::chrono::steady_clock::now();
    uint64_t turns = 0;
    uint32_t gamesOver = 0, lastGameOverAt = start, lastRefresh = start;
    size_t baseline = 0, lastHeap = 0, maxHeap = 0, warmMax = 0, laterMax = 0, warmLast = 0;
    // The first games, the first dashboard and the first table choice fill caches once.
    const uint32_t warmGames = std::max({3u, o.dashboardEvery + 1, o.choiceEvery + 1});
    long baselineRss = 0;
    bool was = false;
    std::string failure;

    try {
        while (g.clock.now() - start < length) {
            g.turn();
            ++turns;
            if (std::string broken = brokenState(g.m); !broken.empty()) {
                failure = broken + " at " + std::to_string(g.clock.now() - start) + " ms";
                break;
            }
            if (window && g.clock.now() - lastRefresh >= PlayfieldSimulator::kRefreshMs) {
                lastRefresh = g.clock.now();
                window->refresh();
                QCoreApplication::processEvents();
            }
            bool running = gameRunning(g.m);
            if (was && !running) {
                ++gamesOver;
                lastGameOverAt = g.clock.now();
                // The style keeps drawn buttons in Qt's pixmap cache, bounded by its own limit
                // (10 MB): emptied first, so that what remains is the program's own memory.
                if (window)
                    QPixmapCache::clear();
                size_t heap = heapInUse();
                if (gamesOver == 1) {
                    baseline = heap;
                    baselineRss = residentKiB();
                }
                lastHeap = heap;
                maxHeap = std::max(maxHeap, heap);
                // The first games warm caches up; from then on a game over finds the heap as before.
                size_t& highest = gamesOver <= warmGames ? warmMax : laterMax;
                highest = std::max(highest, heap);
                if (gamesOver == warmGames)
                    warmLast = heap;
                std::printf("game %u over at %.1f min: turns %llu, credits %02d in memory, %02d in the file, "
                            "heap %zu bytes\n",
                            gamesOver, (g.clock.now() - start) / 60000.0, (unsigned long long)turns,
                            g.m.credits.value(), g.creditsInFile(), heap);
                if (g.m.credits.value() != g.creditsInFile()) {
                    failure =
                        "credits in memory and in the file differ after game " + std::to_string(gamesOver);
                    break;
                }
                if (o.dashboardEvery && gamesOver % o.dashboardEvery == 0)
                    dashboardWayOut(g.m);
                if (o.choiceEvery && gamesOver % o.choiceEvery == 0) {
                    chooseTable(g);
                    ++choices;
                }
                if (o.verbose)
                    std::fflush(stdout);
            }
            was = running;
            if (g.clock.now() - lastGameOverAt > 10u * 60u * 1000u) {
                failure = "no game finished in 10 minutes";
                break;
            }
            if (!g.m.rt.mainLoopRunning) {
                failure = "the main loop stopped";
                break;
            }
        }
    } catch (const PinError& e) {
        failure = std::string("error: ") + e.what();
    }

    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    const PlayfieldCounters& c = driver->playfield().counters();
    const AutoOperator& a = driver->autoOperator();
    std::printf("simulated %.1f min in %.1f s wall, %llu turns, window %s\n",
                (g.clock.now() - start) / 60000.0, wall, (unsigned long long)turns, o.window ? "yes" : "no");
    std::printf("games finished %u, coins %u, starts %u, serves %u, drains %u, random hits %llu, kicks %u, "
                "bank resets %u\n",
                gamesOver, a.coins(), a.starts(), c.serves, c.drains, (unsigned long long)c.randomHits,
                c.kicks, c.bankResets);
    std::printf("heap in use at game over: first %zu, last %zu, highest %zu bytes (growth %lld); RSS %ld KiB "
                "then %ld KiB\n",
                baseline, lastHeap, maxHeap, (long long)lastHeap - (long long)baseline, baselineRss,
                residentKiB());
    if (gamesOver > warmGames && warmLast)
        std::printf("heap after game %u: %+.1f bytes per game over the next %u games\n", warmGames,
                    (double(lastHeap) - double(warmLast)) / (gamesOver - warmGames), gamesOver - warmGames);
    std::printf(
        "credits %02d in memory, %02d in the file; dashboard opened %d times, table chosen %u times\n",
        g.m.credits.value(), g.creditsInFile(), host.dashboards, choices);

    if (failure.empty() && gamesOver < 3)
        failure = "fewer than 3 games finished";
    if (failure.empty() && g.m.credits.value() != g.creditsInFile())
        failure = "credits in memory and in the file differ";
    // Heap use at a game over depends a little on the playfield's state (targets down, lamps);
    // a leak per game would climb past that within the dozens of games.
    if (failure.empty() && laterMax > warmMax + 32 * 1024)
        failure = "heap grew after the first games";
    if (!failure.empty()) {
        std::printf("SOAK FAILED: %s\n", failure.c_str());
        return 1;
    }
    std::printf("SOAK PASSED\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
#if !defined(__SANITIZE_ADDRESS__)
    // The allocator's per-thread caches keep freed blocks counted as in use, and fill slowly: without
    // them the heap figure is the program's own. Tunables are read at start, hence the new start.
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    if (!tunables || !std::strstr(tunables, "tcache_count")) {
        std::string value =
            std::string(tunables ? tunables : "") + (tunables ? ":" : "") + "glibc.malloc.tcache_count=0";
        ::setenv("GLIBC_TUNABLES", value.c_str(), 1);
        ::execv("/proc/self/exe", argv);
        // Without a new start the figure only counts the caches' blocks too.
    }
#endif
    auto options = parse(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: simulator_soak [--minutes N | --hours N] [--seed S] [--no-window] [--verbose] "
                     "[--dashboard-every GAMES] [--choice-every GAMES]\n");
        return 2;
    }
    if (!options->window)
        return soak(*options);
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    return soak(*options);
}
