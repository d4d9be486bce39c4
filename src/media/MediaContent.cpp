// The advertising content: each step's operations on its component, and the end of a step.
#include "media/MediaContent.h"

#include <system_error>

namespace pinstage {

MediaContent::MediaContent(DataRoot root, int configuration, uint32_t programStart, MediaScreenSize screen,
                           AdScreen& adScreen, PosterScreen& posterScreen, VideoPlayer& player,
                           MediaJournal journal)
    : root_(std::move(root)), adScreen_(adScreen), posterScreen_(posterScreen), journal_(journal),
      advertisers_(root_, configuration, programStart, journal),
      posters_(screen.width, screen.height, screen.designHeight),
      video_(root_.dir(DataDir::PubVideo), screen.width, screen.height, player, journal) {}

void MediaContent::ensureBrowser() {
    if ((!browser_ || !browser_->exists()) && makeBrowser_) {
        browser_ = makeBrowser_();
        // A new browser holds the pointer in its rectangle and is given its page without waiting
        // for the next period.
        if (browser_ && browser_->exists()) {
            adScreen_.confinePointer(browser_->rectangle());
            advertisers_.browserCreated();
        }
    }
}

void MediaContent::DiffusionAnnonceurs(uint32_t now) {
    advertisers_.DiffusionAnnonceurs(now, browser_, adScreen_);
}

void MediaContent::posterStep() {
    if (!postersShown_) {
        postersShown_ = true;
        posterScreen_.setPosterShown(true);
    }
}

void MediaContent::AnimerAffiche() {
    posters_.AnimerAffiche();
    posterScreen_.placePoster(posters_.destination(), posters_.source());
}

void MediaContent::loadNextPoster(uint32_t now) {
    const auto dir = root_.dir(DataDir::PubImages);
    const std::string name = posters_.NouvelleAffiche([&](const std::string& n) {
        std::error_code ec;
        return std::filesystem::is_regular_file(dir / n, ec);
    });
    if (posterScreen_.loadPoster(dir / name))
        journal_(now, "media poster " + name);
    else
        journal_(now, "media poster " + name + " missing");
    posterScreen_.placePoster(posters_.destination(), posters_.source());
}

void MediaContent::finishStep(uint32_t now) {
    video_.stop(now);
    if (postersShown_) {
        postersShown_ = false;
        posterScreen_.setPosterShown(false);
    }
    if (adScreen_.overlayExists())
        adScreen_.hideOverlay();
    // The browser is closed with the step (by its owner); the pointer goes back to hiding.
    if (browser_ && browser_->exists()) {
        adScreen_.releasePointer();
        advertisers_.stepEnded();
    }
}

} // namespace pinstage
