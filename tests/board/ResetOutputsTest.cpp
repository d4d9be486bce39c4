#include "BoardFixture.h"

#include <gmock/gmock.h>

using namespace pinstage;
using namespace pinstage::test;

namespace {

class ResetAll : public BoardFixture {
protected:
    void SetUp() override {
        BoardFixture::SetUp();
        openAndClearLog();
    }
};

} // namespace

TEST_F(ResetAll, LeavesCoilPortsReleasedAndTheLampMatrixDark) {
    coilHold(out, 2);
    coilPulse(out, 16);
    for (int n : {0, 9, 33, 63})
        lampOn(out, n);
    sw.dryInputs = 0x81;
    engines();
    ASSERT_TRUE(board.coilEnergised(2));
    ASSERT_TRUE(board.coilEnergised(16));
    clock.advance(200);
    engines();
    board.clearLog();

    resetOutputs(out, io, sw, clock);
    for (int p : {3, 4, 5})
        EXPECT_EQ(board.portOutput(p), 0xFF) << p;
    EXPECT_EQ(out.coilPort, (std::array<uint8_t, 3>{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(out.coilRequest, (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(out.litBytes, (std::array<uint8_t, 8>{}));
    EXPECT_EQ(out.visibleBytes, (std::array<uint8_t, 8>{}));
    EXPECT_EQ(sw.dryInputs, 0);
    EXPECT_EQ(out.coils[2].switchedOn, 0);
    for (const auto& lamp : out.lamps)
        EXPECT_EQ(lamp.lit, 0);

    int lampReports = 0;
    for (const auto& r : received(kSpecialInterface)) {
        if (r.bytes[0] != 0x15)
            continue;
        ++lampReports;
        for (int at : {2, 10, 18, 26})
            EXPECT_EQ(r.bytes[size_t(at)], 0) << at;
    }
    EXPECT_EQ(lampReports, 2);
    EXPECT_EQ(board.lampBytes(), (std::array<uint8_t, 8>{}));
}

TEST_F(ResetAll, CoilInThePulseIsReleasedAtOnceAndThenRests) {
    coilPulse(out, 10);
    runCoilEngine(out, io, clock); // energised at 1000 for 30 ms
    clock.advance(5);
    resetOutputs(out, io, sw, clock);
    EXPECT_FALSE(board.coilEnergised(10));
    EXPECT_EQ(out.coils[10].activatedAt, 0u);
    EXPECT_EQ(out.lastRelease[10], 1005u);
    coilPulse(out, 10);
    clock.advance(20);
    runCoilEngine(out, io, clock);
    EXPECT_FALSE(board.coilEnergised(10)); // 20 ms is not more than its rest
    clock.advance(1);
    runCoilEngine(out, io, clock);
    EXPECT_TRUE(board.coilEnergised(10));
}

TEST_F(ResetAll, ReleasesBitsNoCoilRecordNames) {
    out.coilPort[2] = 0x00; // e.g. restored from a saved playfield
    resetOutputs(out, io, sw, clock);
    EXPECT_EQ(out.coilPort[2], 0xFF);
    EXPECT_EQ(board.portOutput(5), 0xFF);
}

TEST(ResetAllWithoutBoard, ClearsTheImagesAndSendsNothing) {
    ManualClock clock;
    SimulatedBoard board(clock);
    board.setPresent(false);
    BoardIo io;
    SwitchState sw;
    Outputs out;
    buildOutputs(out, defaultCoils(), defaultLamps());
    EXPECT_FALSE(openBoard(io, board));
    lampOn(out, 4);
    coilHold(out, 7);
    sw.dryInputs = 0x10;
    resetOutputs(out, io, sw, clock);
    EXPECT_EQ(out.litBytes[0], 0);
    EXPECT_EQ(out.coilPort[0], 0xFF);
    EXPECT_EQ(sw.dryInputs, 0);
    EXPECT_EQ(board.receivedCount(), 0u);
}

TEST(OutputsBuild, CopiesTheRecordsWithStatesCleared) {
    CoilsRecord coils = defaultCoils();
    LampsRecord lamps = defaultLamps();
    coils.repeat[4] = 0x105;    // only the low byte counts
    coils.byteIndex[5] = 0x102; // likewise
    coils.activatedAt[6] = 4242;
    lamps.flags[13] = 0x34;
    lamps.onStart[13] = 77;
    Outputs out;
    out.coils[10].switchedOn = 1;
    out.lamps[13].lit = 1;
    buildOutputs(out, coils, lamps);

    const Sortie& kicker = out.coils[10];
    EXPECT_EQ(kicker.byteIndex, 1);
    EXPECT_EQ(kicker.mask, 0x04);
    EXPECT_EQ(kicker.restMs, 20u);
    EXPECT_EQ(kicker.pulseMs, 30u);
    EXPECT_EQ(kicker.autoRelease, 1);
    EXPECT_EQ(kicker.name, "Kicking gauche");
    EXPECT_EQ(kicker.switchedOn, 0);
    EXPECT_EQ(out.coils[4].repeat, 5);
    EXPECT_EQ(out.coils[5].byteIndex, 2);
    EXPECT_EQ(out.coils[6].activatedAt, 4242u);
    EXPECT_EQ(out.coils[7].restMs, 100u);
    EXPECT_EQ(out.coils[1].name, "Inutilisée");

    const VoyantLed& lamp = out.lamps[13];
    EXPECT_EQ(lamp.byteIndex, 1);
    EXPECT_EQ(lamp.mask, 0x20);
    EXPECT_EQ(lamp.name, "Led 13 Bonus X4");
    EXPECT_EQ(lamp.flags, 0x34);
    EXPECT_EQ(lamp.onStart, 77u);
    EXPECT_EQ(lamp.lit, 0);
    EXPECT_EQ(out.lamps[24].name, "Led 24 Spécial");
    EXPECT_EQ(out.lamps[50].name, "Led 50 Inutilisée");
}
