// The poster series and the phases of one poster's pass; the video series, the measured end and
// the player's place (the 640 x 480 source on a 1080-line screen), the missing and failing videos.
#include "media/PosterAnimation.h"
#include "media/VideoSequence.h"
#include "players/MjpegAviWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <unistd.h>

namespace pinstage {
namespace {

namespace fs = std::filesystem;

TEST(PosterTest, SeriesRestartsAtTheFirstMissingPoster) {
    PosterAnimation a(1920, 1080, 768);
    const std::set<std::string> present = {"Pub0.bmp", "Pub1.bmp", "Pub2.bmp"};
    std::vector<std::string> shown;
    for (int k = 0; k < 7; ++k)
        shown.push_back(a.NouvelleAffiche([&](const std::string& n) { return present.count(n) > 0; }));
    EXPECT_EQ(shown, (std::vector<std::string>{"Pub0.bmp", "Pub1.bmp", "Pub2.bmp", "Pub0.bmp", "Pub1.bmp",
                                               "Pub2.bmp", "Pub0.bmp"}));
    // With no poster at all the name stays Pub0.bmp (the drawing side then has nothing to show).
    PosterAnimation none(1920, 1080, 768);
    EXPECT_EQ(none.NouvelleAffiche([](const std::string&) { return false; }), "Pub0.bmp");
    EXPECT_EQ(none.NouvelleAffiche([](const std::string&) { return false; }), "Pub0.bmp");
}

TEST(PosterTest, OnePassGrowsSlidesPausesOnceAtMidScreenAndAsksForTheNext) {
    const int32_t W = 1920, H = 1080;
    PosterAnimation a(W, H, 768);
    EXPECT_EQ(a.grownHeight(), 768);
    // The first step, on the empty rectangles, asks for the first poster.
    a.AnimerAffiche();
    ASSERT_TRUE(a.takeNextRequest());
    EXPECT_FALSE(a.takeNextRequest());
    EXPECT_FALSE(a.takePause());
    a.NouvelleAffiche([](const std::string&) { return true; });
    EXPECT_EQ(a.destination(), (PosterRect{134, 0, 1785, 0}));
    EXPECT_FALSE(a.sliding());

    int steps = 0, pauses = 0, growing = 0;
    int32_t pauseTop = -1;
    PosterRect prev = a.destination();
    while (!a.takeNextRequest()) {
        ASSERT_LT(++steps, 1000);
        const bool wasSliding = a.sliding();
        a.AnimerAffiche();
        const PosterRect& d = a.destination();
        if (!wasSliding && !a.sliding()) {
            ++growing;
            EXPECT_EQ(d.bottom, prev.bottom + 10);
            EXPECT_EQ(a.source().bottom, std::min(d.bottom, 768) * 768 / 768);
        } else if (d.bottom > d.top) {
            if (wasSliding) {
                EXPECT_EQ(d.top, prev.top + 10);
            }
            EXPECT_LE(d.bottom, H);
            EXPECT_GE(d.bottom, prev.bottom);
            // Once at the screen's foot the poster leaves: the part shown is its top, cut from the source.
            if (d.bottom == prev.bottom && wasSliding) {
                EXPECT_EQ(a.source().bottom, (d.bottom - d.top) * 768 / 768);
            }
        }
        EXPECT_LE(a.source().bottom, kPosterSourceHeight);
        EXPECT_EQ(d.left, 134);
        EXPECT_EQ(d.right, 1785);
        if (a.takePause()) {
            ++pauses;
            pauseTop = d.top;
            EXPECT_GE(d.top + (d.bottom - d.top) / 2, H / 2);
            EXPECT_LT(prev.top + (prev.bottom - prev.top) / 2, H / 2);
        }
        prev = d;
    }
    EXPECT_EQ(growing, 77);   // 0 to 770 by 10
    EXPECT_EQ(pauses, 1);     // once per poster
    EXPECT_EQ(pauseTop, 160); // 160 + 770 / 2 = 545, the first middle at or past 540
    EXPECT_EQ(a.destination(), (PosterRect{134, 0, 1785, 0}));
    EXPECT_FALSE(a.sliding());
    // The next poster may pause again.
    a.NouvelleAffiche([](const std::string&) { return true; });
    for (int k = 0; k < 200 && !a.takePause(); ++k)
        a.AnimerAffiche();
    EXPECT_EQ(a.destination().top, 160);
}

struct FakePlayer : VideoPlayer {
    std::vector<fs::path> started;
    double duration = 0;
    float w = 0, h = 0;
    bool broken = false;
    int stops = 0;
    std::optional<VideoPlacement> placed;
    void start(const fs::path& f) override { started.push_back(f); }
    double durationSeconds() const override { return duration; }
    float sourceWidth() const override { return w; }
    float sourceHeight() const override { return h; }
    bool failed() const override { return broken; }
    void place(int l, int t, int wi, int he) override { placed = VideoPlacement{l, t, wi, he}; }
    void stop() override { ++stops; }
};

class VideoTest : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("pinstage-video-" + std::to_string(::getpid()));
    FakePlayer player;
    std::vector<std::string> journal;
    VideoSequence seq{dir, 1920, 1080, player,
                      MediaJournal{[this](uint32_t, const std::string& t) { journal.push_back(t); }}};
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    void video(const std::string& name, uint32_t ms, int frames) {
        MjpegAviWriter w;
        ASSERT_TRUE(w.open(dir / name, 64, 48));
        const std::vector<uint8_t> f = {0xFF, 0xD8, 0xFF, 0xD9};
        for (int k = 0; k < frames; ++k)
            ASSERT_TRUE(w.addFrame(f));
        ASSERT_TRUE(w.finish(ms));
    }
};

TEST(VideoPlacementTest, ScaleHeldAsAFloatGivesTheTruncatedCentredSize) {
    // 1080 / 480 - 0.2 = 2.05, held slightly below: 1311.99... x 983.99... truncated.
    EXPECT_EQ(placeVideo(1920, 1080, 640, 480), (VideoPlacement{305, 49, 1311, 983}));
    // 768 / 576 = 1.3333334f, - 0.2 = 1.1333333f: 815.99... x 652.79..., centred on 1360 x 768.
    EXPECT_EQ(placeVideo(1360, 768, 720, 576), (VideoPlacement{273, 58, 815, 652}));
    for (float bad : {0.0f, -480.0f, NAN, INFINITY, 1e9f})
        EXPECT_EQ(placeVideo(1920, 1080, 640, bad), std::nullopt) << bad;
    EXPECT_EQ(placeVideo(1920, 1080, 0, 480), std::nullopt);
}

TEST_F(VideoTest, SeriesPlaysZeroOneZeroWithTheHeaderEndThenTheMeasuredOne) {
    video("VideoPub0.avi", 3000, 30);
    video("VideoPub1.avi", 5000, 50);
    EXPECT_EQ(seq.VideoSuivante(1000), 1000u + 3000 + 10000);
    EXPECT_EQ(seq.info().fileName, "VideoPub0.avi");
    EXPECT_EQ(seq.VideoSuivante(2000), 2000u + 5000 + 10000);
    EXPECT_EQ(seq.info().fileName, "VideoPub1.avi");
    EXPECT_EQ(seq.VideoSuivante(3000), 3000u + 3000 + 10000);
    EXPECT_EQ(seq.info().fileName, "VideoPub0.avi");

    EXPECT_FALSE(seq.playing());
    seq.DemarrerVideo(3000);
    ASSERT_EQ(player.started.size(), 1u);
    EXPECT_EQ(player.started[0], dir / "VideoPub0.avi");
    EXPECT_TRUE(seq.playing());
    EXPECT_EQ(seq.MesurerVideo(3100), std::nullopt); // nothing known yet: hidden, provisional end
    EXPECT_FALSE(player.placed);
    player.duration = 30.0;
    player.w = 640;
    player.h = 480;
    EXPECT_EQ(seq.MesurerVideo(3200), 3200u + 30000);
    EXPECT_EQ(player.placed, (VideoPlacement{305, 49, 1311, 983}));
    EXPECT_TRUE(seq.measured());
    EXPECT_EQ(seq.MesurerVideo(3300), std::nullopt); // measured once
    seq.stop(33201);
    seq.stop(33202);
    EXPECT_EQ(player.stops, 1);
    EXPECT_FALSE(seq.playing());

    // A file that is no AVI keeps the previous header's duration and still plays.
    std::ofstream(dir / "VideoPub1.avi") << "not a video";
    EXPECT_EQ(seq.VideoSuivante(40000), 40000u + 3000 + 10000);
    EXPECT_EQ(seq.info().fileName, "VideoPub1.avi");
    EXPECT_EQ(journal,
              (std::vector<std::string>{"media video VideoPub0.avi header 3000 ms",
                                        "media video VideoPub1.avi header 5000 ms",
                                        "media video VideoPub0.avi header 3000 ms",
                                        "media video measured 30000 ms at 305,49 1311x983", "media video end",
                                        "media video VideoPub1.avi header 3000 ms"}));
}

TEST_F(VideoTest, MissingOrFailingVideoEndsTheStepAtOnce) {
    EXPECT_EQ(seq.VideoSuivante(5000), 5000u);
    EXPECT_FALSE(seq.chosen());
    seq.DemarrerVideo(5000);
    EXPECT_TRUE(player.started.empty());
    EXPECT_FALSE(seq.playing());
    EXPECT_EQ(journal.back(), "media video none");

    video("VideoPub0.avi", 2000, 10);
    EXPECT_EQ(seq.VideoSuivante(6000), 6000u + 12000);
    seq.DemarrerVideo(6000);
    player.broken = true;
    EXPECT_EQ(seq.MesurerVideo(6100), 6100u);
    EXPECT_EQ(journal.back(), "media video VideoPub0.avi failed");
    seq.stop(6200);
    EXPECT_EQ(player.stops, 1);
    // A player that knows the length but not the picture size fills the screen.
    player.broken = false;
    seq.DemarrerVideo(7000);
    player.duration = 1.5;
    EXPECT_EQ(seq.MesurerVideo(7000), 8500u);
    EXPECT_EQ(player.placed, (VideoPlacement{0, 0, 1920, 1080}));
}

} // namespace
} // namespace pinstage
