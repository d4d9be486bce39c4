// One main-loop turn of the board side on the simulated board: a matrix scan that finds a changed
// report (with a direct coil), the coil engine and the lamp engine. Counts heap allocations per turn.
#include "AllocationCounter.h"
#include "board/In_out_usb_2023.h"
#include "board/SimulatedBoard.h"
#include "config/CoilsRecord.h"
#include "config/LampsRecord.h"
#include "platform/Clock.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace pinstage;

// A playfield like the default one: coils by number, lamps by number, short blink times.
void defaultLikeRecords(CoilsRecord& coils, LampsRecord& lamps) {
    for (size_t i = 0; i < size_t(kCoilCount); ++i) {
        coils.byteIndex[i] = uint32_t(i / 8);
        coils.mask[i] = 1u << (i % 8);
        coils.restMs[i] = i == 10 || i == 11 ? 20 : 80;
        coils.pulseMs[i] = i == 10 || i == 11 ? 30 : 80;
        coils.autoRelease[i] = i == 0 || i == 1 || i == 2 || i == 7 ? 0 : 1;
    }
    for (size_t n = 0; n < size_t(kLampCount); ++n) {
        lamps.byteIndex[n] = uint8_t(n / 8);
        lamps.mask[n] = uint8_t(1u << (n % 8));
        lamps.offMs[n] = 40;
        lamps.onMs[n] = 60;
    }
}

void BM_BoardTurn(benchmark::State& state) {
    ManualClock clock(1000);
    SimulatedBoard board(clock);
    BoardIo io;
    SwitchState sw;
    Outputs out;
    CoilsRecord coils;
    LampsRecord lamps;
    defaultLikeRecords(coils, lamps);
    buildOutputs(out, coils, lamps);
    openBoard(io, board);
    // A game in progress: the bumpers and kickers fire from the scan, half the lamps lit, some blink.
    sw.contactFlags[30] = 9;
    sw.contactFlags[34] = 10;
    sw.contactFlags[46] = 11;
    sw.contactFlags[43] = 12;
    coilHold(out, 2);
    for (int n = 0; n < kLampCount; n += 2)
        lampOn(out, n);
    for (int n = 1; n < kLampCount; n += 8) {
        out.lamps[size_t(n)].flags = kLampBlinking;
        out.litBytes[size_t(n / 8)] |= uint8_t(1u << (n % 8));
    }

    const int contacts[] = {30, 34, 46, 43, 16, 18};
    size_t turn = 0;
    size_t before = allocationCount();
    for (auto _ : state) {
        // Every turn the board has a changed matrix report waiting.
        int c = contacts[turn % 6];
        board.setSwitch(c, !board.switchClosed(c));
        scanMatrix(sw, io, out, clock);
        runCoilEngine(out, io, clock);
        runLampEngine(out, io, clock);
        sw.contactFlags[size_t(c)] &= uint8_t(~kContactPending);
        clock.advance(1);
        ++turn;
    }
    size_t allocs = allocationCount() - before;
    state.counters["allocs_per_turn"] = double(allocs) / double(state.iterations());
    state.counters["reports_sent"] = double(board.receivedCount());
}
BENCHMARK(BM_BoardTurn);

// The same turn when the board has nothing new: the common case between two contacts.
void BM_QuietTurn(benchmark::State& state) {
    ManualClock clock(1000);
    SimulatedBoard board(clock);
    BoardIo io;
    SwitchState sw;
    Outputs out;
    CoilsRecord coils;
    LampsRecord lamps;
    defaultLikeRecords(coils, lamps);
    buildOutputs(out, coils, lamps);
    openBoard(io, board);
    for (int n = 0; n < kLampCount; n += 3)
        lampOn(out, n);
    size_t before = allocationCount();
    for (auto _ : state) {
        scanMatrix(sw, io, out, clock);
        runCoilEngine(out, io, clock);
        runLampEngine(out, io, clock);
        clock.advance(1);
    }
    state.counters["allocs_per_turn"] = double(allocationCount() - before) / double(state.iterations());
}
BENCHMARK(BM_QuietTurn);

// Shows that the counter sees allocations: one vector per iteration must read as 1.
void BM_CounterCheck(benchmark::State& state) {
    size_t before = allocationCount();
    for (auto _ : state) {
        std::vector<int> v(4);
        benchmark::DoNotOptimize(v.data());
    }
    state.counters["allocs_per_turn"] = double(allocationCount() - before) / double(state.iterations());
}
BENCHMARK(BM_CounterCheck);

} // namespace

BENCHMARK_MAIN();
