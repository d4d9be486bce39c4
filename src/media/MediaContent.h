// The advertising content of the attract sequence in one place: the advertisers' rotation (step
// 0x02), the video (step 0x08) and the posters (step 0x10), with what the end of a step stops.
// The runtime's attract media forwards its calls here; times come from its clock.
#pragma once

#include "media/AdBrowser.h"
#include "media/AdvertiserRotation.h"
#include "media/MediaJournal.h"
#include "media/PosterAnimation.h"
#include "media/PosterScreen.h"
#include "media/VideoPlayer.h"
#include "media/VideoSequence.h"
#include "platform/DataRoot.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace pinstage {

struct MediaScreenSize {
    int32_t width = 1360;
    int32_t height = 768;
    int32_t designHeight = 768; // the backglass layout's height
};

class MediaContent {
public:
    MediaContent(DataRoot root, int configuration, uint32_t programStart, MediaScreenSize screen,
                 AdScreen& adScreen, PosterScreen& posterScreen, VideoPlayer& player,
                 MediaJournal journal = {});

    // The kiosk's browser: `make` creates it when asked (ensureBrowser) and returns it, or null.
    void setBrowserFactory(std::function<AdBrowser*()> make) { makeBrowser_ = std::move(make); }
    void setBrowser(AdBrowser* browser) { browser_ = browser; }
    AdBrowser* browser() const { return browser_; }

    // Step 0x02.
    void ensureBrowser();
    void DiffusionAnnonceurs(uint32_t now);

    // Step 0x10.
    void posterStep();
    void AnimerAffiche();
    bool takePosterPause() { return posters_.takePause(); }
    bool takeNextPosterRequest() { return posters_.takeNextRequest(); }
    // NouvelleAffiche: the next poster chosen, loaded and placed.
    void loadNextPoster(uint32_t now);
    bool postersShown() const { return postersShown_; }

    // Step 0x08. VideoSuivante returns the step's end time (now when there is no video).
    uint32_t VideoSuivante(uint32_t now) { return video_.VideoSuivante(now); }
    void DemarrerVideo(uint32_t now) { video_.DemarrerVideo(now); }
    // The step's real end once the player knows the length (or gave up on the file).
    std::optional<uint32_t> MesurerVideo(uint32_t now) { return video_.MesurerVideo(now); }
    bool videoPlaying() const { return video_.playing(); }
    bool videoLengthKnown() const { return video_.measured(); }

    // The end of any media step: the video stopped, the posters and the overlay hidden.
    void finishStep(uint32_t now);

    const AdvertiserRotation& advertisers() const { return advertisers_; }
    const PosterAnimation& posters() const { return posters_; }
    const VideoSequence& video() const { return video_; }

private:
    DataRoot root_;
    AdScreen& adScreen_;
    PosterScreen& posterScreen_;
    MediaJournal journal_;
    AdvertiserRotation advertisers_;
    PosterAnimation posters_;
    VideoSequence video_;
    std::function<AdBrowser*()> makeBrowser_;
    AdBrowser* browser_ = nullptr;
    bool postersShown_ = false;
};

} // namespace pinstage
