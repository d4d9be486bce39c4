// Load, save and defaults of the combinations file "CombinaisonsParam.fli" (numbered).
#pragma once

#include "config/CombinationsRecord.h"
#include "platform/DataRoot.h"

#include <filesystem>
#include <span>
#include <vector>

namespace pinstage {

void loadCombinations(const std::filesystem::path& file, CombinationsRecord& r); // PinError on failure
void saveCombinations(const std::filesystem::path& file, const CombinationsRecord& r);
CombinationsRecord defaultCombinations();
// Writes CombinaisonsParamN.fli and its copy DefautCombinaisonsN.fli; r is unchanged when the first save
// fails.
void createCombinationsDefaults(const DataRoot& root, int config, CombinationsRecord& r);

std::vector<uint8_t> encodeCombinations(const CombinationsRecord& r);
std::vector<FieldLine> describeCombinations(std::span<const uint8_t> bytes);

} // namespace pinstage
