// The coil engine: times every pulse (rest, pulse, repeats) and writes coil ports 3 to 5.
#pragma once

#include "board/BoardIo.h"
#include "board/Outputs.h"
#include "platform/Clock.h"

namespace pinstage {

// One pass over the 24 coils; a port written short raises "erreur d'écriture".
void runCoilEngine(Outputs& out, BoardIo& io, const Clock& clock);

// Sends coil byte k to its port (3 + k); a short write raises "erreur d'écriture".
void sendCoilPort(Outputs& out, BoardIo& io, int k);

} // namespace pinstage
