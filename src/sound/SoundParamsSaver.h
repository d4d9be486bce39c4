// The save action the sound table runs after repairing a missing file: the whole sound record
// written at once to "SonsParam<n>.fli" of the configuration in use.
#pragma once

#include "config/SoundsRecord.h"
#include "platform/DataRoot.h"

#include <functional>

namespace pinstage {

// The record is read when the action runs, so it saves what loadSounds has just rewritten.
// The action throws PinError("Impossible de créer le fichier de paramètrages du son") on failure.
std::function<void()> soundParamsSaver(const DataRoot& root, int configuration, const SoundsRecord& record);

} // namespace pinstage
