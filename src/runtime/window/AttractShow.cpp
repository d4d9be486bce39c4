// Forwarding of the attract media's calls to the records display and to the advertising content.
#include "runtime/window/AttractShow.h"

#include "media/MediaTrace.h"

namespace pinstage {

AttractShow::AttractShow(Machine& m, BackglassBridge& display, QWidget* window)
    : RecordsMedia(m, display), display_(display), screen_([&display] { return display.backglass(); }),
      player_(window), programStart_(m.now()) {
    // The poster is drawn over each frame after the records' photos.
    FrameHooks hooks;
    hooks.recordsStep = [this](QImage& backBuffer) {
        return frameStep(backBuffer) + screen_.drawPoster(backBuffer);
    };
    display_.setFrameHooks(std::move(hooks));
}

MediaContent& AttractShow::contentFor(Machine& m) {
    const int32_t configuration = m.rt.configurationInUse;
    if (!content_ || contentConfiguration_ != configuration) {
        if (content_)
            content_->finishStep(m.now());
        const ScreenSize size = screen();
        MediaScreenSize sizes{size.width, size.height};
        if (Backglass* b = display_.backglass(); b && b->mapping.design().height > 0)
            sizes.designHeight = b->mapping.design().height;
        content_.emplace(m.root, configuration, programStart_, sizes, screen_, screen_, player_,
                         journalTo(*m.hooks.trace));
        contentConfiguration_ = configuration;
        if (makeBrowser_)
            content_->setBrowserFactory(makeBrowser_);
    }
    return *content_;
}

void AttractShow::FinirEtapeMedia(Machine& m) {
    if (content_)
        content_->finishStep(m.now());
    if (closeBrowser_)
        closeBrowser_();
    RecordsMedia::FinirEtapeMedia(m);
}

void AttractShow::MesurerVideo(Machine& m) {
    if (auto end = contentFor(m).MesurerVideo(m.now()))
        m.rt.mediaEndTime = *end;
}

bool AttractShow::videoPlaying() const {
    return content_ && content_->videoPlaying();
}

bool AttractShow::videoLengthKnown() const {
    return !content_ || content_->videoLengthKnown();
}

void AttractShow::DiffusionAnnonceurs(Machine& m) {
    contentFor(m).DiffusionAnnonceurs(m.now());
}

void AttractShow::ensureBrowser(Machine& m) {
    contentFor(m).ensureBrowser();
}

void AttractShow::DemarrerVideo(Machine& m) {
    contentFor(m).DemarrerVideo(m.now());
}

void AttractShow::VideoSuivante(Machine& m) {
    m.rt.mediaEndTime = contentFor(m).VideoSuivante(m.now());
}

void AttractShow::posterStep(Machine& m) {
    contentFor(m).posterStep();
}

void AttractShow::AnimerAffiche(Machine& m) {
    contentFor(m).AnimerAffiche();
}

bool AttractShow::takePosterPause() {
    return content_ && content_->takePosterPause();
}

bool AttractShow::takeNextPosterRequest() {
    return content_ && content_->takeNextPosterRequest();
}

void AttractShow::loadNextPoster(Machine& m) {
    contentFor(m).loadNextPoster(m.now());
}

} // namespace pinstage
