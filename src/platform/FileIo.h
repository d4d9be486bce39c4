// Whole-file reads and power-safe whole-file writes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace pinstage {

// Reads at most maxBytes from the start of the file; nullopt when it cannot be opened.
std::optional<std::vector<uint8_t>> readFilePrefix(const std::filesystem::path& path, size_t maxBytes);
// Reads the whole file; nullopt when it cannot be opened.
std::optional<std::vector<uint8_t>> readWholeFile(const std::filesystem::path& path);

// Writes the bytes to a temporary file "NAME.tmp-PID" in the same directory, flushes it to disk and
// renames it over the target, so a power cut leaves the old file or the new one. An existing file
// keeps its mode (and its owner where allowed); a symbolic link keeps pointing at the file it names,
// which is the one replaced. False on any failure, with the target untouched and no temporary left
// behind.
bool writeFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

// The steps of one save, in order. The bytes go out in writes of at most kSaveWriteChunk bytes, one
// Write step each.
enum class SaveStep { Open, Write, Flush, Rename, DirectoryFlush };
constexpr size_t kSaveWriteChunk = 4096;

// Called before each step of every save of the process (tests only: power cuts and failing disks).
// Returning false makes that step fail as its system call would; the hook may also end the process.
// A failing DirectoryFlush still leaves the new file in place, so the save counts as done.
using SaveStepHook = std::function<bool(SaveStep)>;
// Installs the hook (an empty one removes it).
void setSaveStepHook(SaveStepHook hook);

} // namespace pinstage
