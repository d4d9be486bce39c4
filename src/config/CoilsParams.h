// Load, save and factory defaults of the coils file "BobinesParam.fli".
#pragma once

#include "config/CoilsRecord.h"
#include "platform/DataRoot.h"

#include <filesystem>
#include <span>
#include <vector>

namespace pinstage {

void loadCoils(const std::filesystem::path& file, CoilsRecord& r); // PinError on failure
void saveCoils(const std::filesystem::path& file, const CoilsRecord& r);
// The record built from the coil default rows of the label tables.
CoilsRecord defaultCoils();
// Fills r with the defaults and writes "BobinesParam.fli"; r is unchanged when the save fails.
void createCoilsDefaults(const DataRoot& root, CoilsRecord& r);

std::vector<uint8_t> encodeCoils(const CoilsRecord& r);
std::vector<FieldLine> describeCoils(std::span<const uint8_t> bytes);

} // namespace pinstage
