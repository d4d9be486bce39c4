// The attract sequence's media on the backglass window, behind the machine's one AttractMedia: the
// records display (ranking, game-over slideshow) and the advertising content (advertisers' rotation
// and local pictures, posters, video), the latter built for the configuration in use.
#pragma once

#include "media/BackglassMediaScreen.h"
#include "media/MediaContent.h"
#include "media/QtVideoPlayer.h"
#include "runtime/window/RecordsMedia.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

namespace pinstage {

class AttractShow final : public RecordsMedia {
public:
    // The video is shown in a child of window; becomes m.hooks.media until destroyed.
    AttractShow(Machine& m, BackglassBridge& display, QWidget* window);

    void FinirEtapeMedia(Machine& m) override;
    void MesurerVideo(Machine& m) override;
    bool videoPlaying() const override;
    bool videoLengthKnown() const override;
    void DiffusionAnnonceurs(Machine& m) override;
    void ensureBrowser(Machine& m) override;
    void DemarrerVideo(Machine& m) override;
    void VideoSuivante(Machine& m) override;
    void posterStep(Machine& m) override;
    void AnimerAffiche(Machine& m) override;
    bool takePosterPause() override;
    bool takeNextPosterRequest() override;
    void loadNextPoster(Machine& m) override;

    // The advertisers' web browser: made on demand by make, closed by close at the end of a step.
    void setBrowserFactory(std::function<AdBrowser*()> make, std::function<void()> close) {
        makeBrowser_ = std::move(make);
        closeBrowser_ = std::move(close);
        if (content_)
            content_->setBrowserFactory(makeBrowser_);
    }

    // The pointer calls of the advertisers' pictures (the window host's).
    BackglassMediaScreen& adScreen() { return screen_; }
    const MediaContent* content() const { return content_ ? &*content_ : nullptr; }

private:
    // The content of the configuration in use, made again after a table choice (its advertisers'
    // file and the screen may differ).
    MediaContent& contentFor(Machine& m);

    BackglassBridge& display_;
    BackglassMediaScreen screen_;
    QtVideoPlayer player_;
    uint32_t programStart_;
    std::optional<MediaContent> content_;
    int32_t contentConfiguration_ = -1;
    std::function<AdBrowser*()> makeBrowser_;
    std::function<void()> closeBrowser_;
};

} // namespace pinstage
