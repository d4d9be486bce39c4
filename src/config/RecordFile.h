// Whole-record file access shared by every parameter file: a read that fails with the file's
// load message, and a power-safe write that fails with its save message.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace pinstage {

// What the file holds, at most maxBytes. Throws PinError(loadMessage) when it cannot be opened.
std::vector<uint8_t> readRecordFile(const std::filesystem::path& file, size_t maxBytes,
                                    const std::string& loadMessage);

// How a save treats an existing file longer than the record.
enum class SaveMode {
    Truncate,        // the file becomes exactly the record
    OverwriteInPlace // the record replaces the file's first bytes; what follows is kept
};

// The image an in-place save writes: the bytes, then what the old file held beyond them.
std::vector<uint8_t> overwritePrefix(std::span<const uint8_t> old, std::span<const uint8_t> bytes);

// Replaces the file with the bytes, power-safe. Throws PinError(saveMessage) on failure, leaving
// the old file as it was.
void writeRecordFile(const std::filesystem::path& file, std::span<const uint8_t> bytes,
                     const std::string& saveMessage, SaveMode mode = SaveMode::Truncate);

} // namespace pinstage
