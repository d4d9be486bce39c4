#include "runtime/Attract.h"

namespace pinstage {

// Filled in with the attract sequence; until then the loop runs without it.
void attractStep(Machine&) {}
void PasClavierFlipper(Machine&) {}

} // namespace pinstage
