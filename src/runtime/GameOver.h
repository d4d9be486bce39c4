// The end of a game on the backglass and the playfield, and the waits for the reels that the game
// flow makes inside a turn.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

// Turns the reel stepper and animator, with a backglass frame, the coil and lamp engines and the
// host's events on each pass,
// until no reel moves. Time passes only through the clock: a host whose processEvents advances a
// manual clock lets this end in tests. A clock that stands still for a million passes ends the wait.
void waitReelsStopped(Machine& m);

// After the reels stop: no game, multiplied play off, the game-over panels, banners and blinking
// shown, the direct coils disarmed and the flippers and playfield relays off.
void showGameOver(Machine& m);

} // namespace pinstage
