// The start-up of the machine: the start-up timer's tick (splash, adjustments of configuration 0,
// the overrides, the selection screen), the initialisation of a configuration that runs the main
// loop, the return to the table choice and the display tear-down.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

constexpr uint32_t kStartupTickMs = 50;

// FormCreate: the overrides, selectionPending = 1 and the start-up timer armed.
void FormCreate(Machine& m);

// Writes "non" into the eight optional features of the in-memory adjustments (the file is not
// changed), unless keepMediaOptions (--media-options) keeps the stored values.
void applyStartupOverrides(Machine& m);

// Saves the adjustments of the configuration in use: the fields from memory, but the eight
// overridden options as the file holds them, so that an override never reaches the disk (with
// keepMediaOptions the memory holds the operator's own values and is written as it is).
void saveAdjustmentsInUse(Machine& m);

// One tick of the start-up timer (every 50 ms while enabled).
void startupTick(Machine& m);

// Loads and builds everything for configurationNumber and runs the main loop; returns when the
// loop has ended (or at once when no board answers: the dashboard, then the end of the program).
void initialiseMachine(Machine& m);

// The display torn down before the table choice is shown again.
void tearDownDisplay(Machine& m);

// Opens the board through the machine's transport when it is not open; true when it is open.
bool openMachineBoard(Machine& m);

} // namespace pinstage
