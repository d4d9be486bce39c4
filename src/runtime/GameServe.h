// Putting a ball in play: the direct coils of the bumpers and kickers, the playfield reset of a
// new game, each player's saved lamps and coils, and the ball serve.
#pragma once

#include "runtime/Machine.h"

#include <cstdint>

namespace pinstage {

// In a running, untilted game c34, c30, c46 and c43 fire coils 9, 8, 10 and 11 from the scan
// itself; otherwise they fire nothing.
void armDirectCoils(Machine& m);

// One pulse that starts restMs after now and is not repeated (the ball serve and the bonus-hole kick).
void programDelayedPulse(Machine& m, int coil, uint32_t restMs);

// Every coil and lamp off, multiplied play off, the playfield relays held, and every player's
// saved playfield made the same empty one.
void resetPlayfieldForGame(Machine& m);

// The current player's lamps and coils 16-18 kept for their next ball; the letters P, I, T hidden.
void savePlayerPlayfield(Machine& m);
// The current player's saved lamps and coils 16-18 back on the playfield (coils 19-23 off).
void restorePlayerPlayfield(Machine& m);

// The current player's next ball: banks reset, banner and ball number shown, the serve coil
// programmed, the tilt cleared, the player's playfield restored, the music started.
void serveBall(Machine& m);

} // namespace pinstage
