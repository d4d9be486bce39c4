// Conversion between Windows-1252 (the text of every file) and UTF-8 (the text of the program).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pinstage {

// Every byte decodes; the five bytes undefined in Windows-1252 (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the C1 control of the same value, as Windows itself does, so any byte survives a round trip.
std::string cp1252ToUtf8(std::string_view cp1252);

// Characters with no Windows-1252 byte become '?'; malformed UTF-8 bytes become '?' too.
std::string utf8ToCp1252(std::string_view utf8);

// Reads a zero-terminated slot of at most slotSize bytes and never past it.
std::string readSlotCp1252(const uint8_t* slot, size_t slotSize);

// Writes text into a slot: at most slotSize - 1 bytes, then a terminator. The bytes after the
// terminator keep what the slot held. Returns false when the text had to be cut.
bool writeSlotCp1252(uint8_t* slot, size_t slotSize, std::string_view cp1252);

} // namespace pinstage
