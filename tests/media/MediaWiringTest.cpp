// The content driven by the runtime's attract rotation through an attract media that forwards to
// it: the poster timing over a whole series, the video step with a missing and with a present
// video, and what the end of a step stops.
#include "config/AdjustmentRows.h"
#include "config/Advertisers.h"
#include "media/MediaContent.h"
#include "media/MediaTrace.h"
#include "players/MjpegAviWriter.h"
#include "runtime/Attract.h"
#include "runtime/Machine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <unistd.h>

namespace pinstage {
namespace {

namespace fs = std::filesystem;

struct NullAdScreen : AdScreen {
    int hides = 0;
    std::vector<std::string> pointer;
    bool overlayExists() const override { return true; }
    bool loadOverlayPicture(const fs::path&) override { return true; }
    void showOverlay() override {}
    void hideOverlay() override { ++hides; }
    void confinePointer(const AdRect& r) override {
        pointer.push_back("confine " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                          std::to_string(r.right) + "," + std::to_string(r.bottom));
    }
    void showPointer() override { pointer.push_back("show"); }
    void releasePointer() override { pointer.push_back("release"); }
};

struct OneBrowser : AdBrowser {
    bool alive = false;
    std::vector<std::string> addresses;
    bool exists() const override { return alive; }
    bool visible() const override { return alive; }
    void showAddress(const std::string& a) override { addresses.push_back(a); }
    AdRect rectangle() const override { return {192, 108, 1728, 972}; }
};

struct RecordingPosterScreen : PosterScreen {
    std::vector<std::string> loaded;
    bool shown = false;
    PosterRect dest;
    bool loadPoster(const fs::path& f) override {
        loaded.push_back(f.filename().string());
        return fs::exists(f);
    }
    void placePoster(const PosterRect& d, const PosterRect&) override { dest = d; }
    void setPosterShown(bool s) override { shown = s; }
};

struct RecordingTrace : TraceSink {
    std::vector<std::string> lines;
    bool enabled() const override { return true; }
    void line(uint32_t, const std::string& t) override { lines.push_back(t); }
};

struct StubPlayer : VideoPlayer {
    int starts = 0, stops = 0;
    double duration = 0;
    void start(const fs::path&) override { ++starts; }
    double durationSeconds() const override { return duration; }
    float sourceWidth() const override { return 640; }
    float sourceHeight() const override { return 480; }
    bool failed() const override { return false; }
    void place(int, int, int, int) override {}
    void stop() override { ++stops; }
};

// The forwarding the program's attract media does for these steps.
struct ForwardingMedia : AttractMedia {
    MediaContent& c;
    explicit ForwardingMedia(MediaContent& c) : c(c) {}
    void FinirEtapeMedia(Machine& m) override {
        c.finishStep(m.now());
        AttractMedia::FinirEtapeMedia(m);
    }
    void MesurerVideo(Machine& m) override {
        if (auto end = c.MesurerVideo(m.now()))
            m.rt.mediaEndTime = *end;
    }
    bool videoPlaying() const override { return c.videoPlaying(); }
    bool videoLengthKnown() const override { return c.videoLengthKnown(); }
    void DiffusionAnnonceurs(Machine& m) override { c.DiffusionAnnonceurs(m.now()); }
    void DemarrerVideo(Machine& m) override { c.DemarrerVideo(m.now()); }
    void VideoSuivante(Machine& m) override { m.rt.mediaEndTime = c.VideoSuivante(m.now()); }
    void posterStep(Machine&) override { c.posterStep(); }
    void ensureBrowser(Machine&) override { c.ensureBrowser(); }
    void AnimerAffiche(Machine&) override { c.AnimerAffiche(); }
    bool takePosterPause() override { return c.takePosterPause(); }
    bool takeNextPosterRequest() override { return c.takeNextPosterRequest(); }
    void loadNextPoster(Machine& m) override { c.loadNextPoster(m.now()); }
};

class MediaWiringTest : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("pinstage-wiring-" + std::to_string(::getpid()));
    ManualClock clock{1000};
    DataRoot root{dir};
    NullAdScreen ads;
    RecordingPosterScreen posters;
    StubPlayer player;
    RecordingTrace trace;
    std::vector<std::string>& journal = trace.lines;
    std::unique_ptr<MediaContent> content;
    std::unique_ptr<ForwardingMedia> media;
    std::unique_ptr<Machine> m;

