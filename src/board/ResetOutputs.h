// Every coil and lamp off, and the board told so.
#pragma once

#include "board/BoardIo.h"
#include "board/Outputs.h"
#include "board/SwitchState.h"
#include "platform/Clock.h"

namespace pinstage {

// Switches all 24 coils and 64 lamps off, clears the lamp images and the direct-switch levels and,
// with a board present, sends the dark lamp matrix and released coil ports at once.
void resetOutputs(Outputs& out, BoardIo& io, SwitchState& sw, const Clock& clock);

} // namespace pinstage
