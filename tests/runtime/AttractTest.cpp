#include "SpineFixture.h"

#include <algorithm>

#include "config/AdjustmentRows.h"
#include "config/Adjustments.h"
#include "runtime/Attract.h"
#include "runtime/MachineOps.h"

using namespace pinstage;
using namespace pinstage::test;

namespace {

// Records the media operations the rotation asks for.
class RecordingMedia : public AttractMedia {
public:
    void FinirEtapeMedia(Machine& m) override {
        calls.push_back("Finir");
        AttractMedia::FinirEtapeMedia(m);
    }
    void MesurerVideo(Machine& m) override {
        calls.push_back("Mesurer");
        m.rt.mediaEndTime = m.now() + 30000;
    }
    bool videoPlaying() const override { return playing; }
    bool videoLengthKnown() const override { return lengthKnown; }
    void DiaporamaGameOver(Machine&) override { calls.push_back("Diaporama"); }
    void DiffusionAnnonceurs(Machine&) override { calls.push_back("Annonceurs"); }
    void raiseRankingFlag(Machine&) override { calls.push_back("Classement"); }
    void DemarrerVideo(Machine&) override { calls.push_back("Demarrer"); }
    void VideoSuivante(Machine&) override { calls.push_back("Suivante"); }
    void posterStep(Machine&) override { calls.push_back("Affiches"); }
    void ensureBrowser(Machine&) override { calls.push_back("Navigateur"); }
    void AnimerAffiche(Machine&) override { ++animations; }
    bool takePosterPause() override { return std::exchange(pause, false); }
    bool takeNextPosterRequest() override { return std::exchange(next, false); }
    void loadNextPoster(Machine&) override { calls.push_back("AfficheSuivante"); }

    std::vector<std::string> calls;
    bool playing = false, lengthKnown = true, pause = false, next = false;
    int animations = 0;
};

class Attract : public SpineTest {
protected:
    void SetUp() override {
        m.hooks.media = &media;
        for (size_t e = 0; e < places.size(); ++e)
            m.symbols[e] = &places[e];
        m.params.adjustments = defaultAdjustments();
        forceOptionalFeaturesOff(m.params.adjustments);
    }
    void option(AdjustmentOption o) { setOption(m.params.adjustments, o, true); }
    // A media step in progress until now + ms.
    void stepRunning(uint8_t step, uint32_t ms) {
        m.rt.mediaStep = step;
        m.rt.mediaDeadline = 0;
        m.rt.mediaEndTime = clock.now() + ms;
        m.rt.mediaStepStarted = true;
    }

    RecordingMedia media;
    std::array<SymbolPlacement, element::kCount> places{};
};

} // namespace

TEST_F(Attract, GameOverAndRecordFollowTheBlinkPhase) {
    m.rt.mediaDeadline = clock.now() + 100000;
    m.game.blinkPhase = 1;
    attractStep(m);
    for (int e : {37, 44, 68, 71, 74})
        EXPECT_EQ(places[size_t(e)].shown, 1) << e;
    EXPECT_EQ(places[36].shown, 0);
    m.params.fronton.elements[37].dirty = 0;
    attractStep(m); // no change, no redraw asked for
    EXPECT_EQ(m.params.fronton.elements[37].dirty, 0);
    m.game.blinkPhase = 0;
    attractStep(m);
    for (int e : {37, 44, 68, 74})
        EXPECT_EQ(places[size_t(e)].shown, 0) << e;
    EXPECT_EQ(m.params.fronton.elements[37].dirty, 1);
}

TEST_F(Attract, TheRecordToBeatShowsTheStoredRecordDigitByDigit) {
    m.rt.mediaDeadline = clock.now() + 100000;
    m.params.adjustments.recordScore = 950000;
    m.game.blinkPhase = 1;
    attractStep(m);
    const int expected[7] = {0, 9, 5, 0, 0, 0, 0}; // millions first
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(places[size_t(68 + k)].digit, expected[k]) << k;
    m.params.adjustments.recordScore = 12345678; // an eighth digit is not shown
    attractStep(m);
    EXPECT_EQ(places[68].digit, 2);
    EXPECT_EQ(places[74].digit, 8);
    m.params.fronton.elements[74].dirty = 0;
    attractStep(m);
    EXPECT_EQ(m.params.fronton.elements[74].dirty, 0) << "an unchanged record asks for no redraw";
}

