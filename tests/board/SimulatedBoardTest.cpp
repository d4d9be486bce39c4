#include "board/SimulatedBoard.h"
#include "board/BoardModel.h"

#include <gmock/gmock.h>

using namespace pinstage;

namespace {

class Sim : public ::testing::Test {
protected:
    ManualClock clock{500};
    SimulatedBoard board{clock};

    void SetUp() override { ASSERT_EQ(board.open(), SimulatedBoard::kHandle); }

    std::array<uint8_t, 64> special(uint8_t id, uint8_t b1) {
        std::array<uint8_t, 64> r{};
        r[0] = id;
        r[1] = b1;
        return r;
    }
    int send(int iface, std::span<const uint8_t> r) { return board.write(SimulatedBoard::kHandle, iface, r); }
    int take(int iface, std::array<uint8_t, 64>& buf) {
        return board.read(SimulatedBoard::kHandle, iface, std::span(buf.data(), iface == 0 ? 8 : 64));
    }
    void enableMatrix() {
        auto r = special(0x18, 1);
        ASSERT_EQ(send(1, r), 64);
    }
};

} // namespace

TEST_F(Sim, MatrixReportsOnlyOnceEnabledThenOnEveryChange) {
    board.setSwitch(12, true);
    EXPECT_EQ(board.pendingReports(1), 0u);
    enableMatrix();
    std::array<uint8_t, 64> buf{};
    ASSERT_EQ(take(1, buf), 64);
    EXPECT_EQ(buf[0], 0x19);
    EXPECT_EQ(buf[2], 0x10); // contact 12: strobe 1, return 4

    board.setSwitch(12, true); // no change, no report
    EXPECT_EQ(board.pendingReports(1), 0u);
    board.pulse(63);
    EXPECT_EQ(board.pendingReports(1), 2u);
    take(1, buf);
    EXPECT_EQ(buf[8], 0x80);
    take(1, buf);
    EXPECT_EQ(buf[8], 0x00);
    board.requestMatrixReport();
    EXPECT_EQ(take(1, buf), 64);
    EXPECT_EQ(take(1, buf), 0);
}

TEST_F(Sim, DirectSwitchesPullTheirPinsLow) {
    std::array<uint8_t, 64> buf{};
    board.setSwitch(65, true);
    ASSERT_EQ(take(0, buf), 8);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(buf[7], 0x7F);
    board.setSwitch(70, true);
    take(0, buf);
    EXPECT_EQ(buf[2], 0xBF);
    EXPECT_EQ(board.portInput(1), 0xBF);
    board.setSwitch(66, true);
    EXPECT_EQ(board.portInput(1), 0xBB);
    EXPECT_TRUE(board.switchClosed(66));
    board.setSwitch(72, true);
    board.setSwitch(-1, true);
    EXPECT_FALSE(board.switchClosed(72));
}

