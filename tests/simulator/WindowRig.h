// A machine with the default playfield records, the simulated board opened on a manual clock, and
// the simulator window on them: what the window and keyboard tests drive.
#pragma once

#include "board/BoardIo.h"
#include "board/SimulatedBoard.h"
#include "runtime/Machine.h"
#include "simulator/PlayfieldSimulator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace pinstage::test {

std::filesystem::path freshDataRoot(const char* what);

class WindowRig : public ::testing::Test {
protected:
    WindowRig();
    ~WindowRig() override;

    void makeWindow(SimulatorOptions options = {});
    // Reads every queued matrix and port report into the machine's switch state.
    void scanAll();
    // The simulator's work of one board read.
    void readBoard();
    // Time passes in 1 ms steps with a board read at each.
    void runMs(uint32_t ms);

    ManualClock clock{1000};
    std::filesystem::path rootDir;
    Machine m;
    SimulatedBoard board{clock};
    std::unique_ptr<PlayfieldSimulator> window;
    int quits = 0;
};

} // namespace pinstage::test
