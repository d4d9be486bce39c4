// Load, save and defaults of the accounting file "Comptabilite.fli" (numbered per configuration).
#pragma once

#include "config/AccountingRecord.h"
#include "config/ByteCodec.h"
#include "platform/DataRoot.h"

#include <filesystem>
#include <span>
#include <vector>

namespace pinstage {

void loadAccounting(const std::filesystem::path& file, AccountingRecord& r); // PinError on failure
void saveAccounting(const std::filesystem::path& file, const AccountingRecord& r);
// Every counter and both credit digits 0, written to ComptabiliteN.fli; r is unchanged when the save fails.
void createAccountingDefaults(const DataRoot& root, int config, AccountingRecord& r);

std::vector<uint8_t> encodeAccounting(const AccountingRecord& r);
std::vector<FieldLine> describeAccounting(std::span<const uint8_t> bytes);

} // namespace pinstage
