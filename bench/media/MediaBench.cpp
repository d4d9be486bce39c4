// Backglass frame timings at 1920 x 1080 with the attract media: a poster sliding over the frame
// (two 10-pixel steps per 40 ms frame), a presented frame with a local ad picture in the overlay,
// and the same frame without media.
#include "MediaStage.h"

#include <benchmark/benchmark.h>

namespace {

using namespace pinstage;

MediaStage& stage() {
    static MediaStage s;
    return s;
}

void BM_PosterSlidingFrame(benchmark::State& state) {
    MediaStage& s = stage();
    s.screen->setPosterShown(true);
    for (auto _ : state) {
        state.PauseTiming();
        s.posterSteps();
        state.ResumeTiming();
        benchmark::DoNotOptimize(s.frame());
    }
    s.screen->setPosterShown(false);
}
BENCHMARK(BM_PosterSlidingFrame)->Unit(benchmark::kMillisecond);

void BM_OverlayAdFrame(benchmark::State& state) {
    MediaStage& s = stage();
    s.screen->loadOverlayPicture(s.root().file(DataDir::PubImages, "Pub1.bmp"));
    s.screen->showOverlay();
    for (auto _ : state) {
        s.b->changed = true; // a frame that is presented, as with the attract blink
        benchmark::DoNotOptimize(s.frame());
    }
    s.screen->hideOverlay();
}
BENCHMARK(BM_OverlayAdFrame)->Unit(benchmark::kMillisecond);

// The same presented frame without any media, for comparison.
void BM_PlainPresentedFrame(benchmark::State& state) {
    MediaStage& s = stage();
    for (auto _ : state) {
        s.b->changed = true;
        benchmark::DoNotOptimize(s.frame());
    }
}
BENCHMARK(BM_PlainPresentedFrame)->Unit(benchmark::kMillisecond);

} // namespace