TEST_F(Attract, TheGameOverPhotosKeepTheBlinkAway) {
    m.rt.mediaDeadline = clock.now() + 100000;
    m.rt.recordsPhotosShowing = 1;
    m.game.blinkPhase = 1;
    attractStep(m);
    EXPECT_EQ(places[37].shown, 0);
}

TEST_F(Attract, NothingHappensBeforeTheMediaDeadline) {
    option(AdjustmentOption::RankingPhotos);
    m.rt.mediaDeadline = clock.now() + 7000;
    attractStep(m);
    EXPECT_TRUE(media.calls.empty());
    EXPECT_FALSE(m.rt.mediaStepStarted);
    clock.advance(7001);
    attractStep(m);
    EXPECT_EQ(m.rt.mediaStep, kMediaRanking);
    EXPECT_TRUE(m.rt.mediaStepStarted);
}

TEST_F(Attract, WithEveryMediaOptionOffTheRotationIdlesAndLooksAgainAfterTheHoldOff) {
    stepRunning(kMediaRanking, 0);
    clock.advance(1);
    mediaRotation(m); // the step's time is over: it ends
    EXPECT_EQ(media.calls, (std::vector<std::string>{"Finir"}));
    EXPECT_FALSE(m.rt.mediaStepStarted);
    EXPECT_EQ(m.rt.mediaDeadline, clock.now() + kMediaHoldOffMs);
    clock.advance(kMediaHoldOffMs + 1);
    mediaRotation(m); // nothing reads "oui": no step, another look 7 s later
    EXPECT_EQ(media.calls, (std::vector<std::string>{"Finir"}));
    EXPECT_FALSE(m.rt.mediaStepStarted);
    EXPECT_EQ(m.rt.mediaEndTime, 0u);
    EXPECT_EQ(m.rt.mediaDeadline, clock.now() + kMediaHoldOffMs);
}

TEST_F(Attract, TheRotationVisitsEveryStepWhoseOptionIsOnInOrderWithTheHoldOffBetween) {
    option(AdjustmentOption::PhotoAtGameOver); // 0x01
    option(AdjustmentOption::RankingPhotos);   // 0x04
    option(AdjustmentOption::InternetAds);     // 0x08 (the video step)
    // Advertisers (0x02, "Visualisation des vidéos") and posters (0x10, kiosk) stay "non".
    m.rt.mediaDeadline = clock.now() + kMediaHoldOffMs;
    std::vector<int> started;
    std::vector<uint32_t> lengths;
    uint32_t stepStart = 0;
    for (int t = 0; t < 400000 && started.size() < 7; t += 5) {
        bool wasStarted = m.rt.mediaStepStarted;
        attractStep(m);
        if (!wasStarted && m.rt.mediaStepStarted) {
            started.push_back(m.rt.mediaStep);
            stepStart = clock.now();
        }
        if (wasStarted && !m.rt.mediaStepStarted)
            lengths.push_back(clock.now() - stepStart);
        clock.advance(5);
    }
    EXPECT_EQ(started, (std::vector<int>{kMediaPhotos, kMediaRanking, kMediaVideo, kMediaPhotos,
                                         kMediaRanking, kMediaVideo, kMediaPhotos}));
    // Slideshow 30 s, ranking 25 s, a video that sets no end ends at once; then 0x01 again.
    ASSERT_GE(lengths.size(), 3u);
    EXPECT_EQ(lengths[0], kMediaStepMs + 5);
    EXPECT_EQ(lengths[1], 25000u + 5);
    EXPECT_LE(lengths[2], 5u);
    EXPECT_EQ(std::count(media.calls.begin(), media.calls.end(), "Suivante"), 2);
    EXPECT_GT(std::count(media.calls.begin(), media.calls.end(), "Diaporama"), 0);
    EXPECT_GT(std::count(media.calls.begin(), media.calls.end(), "Classement"), 0);
    EXPECT_EQ(std::count(media.calls.begin(), media.calls.end(), "Annonceurs"), 0);
    EXPECT_EQ(std::count(media.calls.begin(), media.calls.end(), "Affiches"), 0);
}

