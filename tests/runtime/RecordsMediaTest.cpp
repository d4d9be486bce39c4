// The records display on the backglass window (offscreen, on a manual clock): the ranking's pages
// of drifting captioned photos, the backglass put back at the end of the step, and the slideshow.
#include "SpineFixture.h"

#ifdef PINSTAGE_HAVE_DEFAULT_ASSETS
#include "DefaultPictures.h"
#include "DefaultVideo.h"
#include "config/AdjustmentRows.h"
#include "platform/PinError.h"
#include "runtime/Attract.h"
#include "runtime/MachineOps.h"
#include "runtime/window/AttractShow.h"
#include "runtime/window/RecordsMedia.h"
#include "runtime/window/TGlacefronton.h"
#include "sound/RecordingSoundEngine.h"

#include <QCoreApplication>

#include <algorithm>
#include <regex>

using namespace pinstage;
using namespace pinstage::test;

namespace {

// The default pictures, drawn once for every test.
const SpineRoot& pictures() {
    static SpineRoot drawn("records-pictures");
    static bool written = !writeDefaultPictures(DataRoot(drawn.path())).empty() &&
                          !writeDefaultVideos(DataRoot(drawn.path())).empty();
    EXPECT_TRUE(written);
    return drawn;
}

class LinesTrace : public TraceSink {
public:
    bool enabled() const override { return true; }
    void line(uint32_t, const std::string& text) override { lines.push_back(text); }
    std::vector<std::string> lines;
};

class RecordsOnBackglass : public ::testing::Test {
protected:
    RecordsOnBackglass() : root_(::testing::UnitTest::GetInstance()->current_test_info()->name()) {
        std::filesystem::copy(pictures().path(), root_.path(),
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::overwrite_existing);
        fullLoad(m.root, 0, m.params, nullptr);
        GlacefrontonOptions options;
        options.windowed = true;
        window = std::make_unique<TGlacefronton>(m, engine, power, options);
        window->setStartupTimer(m, false);
        m.hooks.trace = &journal;
        window->initDisplay(m);
        media = std::make_unique<RecordsMedia>(m, window->display());
        m.records.rects = InitialiserRectanglesClassement();
        window->redrawBackglass(m);
    }
    ~RecordsOnBackglass() override {
        media.reset();
        window->releaseDisplay(m);
    }
    void frames(int n) {
        for (int k = 0; k < n; ++k) {
            clock.advance(41); // frames a little over 40 ms apart: 245 of them pass 10 s
            window->composeFrame(m);
        }
    }
    // The window shows the photo of slot k at its rectangle (a few sample points).
    bool showsPhoto(int k) {
        const QImage& photo = media->photos().photo(k);
        const PhotoRect& r = m.records.rects[size_t(k)];
        const QImage& screen = window->shownPicture();
        for (QPoint at : {QPoint(20, 20), QPoint(160, 120), QPoint(300, 30)}) {
            QPoint on(r.left + at.x(), r.top + at.y());
            if (!screen.rect().contains(on) || screen.pixel(on) != photo.pixel(at))
                return false;
        }
        return true;
    }

    SpineRoot root_;
    ManualClock clock{10000};
    RecordingSoundEngine engine;
    RecordingPowerControl power;
    Machine m{clock, DataRoot(root_.path())};
    LinesTrace journal;
    std::unique_ptr<TGlacefronton> window;
    std::unique_ptr<RecordsMedia> media;
};

} // namespace

TEST_F(RecordsOnBackglass, RankingPagesDriftThenTheBackglassComesBack) {
    setOption(m.params.adjustments, AdjustmentOption::RankingPhotos, true);
    startMediaStep(m, kMediaRanking);
    frames(1);
    EXPECT_EQ(m.rt.recordsPhotosShowing, 1);
    for (int k = 0; k < kRankingSlots; ++k) {
        EXPECT_TRUE(media->photos().loaded(k)) << k;
        EXPECT_TRUE(showsPhoto(k) || k < 3) << k; // the lower row covers the captions of the upper
    }
    EXPECT_EQ(m.records.rects[0].left, 9);
    EXPECT_EQ(m.records.rects[0].top, 49);
    EXPECT_EQ(m.records.nextFirstPlace, 7);
    // Places 1-6 of the fresh file are captioned in red at the bottom of their photos.
    const QImage& winner = media->photos().photo(0);
    int red = 0;
    for (int x = 5; x < 200; ++x)
        for (int y = 212; y < 240; ++y)
            if (winner.pixel(x, y) == qRgb(255, 85, 38))
                ++red;
    EXPECT_GT(red, 20);

    frames(100);
    EXPECT_EQ(m.records.rects[5].left, 680 - 101);
    EXPECT_TRUE(showsPhoto(5));
    frames(150); // past 10 s: places 7-12, none in the file: the default photo, uncaptioned
    EXPECT_EQ(m.records.nextFirstPlace, 13);
    QImage defaultPhoto(QString::fromStdString(m.root.file(DataDir::Photos, kDefaultPhotoName).string()));
    EXPECT_EQ(media->photos().photo(3), defaultPhoto.convertToFormat(QImage::Format_RGB32));

    EXPECT_EQ(journal.lines,
              (std::vector<std::string>{"media step 0x04", "media ranking page 1", "media ranking page 7"}));

    QRect area = photoArea(m.records.rects[4]);
    media->FinirEtapeMedia(m);
    EXPECT_FALSE(m.records.rankingShowing);
    EXPECT_EQ(m.rt.recordsPhotosShowing, 0);
    EXPECT_FALSE(media->photos().loaded(4));
    frames(1);
    const QImage& scene = window->display().backglass()->scene;
    EXPECT_EQ(window->shownPicture().copy(area), scene.copy(area));

    // The next ranking step goes on from the page after the last one shown.
    startMediaStep(m, kMediaRanking);
    frames(1);
    EXPECT_EQ(journal.lines.back(), "media ranking page 13");
}

