// The sound table file "SonsParam.fli" (numbered): load, save, built-in defaults and the dump listing.
// The record layout itself is in SoundsRecord.h.
#pragma once

#include "config/ByteCodec.h"
#include "config/ContactsRecord.h"
#include "config/SoundsRecord.h"
#include "platform/DataRoot.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace pinstage {

// Default WAV file per sound number 0-63, then the end marker " ".
extern const std::array<const char*, 65> soundFileNames;
// 103 rows of (label, default sound number as decimal text): functions 0-30 are game events,
// 31-94 the matrix contacts, 95-102 the direct switches. Contact labels get the contact's name
// appended when a record is built.
extern const std::array<const char*, 206> soundFunctions;

// The built-in table: file names for entries 0-63, every entry's label and default sound.
SoundsRecord defaultSoundParams(const ContactsRecord& contacts);

// Reads at most 10 640 bytes; a short file fills what it holds and leaves the rest as it was.
// Entry 95 is never read: its sound is set back to the default, its label kept.
// PinError "fichier de paramétrage des sons introuvable" when unreadable.
void loadSoundParams(const std::filesystem::path& file, SoundsRecord& r);
// Writes entries 0-94 over the file's first bytes (a longer file keeps its tail), power-safe.
// PinError "Impossible de créer le fichier de paramètrages du son".
void saveSoundParams(const std::filesystem::path& file, const SoundsRecord& r);
// Fills r with the defaults and writes them as SonsParamN.fli and DefautSonsN.fli in "fichiers datas".
// r changes only when both files were written.
void createSoundParamsDefaults(const DataRoot& root, int config, const ContactsRecord& contacts,
                               SoundsRecord& r);
// The dashboard's restore action: reads DefautSonsN.fli when present, else creates the defaults.
void restoreSoundParamsDefaults(const DataRoot& root, int config, const ContactsRecord& contacts,
                                SoundsRecord& r);

// The 10 640-byte image of entries 0-94, and its decoding over an existing record.
std::vector<uint8_t> encodeSoundParams(const SoundsRecord& r);
void decodeSoundParams(std::span<const uint8_t> bytes, SoundsRecord& r);

// One line per field wholly inside the bytes, up to the record size (the operators' dump tool).
std::vector<FieldLine> describeSoundParams(std::span<const uint8_t> bytes);

} // namespace pinstage
