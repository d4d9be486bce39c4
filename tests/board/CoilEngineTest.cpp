#include "BoardFixture.h"
#include "platform/PinError.h"

#include <gmock/gmock.h>

using namespace pinstage;
using namespace pinstage::test;

namespace {

struct Pulse {
    uint32_t on, off;
};

class CoilEngine : public BoardFixture {
protected:
    void SetUp() override {
        BoardFixture::SetUp();
        openAndClearLog();
    }
    // Runs the engines once per millisecond and notes every pulse the board gives the coil.
    std::vector<Pulse> watch(int coil, uint32_t ms) {
        std::vector<Pulse> pulses;
        bool was = board.coilEnergised(coil);
        for (uint32_t i = 0; i < ms; ++i) {
            engines();
            bool is = board.coilEnergised(coil);
            if (is && !was)
                pulses.push_back({clock.now(), 0});
            if (!is && was && !pulses.empty())
                pulses.back().off = clock.now();
            was = is;
            clock.advance(1);
        }
        return pulses;
    }
};

} // namespace

TEST_F(CoilEngine, KickingPulseComesAtOnceAndEndsAfterItsPulseTime) {
    coilPulse(out, 10);
    EXPECT_EQ(out.coilPort[1], 0xFB);      // the shadow at once
    EXPECT_FALSE(board.coilEnergised(10)); // the board only at the engine run
    runCoilEngine(out, io, clock);
    EXPECT_EQ(board.portOutput(4), 0xFB);
    clock.advance(30);
    runCoilEngine(out, io, clock);
    EXPECT_TRUE(board.coilEnergised(10)); // 30 ms is not more than 30 ms
    clock.advance(1);
    runCoilEngine(out, io, clock);
    EXPECT_EQ(board.portOutput(4), 0xFF);
    EXPECT_EQ(out.coilRequest[1], 0);
    EXPECT_EQ(out.lastRelease[10], 1031u);
    auto ports = received(kPortInterface);
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0].time, 1000u);
    EXPECT_EQ(ports[1].time, 1031u);
}

TEST_F(CoilEngine, NextPulseWaitsForTheRestTime) {
    coilPulse(out, 10);
    watch(10, 40); // pulse 1000-1031
    coilPulse(out, 10);
    auto pulses = watch(10, 100);
    ASSERT_EQ(pulses.size(), 1u);
    EXPECT_EQ(pulses[0].on, 1052u); // first time beyond 1031 + 20
    EXPECT_EQ(pulses[0].off, 1083u);
}

TEST_F(CoilEngine, RepeatCountTwoGivesThreePulsesSeparatedByTheRestTime) {
    out.coils[10].repeat = 2;
    coilPulse(out, 10);
    auto pulses = watch(10, 400);
    ASSERT_EQ(pulses.size(), 3u);
    for (size_t i = 0; i < pulses.size(); ++i) {
        EXPECT_EQ(pulses[i].off - pulses[i].on, 31u);
        if (i > 0) {
            EXPECT_GE(pulses[i].on - pulses[i - 1].off, 20u);
        }
    }
    EXPECT_EQ(out.coils[10].repeat, 0);
    EXPECT_EQ(out.coilRequest[1], 0);
}

TEST_F(CoilEngine, HeldFlipperRelayStaysOnUntilSwitchedOff) {
    coilHold(out, 2);
    EXPECT_EQ(out.coils[2].switchedOn, 1);
    watch(2, 1000);
    EXPECT_TRUE(board.coilEnergised(2));
    EXPECT_EQ(received(kPortInterface).size(), 1u); // written once, then left alone
    coilOff(out, 2);
    EXPECT_EQ(out.coils[2].switchedOn, 0);
    runCoilEngine(out, io, clock);
    EXPECT_FALSE(board.coilEnergised(2));
    EXPECT_EQ(board.portOutput(3), 0xFF);
}

TEST_F(CoilEngine, ReleaseOfAHoldWaitsForThePulseTimeAfterItWasSent) {
    coilHold(out, 2);
    runCoilEngine(out, io, clock); // sent at 1000
    clock.advance(10);
    coilOff(out, 2);
    auto pulses = watch(2, 100);
    EXPECT_TRUE(pulses.empty());
    auto ports = received(kPortInterface);
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[1].time, 1081u);
    EXPECT_EQ(ports[1].bytes[4], 0xFF);
}

TEST_F(CoilEngine, CoilWithoutAutoReleaseKeepsPulsingUntilOff) {
    coilPulse(out, 0); // "Tilt relay": rest 80, pulse 80, auto-release 0
    auto pulses = watch(0, 400);
    ASSERT_EQ(pulses.size(), 3u);
    EXPECT_EQ(pulses[1].on - pulses[0].off, 81u);
    coilOff(out, 0);
    auto after = watch(0, 400);
    EXPECT_TRUE(after.empty());
    EXPECT_FALSE(board.coilEnergised(0));
}

