// Load, save and factory defaults of the contacts file "ContactsParam.fli".
#pragma once

#include "config/ContactsRecord.h"
#include "platform/DataRoot.h"

#include <filesystem>
#include <span>
#include <vector>

namespace pinstage {

void loadContacts(const std::filesystem::path& file, ContactsRecord& r); // PinError on failure
void saveContacts(const std::filesystem::path& file, const ContactsRecord& r);
ContactsRecord defaultContacts();
// Fills r with the factory names and writes "ContactsParam.fli"; r is unchanged when the save fails.
void createContactsDefaults(const DataRoot& root, ContactsRecord& r);

std::vector<uint8_t> encodeContacts(const ContactsRecord& r);
std::vector<FieldLine> describeContacts(std::span<const uint8_t> bytes);

} // namespace pinstage
