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

// One attract turn: the game-over and record display follow blinkPhase (unless the game-over
// photos are showing), the media rotation once now > mediaDeadline, and the navigation when the
// name-entry keyboard is not open.
void attractStep(Machine& m);

// The media rotation: ends a step whose time is over (then nothing else this turn), otherwise
// runs the step on which mediaStep stands when its adjustment is "oui".
void mediaRotation(Machine& m);

// Poster timing of step 0x10: animation every 20 ms while allowed, a pause when the animation
// asks for one, allowed again every 8 s, and the next poster when asked.
void posterTiming(Machine& m);

// Shows or hides "GAME OVER" and the record to beat with its digits.
void showGameOverAndRecord(Machine& m, bool shown);

} // namespace pinstage
