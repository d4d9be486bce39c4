// bench_webcam: UnePhoto on the test camera (the frame to a 320 x 240 BMP, flushed and renamed),
// and the processor time of the capture form showing the test camera's preview for 5 s at 30
// frames per second (run it under xvfb-run with QT_QPA_PLATFORM=xcb to include the X drawing).
#include "players/TestCamera.h"
#include "players/WebcamStation.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace pinstage;

double processCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Bench {
    SteadyClock clock;
    DataRoot root{std::filesystem::temp_directory_path() /
                  ("pinstage-bench-webcam-" + std::to_string(getpid()))};
    Bench() { root.ensureDirectories(); }
    ~Bench() {
        std::error_code ec;
        std::filesystem::remove_all(root.root(), ec);
    }
    CameraCatalogue catalogue(bool timed) {
        return [this, timed] {
            std::vector<CameraEntry> l;
            l.push_back({QStringLiteral("Caméra de test"), QStringLiteral("pinstage"), [this, timed] {
                             return std::make_unique<TestCamera>(clock, QStringLiteral("Caméra de test"),
                                                                 timed);
                         }});
            return l;
        };
    }
};

void BM_UnePhotoToDisk(benchmark::State& state) {
    Bench b;
    WebcamStation station(b.catalogue(false), b.clock, b.root, {});
    TFenetre_capture& form = station.openCaptureForm();
    auto* camera = dynamic_cast<TestCamera*>(station.webcam().device());
    camera->produceFrame();
    const auto path = b.root.dir(DataDir::Photos) / "Joueur-0_bench.bmp";
    for (auto _ : state) {
        QString error = form.UnePhoto(path);
        if (!error.isEmpty())
            state.SkipWithError(error.toUtf8().constData());
    }
}
BENCHMARK(BM_UnePhotoToDisk)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PreviewFiveSeconds(benchmark::State& state) {
    Bench b;
    WebcamStation station(b.catalogue(true), b.clock, b.root, {});
    TFenetre_capture& form = station.openCaptureForm();
    form.show();
    int frames = 0;
    QObject::connect(&station.webcam(), &TWebCam::frameArrived, [&] { ++frames; });
    for (auto _ : state) {
        QTest::qWait(500); // settle
        frames = 0;
        const double cpu0 = processCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QTest::qWait(5000);
        const double cpu = processCpuSeconds() - cpu0;
        const double seconds = double(wall.nsecsElapsed()) / 1e9;
        state.counters["cpu_percent"] = 100.0 * cpu / seconds;
        state.counters["frames_per_s"] = double(frames) / seconds;
    }
}
BENCHMARK(BM_PreviewFiveSeconds)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
