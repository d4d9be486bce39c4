// Outside a game: the blinking game-over and record display, the attract media rotation, and the
// flipper-button navigation of the on-screen keyboard cursor with the two-button long press.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

void attractStep(Machine& m);
void PasClavierFlipper(Machine& m);

} // namespace pinstage
