// Backglass frame timings at 1920 x 1080 with the default pictures: a full redraw (every element
// dirty), a typical game frame (two reels moving), a frame with nothing to do and a ranking frame
// (six drifting photos).
#include "BackglassStage.h"
#include "players/RecordsPhotos.h"

#include <benchmark/benchmark.h>

namespace {

using namespace pinstage;

// One backglass built once for every benchmark.
using Stage = BackglassStage;

Stage& stage() {
    static Stage s("pinstage-bench-display");
    return s;
}

void reportFrames(benchmark::State& state, uint64_t presentedBefore, const Stage& s) {
    state.counters["presented"] =
        benchmark::Counter(double(s.b->presentations - presentedBefore), benchmark::Counter::kAvgIterations);
}

void BM_FullRedraw(benchmark::State& state) {
    Stage& s = stage();
    uint64_t before = s.b->presentations;
    for (auto _ : state) {
        s.ctx.now += 40;
        benchmark::DoNotOptimize(fullRedraw(*s.b, s.ctx, s.presenter));
    }
    reportFrames(state, before, s);
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);

void BM_TypicalGameFrame(benchmark::State& state) {
    Stage& s = stage();
    uint64_t before = s.b->presentations;
    for (auto _ : state) {
        state.PauseTiming();
        // Two reels rolling: the units of player 1 and of the credits, one tick per frame.
        for (int c : {0, 4}) {
            Rouleau* r = s.b->reels.reel(c, 0);
            r->forwardTick(s.b->reels.stepInProgress);
            r->forwardPixels = 60;
        }
        s.ctx.now += 40;
        state.ResumeTiming();
        benchmark::DoNotOptimize(composeFrame(*s.b, s.ctx, s.presenter));
    }
    reportFrames(state, before, s);
}
BENCHMARK(BM_TypicalGameFrame)->Unit(benchmark::kMillisecond);

void BM_NothingToDo(benchmark::State& state) {
    Stage& s = stage();
    uint64_t before = s.b->presentations;
    for (auto _ : state) {
        s.ctx.now += 40;
        benchmark::DoNotOptimize(composeFrame(*s.b, s.ctx, s.presenter));
    }
    reportFrames(state, before, s);
}
BENCHMARK(BM_NothingToDo)->Unit(benchmark::kMillisecond);

// The ranking of the records: six 320 x 240 photos drifting one pixel a frame over the backglass,
// drawn on the back buffer and presented with the places they left.
void BM_SixDriftingPhotos(benchmark::State& state) {
    Stage& s = stage();
    RecordsPhotos photos;
    for (int k = 0; k < kRankingSlots; ++k)
        if (!photos.load(k, s.b->root.file(DataDir::Photos, "bas" + std::to_string(k + 1) + ".bmp")))
            state.SkipWithError("default photos missing");
    auto rects = InitialiserRectanglesClassement();
    FrameHooks hooks;
    hooks.recordsStep = [&](QImage& back) {
        for (int k = 0; k < kRankingSlots; ++k)
            bouncePhotoRect(rects[size_t(k)], s.b->screen.width, s.b->screen.height);
        return photos.draw(back, rects, 0, kRankingSlots);
    };
    uint64_t before = s.b->presentations;
    for (auto _ : state) {
        s.ctx.now += 40;
        benchmark::DoNotOptimize(composeFrame(*s.b, s.ctx, s.presenter, hooks));
    }
    reportFrames(state, before, s);
}
BENCHMARK(BM_SixDriftingPhotos)->Unit(benchmark::kMillisecond);

} // namespace
