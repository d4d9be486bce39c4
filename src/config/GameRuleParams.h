// Load, save and defaults of the game rule file "RegleDuJeuParam.fli" (numbered).
#pragma once

#include "config/ByteCodec.h"
#include "config/GameRuleRecord.h"
#include "platform/DataRoot.h"

#include <filesystem>
#include <span>
#include <vector>

namespace pinstage {

void loadGameRule(const std::filesystem::path& file, GameRuleRecord& r); // PinError on failure
void saveGameRule(const std::filesystem::path& file, const GameRuleRecord& r);
GameRuleRecord defaultGameRule();
// Writes RegleDuJeuParamN.fli and its copy DefautRegleDuJeuN.fli; r is unchanged when the first save fails.
void createGameRuleDefaults(const DataRoot& root, int config, GameRuleRecord& r);

std::vector<uint8_t> encodeGameRule(const GameRuleRecord& r);
std::vector<FieldLine> describeGameRule(std::span<const uint8_t> bytes);

} // namespace pinstage
