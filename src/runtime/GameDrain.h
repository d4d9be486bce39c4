// The ball return (c47): the bonus count, the next ball or the next player, and the game over.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

enum class DrainOutcome {
    NotPending, // no drained ball to handle
    Waiting,    // reels still moving: nothing else is handled this turn
    Counting,   // bonus being counted: the closure stays pending, other switches go on
    Done,       // handled and cleared
};

DrainOutcome drainHandler(Machine& m);

// After a ball that counts: the next player that has a ball left (up to four tries).
void moveToNextPlayer(Machine& m);

} // namespace pinstage
