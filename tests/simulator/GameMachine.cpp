#include "GameMachine.h"

#include "board/BoardIo.h"
#include "board/Outputs.h"
#include "config/Accounting.h"
#include "config/Credits.h"
#include "config/ParameterStore.h"
#include "display/ReelBank.h"
#include "display/ScreenMapping.h"
#include "runtime/GameServe.h"
#include "runtime/GameStart.h"
#include "runtime/MainLoop.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace pinstage::test {

namespace {
std::filesystem::path freshGameRoot() {
    static std::atomic<int> serial{0};
    auto dir = std::filesystem::temp_directory_path() /
               ("pinstage-simgame-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::filesystem::remove_all(dir);
    return dir;
}
} // namespace

void ClockHost::idleWait(Machine&) {
    clock_.advance(1);
    if (realTimeWaits)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

GameMachine::GameMachine(int credits) : rootDir(freshGameRoot()), m(clock, DataRoot(rootDir)) {
    m.root.ensureDirectories();
    fullLoad(m.root, 0, m.params, nullptr);
    m.params.accounting.creditUnits = uint8_t(credits % 10);
    m.params.accounting.creditTens = uint8_t(credits / 10 % 10);
    saveAccounting(accountingFileOf(m.root, m.params), m.params.accounting);
    m.credits = creditDigits(m.params.accounting);

    buildOutputs(m.outputs, m.params.coils, m.params.lamps);
    if (!openBoard(m.io, board))
        throw std::runtime_error("simulated board did not open");
    m.reels.build(m.params.fronton, DesignMapping::fromLayout(ScreenSize{1360, 768}, m.params.fronton),
                  ReelSounds{});
    for (int e = 0; e < element::kCount; ++e)
        m.symbols[size_t(e)] = &placements[size_t(e)];
    if (Compteur* c = m.reels.counter(ReelBank::kCreditCounter))
        c->showValueAtOnce(m.credits.value());
    m.hooks.attachHost(host);
    m.rt.mainLoopRunning = 1;
    armDirectCoils(m);
    connectReelsToGame(m);
}

GameMachine::~GameMachine() {
    m.reels.onBallScored = nullptr;
    std::error_code ec;
    std::filesystem::remove_all(rootDir, ec);
}

void GameMachine::turn() {
    clock.advance(1);
    loopTurn(m);
}

void GameMachine::run(uint32_t ms) {
    uint32_t end = clock.now() + ms;
    while (int32_t(end - clock.now()) > 0)
        turn();
}

bool GameMachine::runUntil(const std::function<bool()>& done, uint32_t maxMs) {
    uint32_t start = clock.now();
    while (!done()) {
        if (clock.now() - start > maxMs)
            return false;
        turn();
    }
    return true;
}

int64_t GameMachine::reelScore(int player) const {
    return m.reels.counterValue(player, 7);
}

bool GameMachine::reelsStill() const {
    for (int c = 0; c < ReelBank::kCounterCount; ++c)
        if (const Compteur* counter = m.reels.counter(c); counter && !counter->idle())
            return false;
    return true;
}

int GameMachine::creditsInFile() const {
    AccountingRecord r;
    loadAccounting(accountingFileOf(m.root, m.params), r);
    return credits(r);
}

} // namespace pinstage::test
