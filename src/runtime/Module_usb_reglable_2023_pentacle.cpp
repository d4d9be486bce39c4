#include "runtime/Module_usb_reglable_2023_pentacle.h"

namespace pinstage {

// The table rules come with the game; until then closures are left to the game flow.
void moduleRulesStep(Machine&) {}
void modulePeriodicStep(Machine&) {}

} // namespace pinstage
