// Soak run of the simulator: the random ball plays game after game, with coins and starts made
// automatically, for a stretch of simulated time on the manual clock, through the simulator window
// (offscreen) or without it. It checks the machine's state at every turn, that games keep
// finishing, that the credits in memory match the file, and that the heap in use does not grow
// from one game over to the next after the first game. Exit code 0 when all held.
//
//   simulator_soak [--minutes N] [--seed S] [--no-window] [--verbose]
#include "GameMachine.h"
#include "platform/PinError.h"
#include "runtime/MachineOps.h"
#include "simulator/PlayfieldDriver.h"
#include "simulator/PlayfieldSimulator.h"

#include <QApplication>
#include <QPixmapCache>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

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

int soak(const Options& o) {
    test::GameMachine g(0);
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
    size_t baseline = 0, lastHeap = 0, maxHeap = 0, warmMax = 0, laterMax = 0;
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
                (gamesOver <= 3 ? warmMax : laterMax) = std::max(gamesOver <= 3 ? warmMax : laterMax, heap);
                if (o.verbose)
                    std::printf("game %u over at %.1f min: heap %zu bytes\n", gamesOver,
                                (g.clock.now() - start) / 60000.0, heap);
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
    std::printf("credits %02d in memory, %02d in the file\n", g.m.credits.value(), g.creditsInFile());

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
    auto options = parse(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: simulator_soak [--minutes N] [--seed S] [--no-window] [--verbose]\n");
        return 2;
    }
    if (!options->window)
        return soak(*options);
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    return soak(*options);
}