TEST_F(Attract, NextStepFollowsTheOrderAndSkipsTheStepsSetToNon) {
    auto& a = m.params.adjustments;
    EXPECT_EQ(nextMediaStep(a, kMediaIdle), 0);
    option(AdjustmentOption::Kiosk); // 0x10
    EXPECT_EQ(nextMediaStep(a, kMediaIdle), kMediaPosters);
    EXPECT_EQ(nextMediaStep(a, kMediaPosters), kMediaPosters); // the only one: again
    option(AdjustmentOption::Videos);                          // 0x02
    EXPECT_EQ(nextMediaStep(a, kMediaIdle), kMediaAdvertisers);
    EXPECT_EQ(nextMediaStep(a, kMediaAdvertisers), kMediaPosters);
    EXPECT_EQ(nextMediaStep(a, kMediaPosters), kMediaAdvertisers); // wraps to the start
    EXPECT_EQ(nextMediaStep(a, kMediaPhotos), kMediaAdvertisers);
    EXPECT_EQ(nextMediaStep(a, kMediaVideo), kMediaPosters);
}

TEST_F(Attract, AnEndedStepStartsTheNextVideoAfterTheHoldOffWhenInternetAdsAreOn) {
    option(AdjustmentOption::InternetAds);
    stepRunning(kMediaPhotos, 0);
    clock.advance(1);
    mediaRotation(m);
    EXPECT_EQ(media.calls, (std::vector<std::string>{"Finir"}));
    EXPECT_EQ(m.rt.mediaDeadline, clock.now() + kMediaHoldOffMs);
    clock.advance(kMediaHoldOffMs + 1);
    attractStep(m);
    EXPECT_EQ(media.calls, (std::vector<std::string>{"Finir", "Suivante"}));
    EXPECT_EQ(m.rt.mediaStep, kMediaVideo);
}

TEST_F(Attract, EachStepRunsOnlyWithItsOwnAdjustment) {
    struct Case {
        uint8_t step;
        AdjustmentOption option;
        std::vector<std::string> calls;
    };
    std::vector<Case> cases{
        {kMediaPhotos, AdjustmentOption::PhotoAtGameOver, {"Diaporama"}},
        {kMediaAdvertisers, AdjustmentOption::Videos, {"Navigateur", "Annonceurs"}},
        {kMediaRanking, AdjustmentOption::RankingPhotos, {"Classement"}},
        {kMediaVideo, AdjustmentOption::InternetAds, {"Demarrer"}},
        {kMediaPosters, AdjustmentOption::Kiosk, {"Affiches"}},
    };
    for (const Case& c : cases) {
        forceOptionalFeaturesOff(m.params.adjustments);
        // The label that reads like the step's is not its switch: every other option on.
        for (AdjustmentOption o :
             {AdjustmentOption::PhotoAtGameOver, AdjustmentOption::Videos, AdjustmentOption::RankingPhotos,
              AdjustmentOption::InternetAds, AdjustmentOption::Kiosk, AdjustmentOption::Posters})
            if (o != c.option)
                option(o);
        media.calls.clear();
        stepRunning(c.step, 1000);
        mediaRotation(m);
        EXPECT_TRUE(media.calls.empty()) << int(c.step);
        option(c.option);
        mediaRotation(m);
        EXPECT_EQ(media.calls, c.calls) << int(c.step);
    }
}

TEST_F(Attract, AVideoOfUnknownLengthIsMeasuredAndNoVideoStartsOverAPlayingOne) {
    option(AdjustmentOption::InternetAds);
    stepRunning(kMediaVideo, 0);
    media.playing = true;
    media.lengthKnown = false;
    mediaRotation(m);
    EXPECT_EQ(media.calls, (std::vector<std::string>{"Mesurer"}));
    EXPECT_EQ(m.rt.mediaEndTime, clock.now() + 30000);
}

TEST_F(Attract, PostersAnimateEvery20MsPauseWhenAskedAndResumeEvery8s) {
    option(AdjustmentOption::Kiosk);
    stepRunning(kMediaPosters, 100000);
    m.rt.posterChangeTime = clock.now();
    mediaRotation(m);
    EXPECT_EQ(media.animations, 0); // not allowed yet
    clock.advance(8001);
    mediaRotation(m); // allowed from now
    for (int t = 0; t < 100; ++t) {
        clock.advance(1);
        mediaRotation(m);
    }
    EXPECT_GE(media.animations, 4);
    EXPECT_LE(media.animations, 5);
    media.pause = true;
    mediaRotation(m);
    int paused = media.animations;
    clock.advance(1000);
    mediaRotation(m);
    EXPECT_EQ(media.animations, paused);
    media.next = true;
    mediaRotation(m);
    EXPECT_EQ(media.calls.back(), "AfficheSuivante");
    clock.advance(8000);
    mediaRotation(m);
    clock.advance(30);
    mediaRotation(m);
    EXPECT_GT(media.animations, paused);
}
