#include "runtime/Baselumiscope_usb_2023_pentacle.h"

namespace pinstage {

// The game flow; until it lands the machine only turns its attract loop.
void gameLoopStep(Machine&) {}

} // namespace pinstage
