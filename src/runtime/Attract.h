// Outside a game: the blinking game-over and record display, the attract media rotation, and the
// flipper-button navigation (Navigation.h).
#pragma once

#include "runtime/Machine.h"
#include "runtime/Navigation.h"

namespace pinstage {

// Media steps of the rotation (mediaStep).
constexpr uint8_t kMediaPhotos = 0x01;
constexpr uint8_t kMediaAdvertisers = 0x02;
constexpr uint8_t kMediaRanking = 0x04;
constexpr uint8_t kMediaVideo = 0x08;
constexpr uint8_t kMediaPosters = 0x10;
constexpr uint8_t kMediaIdle = 0x80;
constexpr uint8_t kMediaTearDown = 0x00;
constexpr uint32_t kMediaHoldOffMs = 7000;
// A step that sets no end of its own (slideshow, advertisers, posters) lasts this long.
constexpr uint32_t kMediaStepMs = 30000;

// A time ahead used as a deadline, never the 0 that means "none".
inline uint32_t nonZeroTime(uint32_t t) {
    return t == 0 ? 1 : t;
}

// The step after `current` in the order 0x01, 0x02, 0x04, 0x08, 0x10 (then 0x01 again) whose
// adjustment reads "oui"; from a value that is no step the search starts at 0x01. 0 when none.
uint8_t nextMediaStep(const AdjustmentsRecord& a, uint8_t current);

// One attract turn: the game-over and record display follow blinkPhase (unless the game-over
// photos are showing), the media rotation once now > mediaDeadline, and the navigation when the
// name-entry keyboard is not open.
void attractStep(Machine& m);

// The media rotation: ends a started step whose time is over (FinirEtapeMedia, then 7 s of plain
// attract); with no step started, starts the next step whose adjustment is "oui" (none: looks
// again 7 s later); otherwise runs the started step when its adjustment is "oui".
void mediaRotation(Machine& m);

// Starts a step: its journal line, then ranking: sort once and 25 s; video: VideoSuivante (which
// sets the end); the others end 30 s after their start.
void startMediaStep(Machine& m, uint8_t step);

// Poster timing of step 0x10: animation every 20 ms while allowed, a pause when the animation
// asks for one, allowed again every 8 s, and the next poster when asked.
void posterTiming(Machine& m);

// Shows or hides "GAME OVER" and the record to beat with its digits.
void showGameOverAndRecord(Machine& m, bool shown);
// The record to beat with its digits shown or hidden by the blink phase (while the records photos
// show, they keep it up to date instead of the attract step).
void refreshRecordDisplay(Machine& m);

} // namespace pinstage