TEST_F(Sim, PinHeldLowByTheProgramHidesItsSwitch) {
    std::array<uint8_t, 8> ports{0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    ASSERT_EQ(send(0, ports), 8);
    std::array<uint8_t, 64> buf{};
    ASSERT_EQ(take(0, buf), 8); // port 6 went low
    board.setSwitch(64, true);
    EXPECT_EQ(board.pendingReports(0), 0u);
}

TEST_F(Sim, PortWritesDriveTheOutputsAndCoils) {
    int changes = 0;
    board.onOutputsChanged = [&] { ++changes; };
    std::array<uint8_t, 8> ports{0, 0xFF, 0xFF, 0xFF, 0xFE, 0x7F, 0xFF, 0xFF};
    EXPECT_EQ(send(0, ports), 8);
    EXPECT_EQ(board.portOutput(3), 0xFE);
    EXPECT_TRUE(board.coilEnergised(0));
    EXPECT_TRUE(board.coilEnergised(15));
    EXPECT_FALSE(board.coilEnergised(1));
    EXPECT_FALSE(board.coilEnergised(24));
    EXPECT_EQ(changes, 1);
    send(0, ports);
    EXPECT_EQ(changes, 1); // same outputs: no notice
}

TEST_F(Sim, LampDataNeedsTheLampMatrixAndAKnownBlock) {
    auto lamps = special(0x15, 0);
    lamps[10] = 0x02;
    send(1, lamps);
    EXPECT_FALSE(board.lampLit(9));
    auto on = special(0x14, 1);
    send(1, on);
    int changes = 0;
    board.onOutputsChanged = [&] { ++changes; };
    send(1, lamps);
    EXPECT_TRUE(board.lampLit(9));
    EXPECT_EQ(board.lampBlock(0)[10], 0x02);
    auto stray = special(0x15, 2);
    stray[2] = 0xFF;
    send(1, stray);
    EXPECT_EQ(board.lampBytes(), (std::array<uint8_t, 8>{0, 0x02, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(changes, 1);
}

TEST_F(Sim, WrongLengthsAndInjectedFailuresAreRefusedAndLogged) {
    std::array<uint8_t, 7> shortPorts{};
    EXPECT_EQ(send(0, shortPorts), 0);
    std::array<uint8_t, 8> idPorts{5, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(send(0, idPorts), 0);
    EXPECT_EQ(board.portOutput(3), 0xFF);
    board.failWrites(1, 2);
    auto on = special(0x18, 1);
    EXPECT_EQ(send(1, on), 0);
    EXPECT_EQ(send(1, on), 0);
    EXPECT_FALSE(board.switchMatrixEnabled());
    EXPECT_EQ(send(1, on), 64);
    auto log = board.receivedReports();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_FALSE(log[0].accepted);
    EXPECT_EQ(log[0].length, 7);
    EXPECT_FALSE(log[3].accepted);
    EXPECT_TRUE(log[4].accepted);
    EXPECT_EQ(log[4].time, 500u);
}

TEST_F(Sim, ShortenedReadGivesPartOfTheReport) {
    enableMatrix();
    board.shortenNextRead(1, 10);
    std::array<uint8_t, 64> buf{};
    EXPECT_EQ(take(1, buf), 10);
    EXPECT_EQ(board.pendingReports(1), 0u);
    board.requestMatrixReport();
    EXPECT_EQ(take(1, buf), 64);
}

TEST_F(Sim, FullQueueLosesItsOldestReport) {
    enableMatrix();
    for (int i = 0; i < 100; ++i)
        board.setSwitch(0, i % 2 == 0);
    EXPECT_EQ(board.pendingReports(1), SimulatedBoard::kQueueCapacity);
    std::array<uint8_t, 64> buf{};
    take(1, buf);
    // 101 reports were queued (the enable, then 100 changes); the oldest kept is the 38th, which
    // followed the 37th change: contact 0 closed.
    EXPECT_EQ(buf[1], 0x01);
}

TEST_F(Sim, LogKeepsTheLastReportsWithinItsCapacity) {
    SimulatedBoard small(clock, kIoWarrior56, 3);
    small.open();
    for (uint8_t v = 0; v < 5; ++v) {
        std::array<uint8_t, 8> ports{0, v, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        clock.advance(1);
        small.write(SimulatedBoard::kHandle, 0, ports);
    }
    EXPECT_EQ(small.receivedCount(), 5u);
    auto log = small.receivedReports();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].bytes[1], 2);
    EXPECT_EQ(log[2].bytes[1], 4);
    EXPECT_EQ(log[2].time, 505u);
    small.clearLog();
    EXPECT_TRUE(small.receivedReports().empty());
}

TEST_F(Sim, ScriptHookRunsAtEveryReadWithTheTime) {
    enableMatrix();
    std::array<uint8_t, 64> buf{};
    take(1, buf);
    std::vector<uint32_t> seen;
    board.beforeRead = [&](uint32_t now) {
        seen.push_back(now);
        if (now == 510)
            board.setSwitch(30, true);
    };
    EXPECT_EQ(take(1, buf), 0);
    clock.set(510);
    EXPECT_EQ(take(1, buf), 64);
    EXPECT_EQ(buf[4], 0x40);
    EXPECT_EQ(seen, (std::vector<uint32_t>{500, 510}));
}

TEST_F(Sim, ClosedOrAbsentBoardAnswersNothing) {
    std::array<uint8_t, 8> ports{};
    EXPECT_EQ(board.write(99, 0, ports), 0);
    EXPECT_EQ(board.write(SimulatedBoard::kHandle, 2, ports), 0);
    board.close(SimulatedBoard::kHandle);
    EXPECT_EQ(board.write(SimulatedBoard::kHandle, 0, ports), 0);
    EXPECT_EQ(board.count(), 0);
    board.setPresent(false);
    EXPECT_EQ(board.open(), 0u);
    EXPECT_EQ(board.handle(1), 0u);
}

TEST_F(Sim, ModelDecidesTheReportSizes) {
    board.setProductId(kIoWarrior24);
    EXPECT_EQ(board.productId(SimulatedBoard::kHandle), kIoWarrior24);
    std::array<uint8_t, 3> ports{0, 0xFE, 0xFF};
    EXPECT_EQ(send(0, ports), 3);
    EXPECT_EQ(board.portOutput(0), 0xFE);
    std::array<uint8_t, 8> on{0x18, 1};
    EXPECT_EQ(send(1, on), 8);
    std::array<uint8_t, 64> buf{};
    EXPECT_EQ(take(1, buf), 8);
}
