// Load, save and factory defaults of the lamps file "VoyantsParam.fli".
#pragma once

#include "config/LampsRecord.h"
#include "platform/DataRoot.h"

#include <filesystem>
#include <span>
#include <vector>

namespace pinstage {

void loadLamps(const std::filesystem::path& file, LampsRecord& r); // PinError on failure
void saveLamps(const std::filesystem::path& file, const LampsRecord& r);
// The record built from the lamp default rows of the label tables.
LampsRecord defaultLamps();
// Fills r with the defaults and writes "VoyantsParam.fli"; r is unchanged when the save fails.
void createLampsDefaults(const DataRoot& root, LampsRecord& r);

std::vector<uint8_t> encodeLamps(const LampsRecord& r);
std::vector<FieldLine> describeLamps(std::span<const uint8_t> bytes);

} // namespace pinstage
