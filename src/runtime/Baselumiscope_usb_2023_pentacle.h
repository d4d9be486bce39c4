// The game flow: the machine switches (coins, start, drain, tilt, game over, service switches),
// the game's life cycle, free games, record and match.
#pragma once

#include "runtime/GameAwards.h"
#include "runtime/GameOver.h"
#include "runtime/GameStart.h"
#include "runtime/Machine.h"

namespace pinstage {

// The pending machine switches, in order: ball return, coins 1 and 2, coin 3, start, test
// switch, test push, game over, tilt.
void gameLoopStep(Machine& m);

} // namespace pinstage
