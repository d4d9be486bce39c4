// The start button (c5): the 5 s hold that shuts the PC down, the name step, the credit taken, a
// new game or one more player.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

enum class StartOutcome {
    NotPending,
    Pending, // waits for the reels or the name step: the closure stays pending
    Done,
};

StartOutcome startButtonHandler(Machine& m);

// A new game: the reels rolled to 0, the panels of a one-player game, the playfield reset.
void startNewGame(Machine& m);

// The reels tell the game when a ball first scores: the shoot-again lamp and text go out.
void connectReelsToGame(Machine& m);

} // namespace pinstage
