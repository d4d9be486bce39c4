// A measured run of the attract media on a real window at 1920 x 1080 (run it under Xvfb): the
// frame time while a poster slides, a local advertiser's picture put in the overlay by the
// rotation, and the default video played by the video step, with the frame time and the CPU of
// the process while it plays. With --out DIR, writes poster.png, overlay.png and video.png.
#include "MediaStage.h"

#include "config/Advertisers.h"
#include "display/QtPath.h"
#include "media/AdvertiserRotation.h"
#include "media/QtVideoPlayer.h"
#include "media/VideoSequence.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

using namespace pinstage;

struct FrameTimes {
    double total = 0, worst = 0;
    int count = 0;
    void add(double ms) {
        total += ms;
        worst = std::max(worst, ms);
        ++count;
    }
    void print(const char* what) const {
        std::printf("%s: %d frames, mean %.2f ms, worst %.2f ms\n", what, count, count ? total / count : 0.0,
                    worst);
    }
};

double timed(MediaStage& s) {
    auto t0 = std::chrono::steady_clock::now();
    s.frame();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void save(const QImage& img, const QString& dir, const char* name) {
    if (!dir.isEmpty() && !img.save(dir + "/" + name))
        std::fprintf(stderr, "cannot write %s\n", name);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString out;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--out") == 0)
            out = QString::fromLocal8Bit(argv[i + 1]);
    MediaStage s;

    // A poster's whole pass, one frame per two animation steps; the picture at the mid-screen pause.
    FrameTimes posterFrames;
    s.screen->setPosterShown(true);
    bool pictured = false;
    for (int frame = 0; frame < 400; ++frame) {
        bool paused = false;
        for (int k = 0; k < 2; ++k) {
            s.posters.AnimerAffiche();
            paused = s.posters.takePause() || paused;
            if (s.posters.takeNextRequest()) {
                const auto pub = s.root().dir(DataDir::PubImages);
                s.screen->loadPoster(pub / s.posters.NouvelleAffiche([&](const std::string& n) {
                    return std::filesystem::exists(pub / n);
                }));
            }
            s.screen->placePoster(s.posters.destination(), s.posters.source());
        }
        posterFrames.add(timed(s));
        if (paused && !pictured) {
            save(s.presenter.screen(), out, "poster.png");
            pictured = true;
        }
    }
    posterFrames.print("poster sliding");
    s.screen->setPosterShown(false);
    s.frame();

    // One local advertiser whose picture the rotation puts in the overlay.
    std::vector<FicheAnnonceur> ads(1);
    ads[0].typeAnnonce = 0;
    ads[0].adresseConnection.setUtf8("Pub1.bmp");
    ads[0].dureeMiniDiffusion = 15000;
    ads[0].enDiffusion = 1;
    EcrireAnnonceurs(advertisersFile(s.root(), 0), ads, false, 0, 1);
    AdvertiserRotation rotation(
        s.root(), 0, 0, MediaJournal{[](uint32_t, const std::string& t) { std::printf("%s\n", t.c_str()); }});
    s.b->overlay.x = 20;
    s.b->overlay.y = 20;
    rotation.DiffusionAnnonceurs(20000, nullptr, *s.screen);
    FrameTimes overlayFrames;
    for (int frame = 0; frame < 100; ++frame)
        overlayFrames.add(timed(s));
    overlayFrames.print("overlay ad picture");
    save(s.presenter.screen(), out, "overlay.png");
    s.screen->hideOverlay();
    s.frame();

    // The video step on a window showing the backglass.
    QLabel window;
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setGeometry(0, 0, 1920, 1080);
    window.setPixmap(QPixmap::fromImage(s.presenter.screen()));
    window.show();
    QtVideoPlayer player(&window);
    VideoSequence video(s.root().dir(DataDir::PubVideo), 1920, 1080, player,
                        MediaJournal{[](uint32_t, const std::string& t) { std::printf("%s\n", t.c_str()); }});
    QElapsedTimer clock;
    clock.start();
    auto now = [&] { return uint32_t(1000 + clock.elapsed()); };
    uint32_t end = video.VideoSuivante(now());
    video.DemarrerVideo(now());
    FrameTimes videoFrames;
    double cpuAtMeasure = 0;
    qint64 wallAtMeasure = 0;
    bool shot = false;
    QTimer turn;
    QObject::connect(&turn, &QTimer::timeout, [&] {
        if (video.playing() && !video.measured()) {
            if (auto e = video.MesurerVideo(now())) {
                end = *e;
                cpuAtMeasure = cpuSeconds();
                wallAtMeasure = clock.elapsed();
            }
        }
        if (video.measured())
            videoFrames.add(timed(s));
        if (video.measured() && !shot && clock.elapsed() - wallAtMeasure > 1500) {
            save(window.screen()->grabWindow(0).toImage(), out, "video.png");
            shot = true;
        }
        if (int32_t(now() - end) > 0) {
            const double cpu = cpuSeconds() - cpuAtMeasure;
            const double wall = double(clock.elapsed() - wallAtMeasure) / 1000.0;
            video.stop(now());
            videoFrames.print("frames while the video plays");
            std::printf("video: CPU %.1f %% of one core over %.1f s of playing\n", 100.0 * cpu / wall, wall);
            app.quit();
        }
    });
    turn.start(40);
    QTimer::singleShot(60000, &app, [&] {
        std::fprintf(stderr, "the video step did not end\n");
        app.exit(1);
    });
    return app.exec();
}