    void SetUp() override {
        root.ensureDirectories();
        content = std::make_unique<MediaContent>(root, 0, clock.now(), MediaScreenSize{1920, 1080, 768}, ads,
                                                 posters, player, journalTo(trace));
        media = std::make_unique<ForwardingMedia>(*content);
        m = std::make_unique<Machine>(clock, root);
        m->hooks.media = media.get();
    }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_F(MediaWiringTest, PosterTimingShowsTheSeriesPausingEightSecondsAtMidScreen) {
    for (int k = 0; k < 3; ++k)
        std::ofstream(root.file(DataDir::PubImages, "Pub" + std::to_string(k) + ".bmp")) << "x";
    int midScreenTurns = 0;
    for (int turn = 0; turn < 8000; ++turn) { // 80 s in 10 ms turns
        clock.advance(10);
        posterTiming(*m);
        const PosterRect& d = posters.dest;
        if (d.bottom > d.top && d.top + (d.bottom - d.top) / 2 >= 540 && d.top == 160)
            ++midScreenTurns;
    }
    EXPECT_TRUE(posters.shown);
    ASSERT_GE(posters.loaded.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(posters.loaded.begin(), posters.loaded.begin() + 4),
              (std::vector<std::string>{"Pub0.bmp", "Pub1.bmp", "Pub2.bmp", "Pub0.bmp"}));
    // Each pass stops at mid-screen until the next 8 s mark: hundreds of turns at that place,
    // rather than the two or three a 20 ms step would spend there.
    EXPECT_GT(midScreenTurns, 100 * int(posters.loaded.size() - 1));
    EXPECT_EQ(journal.front(), "media poster Pub0.bmp");

    media->FinirEtapeMedia(*m);
    EXPECT_FALSE(posters.shown);
    EXPECT_EQ(ads.hides, 1);
}

TEST_F(MediaWiringTest, VideoStepEndsAtOnceWithoutVideoAndAtTheMeasuredEndWithOne) {
    setOption(m->params.adjustments, AdjustmentOption::InternetAds, true);
    m->rt.mediaDeadline = 0;
    m->rt.mediaEndTime = 0;
    clock.advance(10);
    mediaRotation(*m); // the end of the (empty) previous step: the video step begins
    EXPECT_EQ(m->rt.mediaStep, kMediaVideo);
    EXPECT_EQ(m->rt.mediaEndTime, clock.now()); // no VideoPub0.avi: ends at once
    clock.advance(7001);
    mediaRotation(*m);
    EXPECT_EQ(player.starts, 0);
    EXPECT_EQ(m->rt.mediaDeadline, clock.now() + 7000); // rotated on

    MjpegAviWriter w;
    ASSERT_TRUE(w.open(root.file(DataDir::PubVideo, "VideoPub0.avi"), 32, 24));
    const std::vector<uint8_t> f = {0xFF, 0xD8, 0xFF, 0xD9};
    for (int k = 0; k < 4; ++k)
        ASSERT_TRUE(w.addFrame(f));
    ASSERT_TRUE(w.finish(2000));
    clock.advance(7001);
    m->rt.mediaEndTime = 0;
    mediaRotation(*m);
    const uint32_t chosenAt = clock.now();
    EXPECT_EQ(m->rt.mediaEndTime, chosenAt + 2000 + 10000);
    clock.advance(7001);
    mediaRotation(*m); // starts the player
    EXPECT_EQ(player.starts, 1);
    EXPECT_TRUE(media->videoPlaying());
    clock.advance(10);
    player.duration = 4.0;
    mediaRotation(*m); // measured: the real end
    EXPECT_EQ(m->rt.mediaEndTime, clock.now() + 4000);
    clock.advance(4001);
    mediaRotation(*m);
    EXPECT_EQ(player.stops, 1);
    EXPECT_FALSE(media->videoPlaying());
    EXPECT_NE(std::find(journal.begin(), journal.end(), "media video VideoPub0.avi header 2000 ms"),
              journal.end());
    EXPECT_EQ(journal.back(), "media video end"); // the step's end stopped the player
}

TEST_F(MediaWiringTest, AdvertisersBrowserHoldsThePointerGetsItsPageAtOnceAndLetsGoAtTheStepEnd) {
    CreerAnnonceursDefaut(root, 0);
    std::vector<FicheAnnonceur> first(1);
    ASSERT_EQ(LireAnnonceurs(advertisersFile(root, 0), first, 0, 1), 1);
    const std::string firstPage = first[0].adresseConnection.utf8();
    // What the pointer did from a point on: confined first (by the browser's making; each check
    // confines again), then shown once.
    const std::string confine = "confine 192,108 1728,972";
    auto pointerSince = [&](size_t from) {
        const auto shows = std::count(ads.pointer.begin() + long(from), ads.pointer.end(), "show");
        return std::to_string(shows) + " shown, first " +
               (ads.pointer.size() > from ? ads.pointer[from] : "");
    };
    setOption(m->params.adjustments, AdjustmentOption::Videos, true);
    OneBrowser browser;
    int made = 0;
    content->setBrowserFactory([&]() -> AdBrowser* {
        ++made;
        browser.alive = true;
        return &browser;
    });
    m->rt.mediaDeadline = 0;
    m->rt.mediaEndTime = 0;
    // Two seconds of the advertisers' step, well within the rotation's first 10 s period: the
    // new browser is checked at once, so the first advertiser's page is there without waiting.
    for (int turn = 0; turn < 200; ++turn) {
        clock.advance(10);
        mediaRotation(*m);
    }
    EXPECT_EQ(m->rt.mediaStep, kMediaAdvertisers);
    EXPECT_EQ(made, 1);
    ASSERT_FALSE(browser.addresses.empty());
    EXPECT_EQ(browser.addresses.front(), firstPage);
    EXPECT_EQ(pointerSince(0), "1 shown, first " + confine);

    media->FinirEtapeMedia(*m);
    EXPECT_EQ(ads.pointer.back(), "release");
    // The next step's new browser gets the advertiser still on air at once, not a blank page
    // until the next advertiser, and the pointer is shown again.
    browser.alive = false;
    browser.addresses.clear();
    const size_t before = ads.pointer.size();
    m->rt.mediaDeadline = 0;
    for (int turn = 0; turn < 1500 && browser.addresses.empty(); ++turn) {
        clock.advance(10);
        mediaRotation(*m);
    }
    EXPECT_EQ(made, 2);
    ASSERT_EQ(browser.addresses.size(), 1u);
    EXPECT_EQ(browser.addresses[0], firstPage);
    EXPECT_EQ(pointerSince(before), "1 shown, first " + confine);
}

} // namespace
} // namespace pinstage
