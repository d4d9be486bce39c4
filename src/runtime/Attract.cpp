// The attract sequence: game-over blink and media rotation.
#include "runtime/Attract.h"

#include "config/AdjustmentRows.h"
#include "runtime/MachineOps.h"

namespace pinstage {

namespace {

bool optionOn(const Machine& m, AdjustmentOption o) {
    return optionIsYes(m.params.adjustments, o);
}

void setShownIfDifferent(Machine& m, int e, bool shown) {
    // Only a change asks for a redraw, so a steady display costs no drawing.
    if (m.symbols[size_t(e)] && elementShown(m, e) != shown)
        setElementShown(m, e, shown);
}

} // namespace

void showGameOverAndRecord(Machine& m, bool shown) {
    showRecordDigits(m, m.params.adjustments.recordScore);
    setShownIfDifferent(m, element::kGameOver, shown);
    setShownIfDifferent(m, element::kRecordToBeat, shown);
    for (int e = element::kRecordMillions; e < element::kRecordMillions + element::kRecordDigits; ++e)
        setShownIfDifferent(m, e, shown);
}

void attractStep(Machine& m) {
    if (!m.rt.recordsPhotosShowing)
        showGameOverAndRecord(m, m.game.blinkPhase == 1);
    if (deadlinePassed(m.now(), m.rt.mediaDeadline))
        mediaRotation(m);
    if (!m.hooks.entry->keyboardFormOpen())
        PasClavierFlipper(m);
}

void mediaRotation(Machine& m) {
    AttractMedia& media = *m.hooks.media;
    RuntimeState& rt = m.rt;
    if (media.videoPlaying() && !media.videoLengthKnown())
        media.MesurerVideo(m);
    if (deadlinePassed(m.now(), rt.mediaEndTime)) {
        media.FinirEtapeMedia(m);
        rt.mediaStep = kMediaVideo;
        if (optionOn(m, AdjustmentOption::InternetAds)) {
            media.VideoSuivante(m);
        } else {
            rt.mediaDeadline = 0;
            rt.mediaEndTime = 0;
        }
        return;
    }
    switch (rt.mediaStep) {
    case kMediaPhotos:
        if (optionOn(m, AdjustmentOption::PhotoAtGameOver))
            media.DiaporamaGameOver(m);
        break;
    case kMediaAdvertisers:
        if (optionOn(m, AdjustmentOption::Videos)) {
            media.ensureBrowser(m);
            media.DiffusionAnnonceurs(m);
        }
        break;
    case kMediaRanking:
        if (optionOn(m, AdjustmentOption::RankingPhotos))
            media.raiseRankingFlag(m);
        break;
    case kMediaVideo:
        if (optionOn(m, AdjustmentOption::InternetAds) && !media.videoPlaying())
            media.DemarrerVideo(m);
        break;
    case kMediaPosters:
        if (optionOn(m, AdjustmentOption::Kiosk))
            posterTiming(m);
        break;
    default:
        break;
    }
}

void posterTiming(Machine& m) {
    AttractMedia& media = *m.hooks.media;
    RuntimeState& rt = m.rt;
    const uint32_t now = m.now();
    media.posterStep(m);
    if (rt.posterAllowed && periodPassed(now, rt.posterStepTime, 20)) {
        media.AnimerAffiche(m);
        rt.posterStepTime = now;
    }
    if (media.takePosterPause())
        rt.posterAllowed = false;
    if (periodPassed(now, rt.posterChangeTime, 8000)) {
        rt.posterAllowed = true;
        rt.posterChangeTime = now;
    }
    if (media.takeNextPosterRequest())
        media.loadNextPoster(m);
}

} // namespace pinstage
