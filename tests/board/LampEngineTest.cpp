#include "BoardFixture.h"

#include <gmock/gmock.h>

using namespace pinstage;
using namespace pinstage::test;

namespace {

class LampEngine : public BoardFixture {
protected:
    void SetUp() override {
        BoardFixture::SetUp();
        openAndClearLog();
    }
    std::vector<ReceivedReport> lampReports() const {
        std::vector<ReceivedReport> r;
        for (const auto& rep : received(kSpecialInterface))
            if (rep.bytes[0] == 0x15)
                r.push_back(rep);
        return r;
    }
};

struct Span {
    uint32_t on, off;
};

} // namespace

TEST_F(LampEngine, LampNineLitGoesToByteTenOfBlockZero) {
    lampOn(out, 9);
    EXPECT_EQ(out.litBytes[1], 0x02);
    EXPECT_EQ(out.lamps[9].lit, 1);
    runLampEngine(out, io, clock);
    auto reps = lampReports();
    ASSERT_EQ(reps.size(), 2u);
    EXPECT_EQ(reps[0].length, 64);
    EXPECT_EQ(reps[0].bytes[1], 0);
    EXPECT_EQ(reps[1].bytes[1], 1);
    std::array<uint8_t, 64> expected0{};
    expected0[0] = 0x15;
    expected0[10] = 0x02;
    EXPECT_EQ(reps[0].bytes, expected0);
    std::array<uint8_t, 64> expected1{};
    expected1[0] = 0x15;
    expected1[1] = 1;
    EXPECT_EQ(reps[1].bytes, expected1);
    EXPECT_TRUE(board.lampLit(9));
    EXPECT_EQ(board.lampBytes(), (std::array<uint8_t, 8>{0, 0x02, 0, 0, 0, 0, 0, 0}));
}

TEST_F(LampEngine, LampBytesLandEightApartInTheirBlock) {
    for (int n : {0, 15, 23, 31, 32, 47, 63})
        lampOn(out, n);
    runLampEngine(out, io, clock);
    auto reps = lampReports();
    ASSERT_EQ(reps.size(), 2u);
    EXPECT_EQ(reps[0].bytes[2], 0x01);
    EXPECT_EQ(reps[0].bytes[10], 0x80);
    EXPECT_EQ(reps[0].bytes[18], 0x80);
    EXPECT_EQ(reps[0].bytes[26], 0x80);
    EXPECT_EQ(reps[1].bytes[2], 0x01);
    EXPECT_EQ(reps[1].bytes[10], 0x80);
    EXPECT_EQ(reps[1].bytes[26], 0x80);
    EXPECT_EQ(board.lampBytes(), (std::array<uint8_t, 8>{0x01, 0x80, 0x80, 0x80, 0x01, 0x80, 0, 0x80}));
}

TEST_F(LampEngine, UnchangedLampsAreSentAgainAfter100MsAndNotBefore) {
    lampOn(out, 3);
    runLampEngine(out, io, clock); // sent at 1000
    for (int i = 0; i < 100; ++i) {
        clock.advance(1);
        runLampEngine(out, io, clock);
    }
    EXPECT_EQ(lampReports().size(), 2u);
    clock.advance(1);
    runLampEngine(out, io, clock);
    auto reps = lampReports();
    ASSERT_EQ(reps.size(), 4u);
    EXPECT_EQ(reps[2].time, 1101u);
    EXPECT_EQ(reps[2].bytes[2], 0x08);
}

TEST_F(LampEngine, ChangedLampsAreSentAtOnce) {
    runLampEngine(out, io, clock);
    clock.advance(5);
    runLampEngine(out, io, clock);
    EXPECT_EQ(lampReports().size(), 2u);
    lampOn(out, 40);
    runLampEngine(out, io, clock);
    EXPECT_EQ(lampReports().size(), 4u);
    EXPECT_TRUE(board.lampLit(40));
    clock.advance(1);
    lampOff(out, 40);
    runLampEngine(out, io, clock);
    EXPECT_EQ(lampReports().size(), 6u);
    EXPECT_FALSE(board.lampLit(40));
}