TEST_F(RecordsOnBackglass, TheSlideshowDriftsAPhotoAndFailsOnlyWithoutTheDefaultPhoto) {
    m.records.slideshowShowing = true;
    media->DiaporamaGameOver(m);
    ASSERT_TRUE(media->photos().loaded(kSlideshowRect));
    QImage first = media->photos().photo(kSlideshowRect);
    ASSERT_EQ(journal.lines.size(), 1u);
    EXPECT_TRUE(std::regex_match(journal.lines[0], std::regex(R"(media photo [0-2]_photo-[0-4]\.bmp)")))
        << journal.lines[0];
    frames(1);
    // Rectangle 6 starts below the 768-pixel screen's bottom edge: it moves up and left.
    EXPECT_EQ(m.records.rects[6].top, 629);
    EXPECT_TRUE(showsPhoto(kSlideshowRect));
    media->DiaporamaGameOver(m); // within 5 s: the same photo
    EXPECT_EQ(media->photos().photo(kSlideshowRect), first);

    for (int s = 0; s < 3; ++s)
        for (int n = 0; n < 5; ++n)
            std::filesystem::remove(
                m.root.file(DataDir::Photos, std::to_string(s) + "_photo-" + std::to_string(n) + ".bmp"));
    clock.advance(kSlideshowPhotoMs + 1);
    media->DiaporamaGameOver(m);
    QImage defaultPhoto(QString::fromStdString(m.root.file(DataDir::Photos, kDefaultPhotoName).string()));
    EXPECT_EQ(media->photos().photo(kSlideshowRect), defaultPhoto.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(journal.lines.back(), "media photo PhotoDefaut.bmp");

    std::filesystem::remove(m.root.file(DataDir::Photos, kDefaultPhotoName));
    clock.advance(kSlideshowPhotoMs + 1);
    try {
        media->DiaporamaGameOver(m);
        ADD_FAILURE() << "no error";
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), "impossible de charger le bitmap de la photo");
    }
}
// The program's attract media: with the advertisers', video and posters options on, the rotation
// puts the first advertiser on air, plays the default video and slides the posters over the
// backglass, and the end of the poster step gives the backglass back.
TEST_F(RecordsOnBackglass, TheRotationReachesTheAdvertisersTheVideoAndThePosters) {
    media.reset();
    media = std::make_unique<AttractShow>(m, window->display(), window.get());
    for (AdjustmentOption o :
         {AdjustmentOption::Videos, AdjustmentOption::InternetAds, AdjustmentOption::Kiosk})
        setOption(m.params.adjustments, o, true);
    m.rt.mediaDeadline = m.now();
    bool posterSeen = false;
    const auto* show = static_cast<AttractShow*>(media.get());
    for (int turn = 0; turn < 2500 && !(posterSeen && m.rt.mediaStep != kMediaPosters); ++turn) {
        if (deadlinePassed(m.now(), m.rt.mediaDeadline))
            mediaRotation(m);
        frames(1);
        QCoreApplication::processEvents();
        if (m.rt.mediaStep == kMediaPosters && m.rt.mediaStepStarted && show->content() &&
            show->content()->postersShown()) {
            const QImage& scene = window->display().backglass()->scene;
            posterSeen = posterSeen || window->shownPicture() != scene;
        }
    }
    EXPECT_TRUE(posterSeen);
    auto has = [&](const std::string& line) {
        return std::find(journal.lines.begin(), journal.lines.end(), line) != journal.lines.end();
    };
    for (const char* line :
         {"media step 0x02", "media advertiser 0 on air", "media step 0x08",
          "media video VideoPub0.avi header 4000 ms", "media step 0x10", "media poster Pub0.bmp"})
        EXPECT_TRUE(has(line)) << line;
    // The poster step has ended: the backglass shows its scene again.
    frames(1);
    EXPECT_EQ(window->shownPicture(), window->display().backglass()->scene);
}
#endif
