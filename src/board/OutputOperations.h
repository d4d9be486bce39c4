// What the game asks of a coil or a lamp: bits changed in memory, sent later by the engines.
#pragma once

#include "board/Outputs.h"

namespace pinstage {

// Releases the coil and drops its pulse request.
void coilOff(Outputs& out, Sortie& coil);
// Switches the coil on and keeps it on.
void coilHold(Outputs& out, Sortie& coil);
// Requests a pulse; the coil engine times it.
void coilPulse(Outputs& out, Sortie& coil);

void lampOn(Outputs& out, VoyantLed& lamp);
void lampOff(Outputs& out, VoyantLed& lamp);

// The same by number; a number outside the tables does nothing.
void coilOff(Outputs& out, int coil);
void coilHold(Outputs& out, int coil);
void coilPulse(Outputs& out, int coil);
void lampOn(Outputs& out, int lamp);
void lampOff(Outputs& out, int lamp);

} // namespace pinstage
