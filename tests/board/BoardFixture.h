// A machine's board side on the simulated board, with a manual clock and the default outputs.
#pragma once

#include "DefaultPlayfield.h"
#include "board/In_out_usb_2023.h"
#include "board/SimulatedBoard.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <vector>

namespace pinstage::test {

class BoardFixture : public ::testing::Test {
protected:
    ManualClock clock{1000};
    SimulatedBoard board{clock};
    BoardIo io;
    SwitchState sw;
    Outputs out;

    void SetUp() override { buildOutputs(out, defaultCoils(), defaultLamps()); }

    void openAndClearLog() {
        ASSERT_TRUE(openBoard(io, board));
        board.clearLog();
    }
    // One main-loop pass of the engines.
    void engines() {
        runCoilEngine(out, io, clock);
        runLampEngine(out, io, clock);
    }
    // Reports received on one interface, oldest first.
    std::vector<ReceivedReport> received(int interface) const {
        std::vector<ReceivedReport> r;
        for (const auto& rep : board.receivedReports())
            if (rep.interface == interface)
                r.push_back(rep);
        return r;
    }
};

} // namespace pinstage::test
