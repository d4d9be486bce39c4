// The three drop-target banks: each target scores once per bank cycle, a full bank gives its
// award and reset pulse, and 500 ms after the pulse the bank starts a new cycle.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

constexpr uint32_t kBankLatchExpiryMs = 500;

// The rules of the right bank (c17, c25, c33, c9), the colour bank (c11, c19, c27) and the word
// bank (c13, c21, c12, c20), in that order.
void rightBankRules(Machine& m);
void colourBankRules(Machine& m);
void wordBankRules(Machine& m);

// Every turn: a bank whose reset pulse is more than 500 ms old forgets its targets and the
// closures they made meanwhile.
void bankLatchExpiry(Machine& m);

} // namespace pinstage
