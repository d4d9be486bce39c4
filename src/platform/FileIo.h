// Whole-file reads and power-safe whole-file writes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace pinstage {

// Reads at most maxBytes from the start of the file; nullopt when it cannot be opened.
std::optional<std::vector<uint8_t>> readFilePrefix(const std::filesystem::path& path, size_t maxBytes);
// Reads the whole file; nullopt when it cannot be opened.
std::optional<std::vector<uint8_t>> readWholeFile(const std::filesystem::path& path);

// Writes the bytes to a temporary file in the same directory, flushes it to disk and renames it
// over the target, so a power cut leaves the old file or the new one. False on any failure, with
// the target untouched and no temporary left behind.
bool writeFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

} // namespace pinstage
