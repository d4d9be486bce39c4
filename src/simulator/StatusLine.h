// The simulator's status line: credits, current player, ball, that player's score, the players'
// done mask and where the ball is.
#pragma once

#include "runtime/Machine.h"
#include "simulator/SmartPlayfield.h"

#include <string>

namespace pinstage {

std::string simulatorStatus(const Machine& m, BallPlace ball);

} // namespace pinstage
