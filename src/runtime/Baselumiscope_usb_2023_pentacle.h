// The game flow: the machine switches (coins, start, drain, tilt, game over, service switches),
// the game's life cycle, free games, record and match.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

void gameLoopStep(Machine& m);

} // namespace pinstage
