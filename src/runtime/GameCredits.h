// Credits as the player sees them and as the accounting file keeps them: every step of the credit
// counter goes with one step of the stored digits, so the two never disagree.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

// One credit more: the digits stepped and saved, and the credit counter's units reel one step
// forward. At 99 nothing changes; false then.
bool giveCredit(Machine& m);
// One credit less, the same way; at 0 nothing changes and false is returned.
bool takeCredit(Machine& m);

} // namespace pinstage
