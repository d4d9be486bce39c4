// The attract sequence: game-over blink and media rotation.
#include "runtime/Attract.h"

#include "config/AdjustmentRows.h"
#include "runtime/MachineOps.h"
#include "runtime/PlayerRecords.h"

#include <array>
#include <cstdio>

namespace pinstage {

namespace {

// The rotation's order and the adjustment each step needs (whatever the labels' wording says).
struct MediaPairing {
    uint8_t step;
    AdjustmentOption option;
};
constexpr std::array<MediaPairing, 5> kMediaOrder{{
    {kMediaPhotos, AdjustmentOption::PhotoAtGameOver},
    {kMediaAdvertisers, AdjustmentOption::Videos},
    {kMediaRanking, AdjustmentOption::RankingPhotos},
    {kMediaVideo, AdjustmentOption::InternetAds},
    {kMediaPosters, AdjustmentOption::Kiosk},
}};

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

void refreshRecordDisplay(Machine& m) {
    const bool shown = m.game.blinkPhase == 1;
    showRecordDigits(m, m.params.adjustments.recordScore);
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

uint8_t nextMediaStep(const AdjustmentsRecord& a, uint8_t current) {
    size_t from = kMediaOrder.size() - 1; // not a step: start the search at the first
    for (size_t k = 0; k < kMediaOrder.size(); ++k)
        if (kMediaOrder[k].step == current)
            from = k;
    for (size_t n = 1; n <= kMediaOrder.size(); ++n) {
        const MediaPairing& next = kMediaOrder[(from + n) % kMediaOrder.size()];
        if (optionIsYes(a, next.option))
            return next.step;
    }
    return 0;
}

void startMediaStep(Machine& m, uint8_t step) {
    RuntimeState& rt = m.rt;
    rt.mediaStep = step;
    rt.mediaStepStarted = true;
    char line[32];
    std::snprintf(line, sizeof line, "media step 0x%02X", unsigned(step));
    trace(m, line);
    switch (step) {
    case kMediaRanking:
        startRankingStep(m);
        break;
    case kMediaVideo:
        // The video sets the end itself (header length, then the player's); without one the step
        // ends at the next turn.
        rt.mediaEndTime = 0;
        m.hooks.media->VideoSuivante(m);
        break;
    default:
        rt.mediaEndTime = nonZeroTime(m.now() + kMediaStepMs);
        break;
    }
}

void mediaRotation(Machine& m) {
    AttractMedia& media = *m.hooks.media;
    RuntimeState& rt = m.rt;
    if (media.videoPlaying() && !media.videoLengthKnown())
        media.MesurerVideo(m);
    if (!rt.mediaStepStarted) {
        uint8_t next = nextMediaStep(m.params.adjustments, rt.mediaStep);
        if (next == 0) {
            // Nothing to show: the rotation idles and looks again after the hold-off.
            rt.mediaDeadline = nonZeroTime(m.now() + kMediaHoldOffMs);
            rt.mediaEndTime = 0;
            return;
        }
        startMediaStep(m, next);
        return;
    }
    if (deadlinePassed(m.now(), rt.mediaEndTime)) {
        rt.mediaStepStarted = false;
        media.FinirEtapeMedia(m);
        return;
    }
    switch (rt.mediaStep) {
    case kMediaPhotos:
        if (optionOn(m, AdjustmentOption::PhotoAtGameOver)) {
            m.records.slideshowShowing = true;
            media.DiaporamaGameOver(m);
        }
        break;
    case kMediaAdvertisers:
        if (optionOn(m, AdjustmentOption::Videos)) {
            media.ensureBrowser(m);
            media.DiffusionAnnonceurs(m);
        }
        break;
    case kMediaRanking:
        if (optionOn(m, AdjustmentOption::RankingPhotos)) {
            m.records.rankingShowing = true;
            media.raiseRankingFlag(m);
        }
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