TEST_F(CoilEngine, CoilInItsRestIsNotDrivenByANeighboursWrite) {
    coilPulse(out, 10);
    watch(10, 35); // pulse 1000-1031, now 1035
    coilPulse(out, 10);
    coilPulse(out, 11);
    runCoilEngine(out, io, clock);
    EXPECT_TRUE(board.coilEnergised(11));
    EXPECT_FALSE(board.coilEnergised(10)); // still resting until 1051
    EXPECT_EQ(board.portOutput(4), 0xF7);
    clock.set(1052);
    runCoilEngine(out, io, clock);
    EXPECT_TRUE(board.coilEnergised(10));
    EXPECT_EQ(board.portOutput(4), 0xF3);
}

TEST_F(CoilEngine, DelayedSinglePulseKicksAfterItsRestOnly) {
    Sortie& kicker = out.coils[5];
    kicker.autoRelease = 1;
    kicker.repeat = 1;
    kicker.activatedAt = 1;
    kicker.restMs = 500;
    coilPulse(out, kicker);
    auto pulses = watch(5, 1200);
    ASSERT_EQ(pulses.size(), 1u);
    EXPECT_EQ(pulses[0].on, 1501u);
    EXPECT_EQ(pulses[0].off, 1582u);
    EXPECT_EQ(out.coilRequest[0], 0);
    for (const auto& r : received(kPortInterface))
        if (r.time < 1501) {
            EXPECT_TRUE(r.bytes[4] & 0x20) << r.time;
        }
}

TEST_F(CoilEngine, ShortPortWriteRaises) {
    coilPulse(out, 9);
    board.failWrites(kPortInterface, 1);
    try {
        runCoilEngine(out, io, clock);
        FAIL();
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), "erreur d'écriture");
    }
    // The release, too.
    clock.advance(81);
    board.failWrites(kPortInterface, 1);
    EXPECT_THROW(runCoilEngine(out, io, clock), PinError);
    runCoilEngine(out, io, clock); // tried again on the next pass
    EXPECT_FALSE(board.coilEnergised(9));
}

TEST_F(CoilEngine, CoilWithImpossibleByteOrMaskIsInert) {
    Sortie& badByte = out.coils[12];
    badByte.byteIndex = 3;
    Sortie& badMask = out.coils[13];
    badMask.mask = 0x30;
    Sortie& noMask = out.coils[14];
    noMask.mask = 0;
    auto port = out.coilPort;
    for (Sortie* s : {&badByte, &badMask, &noMask}) {
        coilPulse(out, *s);
        coilHold(out, *s);
        EXPECT_EQ(s->switchedOn, 0);
    }
    EXPECT_EQ(out.coilPort, port);
    EXPECT_EQ(out.coilRequest, (std::array<uint8_t, 3>{0, 0, 0}));
    watch(12, 200);
    EXPECT_EQ(received(kPortInterface).size(), 0u);
}

TEST_F(CoilEngine, CoilNumbersOutsideTheTableDoNothing) {
    coilPulse(out, 24);
    coilPulse(out, -1);
    coilHold(out, 99);
    coilOff(out, -5);
    EXPECT_EQ(out.coilPort, (std::array<uint8_t, 3>{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(out.coilRequest, (std::array<uint8_t, 3>{0, 0, 0}));
}

TEST_F(CoilEngine, PulseStartingAtTimeZeroIsStillReleased) {
    clock.set(0);
    out.lastRelease[10] = uint32_t(0) - 100; // released 100 ms before the clock wrapped
    coilPulse(out, 10);
    runCoilEngine(out, io, clock);
    EXPECT_TRUE(board.coilEnergised(10));
    EXPECT_NE(out.coils[10].activatedAt, 0u);
    clock.set(29);
    runCoilEngine(out, io, clock);
    EXPECT_TRUE(board.coilEnergised(10));
    clock.set(30);
    runCoilEngine(out, io, clock);
    EXPECT_FALSE(board.coilEnergised(10));
}

TEST(CoilEngineWithoutBoard, RunsOnTheShadowsAndSendsNothing) {
    ManualClock clock;
    SimulatedBoard board(clock);
    board.setPresent(false);
    BoardIo io;
    Outputs out;
    buildOutputs(out, defaultCoils(), defaultLamps());
    EXPECT_FALSE(openBoard(io, board));
    coilPulse(out, 10);
    runCoilEngine(out, io, clock);
    EXPECT_EQ(out.coils[10].activatedAt, 1000u);
    clock.advance(31);
    runCoilEngine(out, io, clock);
    EXPECT_EQ(out.coils[10].activatedAt, 0u);
    EXPECT_EQ(out.coilPort[1], 0xFF);
    EXPECT_EQ(board.receivedCount(), 0u);
}
