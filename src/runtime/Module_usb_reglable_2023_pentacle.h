// The rules of the Pentacle table: what each playfield switch scores, lights and fires, the target
// banks, multiplied play, the bonus ladder and hole, and the ball serve and game reset.
#pragma once

#include "runtime/BonusLadder.h"
#include "runtime/GameServe.h"
#include "runtime/Machine.h"

namespace pinstage {

constexpr uint32_t kShootAgainBlinkMs = 500;
constexpr uint32_t kBlinkMs = 1000;

// The pending playfield closures, rule by rule in the order of the table. Closures outside a
// running, untilted game are dropped (the bank latches and the bonus hole excepted).
void moduleRulesStep(Machine& m);

// The timed work of every turn: shoot-again blink, jingle end, the player's score from the reels,
// the free-game thresholds, the bonus advance, the bonus-hole release, the bank latch expiry and
// the one-second blink and multiplied-play tick.
void modulePeriodicStep(Machine& m);

} // namespace pinstage
