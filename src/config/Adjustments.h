// Load, save and defaults of the adjustments file "Réglages.fli" (numbered per configuration).
#pragma once

#include "config/AdjustmentsRecord.h"
#include "platform/DataRoot.h"

#include <filesystem>
#include <span>
#include <vector>

namespace pinstage {

void loadAdjustments(const std::filesystem::path& file, AdjustmentsRecord& r); // PinError on failure
void saveAdjustments(const std::filesystem::path& file, const AdjustmentsRecord& r);
// The record of the default column of the adjustment table.
AdjustmentsRecord defaultAdjustments();
// Fills r with the defaults and writes RéglagesN.fli; r is unchanged when the save fails.
void createAdjustmentsDefaults(const DataRoot& root, int config, AdjustmentsRecord& r);

std::vector<uint8_t> encodeAdjustments(const AdjustmentsRecord& r);
std::vector<FieldLine> describeAdjustments(std::span<const uint8_t> bytes);

} // namespace pinstage
