#include "WindowRig.h"

#include "board/SwitchScan.h"
#include "config/CoilsParams.h"
#include "config/ContactsParams.h"
#include "config/LampsParams.h"

#include <unistd.h>

#include <atomic>

namespace pinstage::test {

std::filesystem::path freshDataRoot(const char* what) {
    static std::atomic<int> serial{0};
    auto dir =
        std::filesystem::temp_directory_path() /
        (std::string("pinstage-") + what + "-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::filesystem::remove_all(dir);
    return dir;
}

WindowRig::WindowRig() : rootDir(freshDataRoot("sim")), m(clock, DataRoot(rootDir)) {
    m.params.contacts = defaultContacts();
    m.params.coils = defaultCoils();
    m.params.lamps = defaultLamps();
    buildOutputs(m.outputs, m.params.coils, m.params.lamps);
    EXPECT_TRUE(openBoard(m.io, board));
}

WindowRig::~WindowRig() {
    window.reset();
    std::error_code ec;
    std::filesystem::remove_all(rootDir, ec);
}

void WindowRig::makeWindow(SimulatorOptions options) {
    if (!options.quit)
        options.quit = [this] { ++quits; };
    window = std::make_unique<PlayfieldSimulator>(m, board, std::move(options));
    scanAll();
}

void WindowRig::scanAll() {
    while (board.pendingReports(kSpecialInterface) > 0)
        scanMatrix(m.switches, m.io, m.outputs, clock);
    while (board.pendingReports(kPortInterface) > 0)
        scanDirectSwitches(m.switches, m.io, m.outputs, clock);
}

void WindowRig::readBoard() {
    // The work the board runs before each read, without taking a report from the machine.
    window->driver().poll(clock.now());
}

void WindowRig::runMs(uint32_t ms) {
    for (uint32_t t = 0; t < ms; ++t) {
        clock.advance(1);
        readBoard();
    }
}

} // namespace pinstage::test
