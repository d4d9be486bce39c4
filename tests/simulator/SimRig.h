// The simulated board opened as the program opens it, with a manual clock, and the playfield on
// it: what the simulator's Qt-free tests drive.
#pragma once

#include "board/BoardIo.h"
#include "board/SimulatedBoard.h"
#include "platform/Clock.h"
#include "simulator/SmartPlayfield.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace pinstage::test {

class SimRig : public ::testing::Test {
protected:
    ManualClock clock{1000};
    SimulatedBoard board{clock};
    BoardIo io;

    void SetUp() override { ASSERT_TRUE(openBoard(io, board)); }

    // The machine energises one coil bit (ports 3-5, active low), as the coil engine sends it.
    void energise(int bit) {
        uint8_t port = uint8_t(0xFF & ~(1u << (bit % 8)));
        ASSERT_TRUE(writePort(io, 3 + bit / 8, port));
    }
    void releaseCoils() {
        for (int k = 0; k < 3; ++k)
            ASSERT_TRUE(writePort(io, 3 + k, 0xFF));
    }
    // One pulse of a coil as the playfield sees it: energised, noticed, released.
    void pulseCoil(SmartPlayfield& pf, int bit) {
        energise(bit);
        pf.outputsChanged();
        clock.advance(30);
        releaseCoils();
        pf.outputsChanged();
    }
    // Time passes in steps, the playfield ticking at each.
    void run(SmartPlayfield& pf, uint32_t ms, uint32_t step = 1) {
        for (uint32_t t = 0; t < ms; t += step) {
            clock.advance(step);
            pf.tick(clock.now());
        }
    }
};

} // namespace pinstage::test
