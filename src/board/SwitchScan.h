// The switch scan: matrix reports and direct switches turned into contact events.
#pragma once

#include "board/BoardIo.h"
#include "board/ContactGridObserver.h"
#include "board/Outputs.h"
#include "board/SwitchState.h"
#include "platform/Clock.h"

namespace pinstage {

// Fetches and applies one switch-matrix report; fires the direct coils of the contacts it shows closed.
void scanMatrix(SwitchState& sw, BoardIo& io, Outputs& out, const Clock& clock,
                ContactGridObserver* grid = nullptr);

// Reads the direct switches; one event per closure.
void scanDirectSwitches(SwitchState& sw, BoardIo& io, Outputs& out, const Clock& clock,
                        ContactGridObserver* grid = nullptr);

// Clears the input images; with clearAll zeroes the 64 matrix entries of contactFlags, otherwise
// clears only their pending bit.
void clearContactEvents(SwitchState& sw, bool clearAll);

// Repaints the direct-switch rows of the contact grid from the current levels.
void refreshDirectSwitchRows(const SwitchState& sw, ContactGridObserver& grid);

} // namespace pinstage