TEST_F(LampEngine, BlinkingLampWithThreeCyclesBlinksThreeTimesAndGoesOut) {
    VoyantLed& lamp = out.lamps[20];
    lamp.onMs = 100;
    lamp.offMs = 200;
    lamp.flags = kLampBlinking | (3 * kLampCycleUnit);
    out.litBytes[2] |= 0x10; // lit without being switched on: a counted blink
    std::vector<Span> spans;
    bool was = false;
    for (int i = 0; i < 3000; ++i) {
        runLampEngine(out, io, clock);
        bool is = board.lampLit(20);
        if (is && !was)
            spans.push_back({clock.now(), 0});
        if (!is && was)
            spans.back().off = clock.now();
        was = is;
        clock.advance(1);
    }
    ASSERT_EQ(spans.size(), 3u);
    for (size_t i = 0; i < spans.size(); ++i) {
        EXPECT_EQ(spans[i].off - spans[i].on, 101u);
        if (i > 0) {
            EXPECT_EQ(spans[i].on - spans[i - 1].off, 201u);
        }
    }
    EXPECT_FALSE(board.lampLit(20));
    EXPECT_EQ(out.litBytes[2] & 0x10, 0);
    EXPECT_EQ(lamp.flags & (kLampBlinking | kLampCycleMask), 0);
}

TEST_F(LampEngine, LampSwitchedOnAndBlinkingBlinksOnAndOn) {
    VoyantLed& lamp = out.lamps[5];
    lampOn(out, lamp);
    lamp.onMs = 50;
    lamp.offMs = 50;
    lamp.flags = kLampBlinking;
    int rises = 0;
    bool was = false;
    for (int i = 0; i < 2000; ++i) {
        runLampEngine(out, io, clock);
        bool is = board.lampLit(5);
        rises += is && !was;
        was = is;
        clock.advance(1);
    }
    EXPECT_GE(rises, 18);
    EXPECT_EQ(lamp.lit, 1);
    EXPECT_TRUE(out.litBytes[0] & 0x20);
}

TEST_F(LampEngine, SwitchingKeepsOnlyThePhaseBits) {
    VoyantLed& lamp = out.lamps[7];
    lamp.flags = 0xFF;
    lampOn(out, lamp);
    EXPECT_EQ(lamp.flags, 0x0B);
    lamp.flags = 0xF6;
    lampOff(out, lamp);
    EXPECT_EQ(lamp.flags, 0x02);
    EXPECT_EQ(lamp.lit, 0);
    EXPECT_EQ(out.litBytes[0], 0);
}

TEST_F(LampEngine, SwitchedOnLampStopsBlinking) {
    VoyantLed& lamp = out.lamps[30];
    lamp.flags = kLampBlinking | 0x50;
    lamp.onMs = lamp.offMs = 10;
    lampOn(out, lamp);
    for (int i = 0; i < 200; ++i) {
        runLampEngine(out, io, clock);
        ASSERT_TRUE(board.lampLit(30)) << i;
        clock.advance(1);
    }
}

TEST_F(LampEngine, LampWithImpossibleByteOrMaskIsInert) {
    out.lamps[12].byteIndex = 8;
    out.lamps[13].mask = 0x06;
    out.lamps[14].byteIndex = 200;
    for (int n : {12, 13, 14})
        lampOn(out, n);
    EXPECT_EQ(out.litBytes, (std::array<uint8_t, 8>{}));
    EXPECT_EQ(out.lamps[12].lit, 0);
    lampOn(out, 64);
    lampOn(out, -1);
    lampOff(out, 1000);
    EXPECT_EQ(out.litBytes, (std::array<uint8_t, 8>{}));
}

TEST_F(LampEngine, OtherReportBytesKeepTheirContent) {
    io.special[3] = 0x5A; // whatever the buffer held before
    lampOn(out, 0);
    runLampEngine(out, io, clock);
    auto reps = lampReports();
    ASSERT_EQ(reps.size(), 2u);
    EXPECT_EQ(reps[0].bytes[3], 0x5A);
    EXPECT_EQ(reps[1].bytes[3], 0x5A);
}

TEST(LampEngineWithoutBoard, WorksOutBlinkingAndSendsNothing) {
    ManualClock clock;
    SimulatedBoard board(clock);
    board.setPresent(false);
    BoardIo io;
    Outputs out;
    buildOutputs(out, defaultCoils(), defaultLamps());
    EXPECT_FALSE(openBoard(io, board));
    lampOn(out, 9);
    runLampEngine(out, io, clock);
    EXPECT_EQ(out.visibleBytes[1], 0x02);
    EXPECT_EQ(board.receivedCount(), 0u);
}
