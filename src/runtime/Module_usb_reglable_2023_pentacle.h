// The rules of the Pentacle table: what each playfield switch scores, lights and fires, the target
// banks, multiplied play, the bonus ladder and hole, and the ball serve and game reset.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

void moduleRulesStep(Machine& m);
void modulePeriodicStep(Machine& m);

} // namespace pinstage
