// The header of an advertising video: frame time, frame count and size read from the AVI main
// header, and the duration they give. Every offset and length is checked before it is used.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace pinstage {

struct VideoInfo {
    uint32_t microSecPerFrame = 0;
    uint32_t totalFrames = 0;
    uint32_t width = 0;  // read, not used further
    uint32_t height = 0; // read, not used further
    uint32_t durationMs = 0;
    std::string fileName;
};

// Longest duration a header may announce; a larger product is cut to it, so that the step's end
// time (now + duration + 10 s) stays well inside the wrap-safe half of the 32-bit clock.
constexpr uint32_t kMaxHeaderDurationMs = 24u * 3600u * 1000u;
// Bytes of the file the header reader needs: up to the height at offset 68.
constexpr size_t kAviHeaderBytes = 72;

// Fills info from the first bytes of a file of fileSize bytes. False, with info untouched, unless
// the bytes hold "RIFF" size "AVI " "LIST" size "hdrl" "avih" size with the main header, every
// chunk lying inside its parent and the RIFF chunk inside the file.
bool parseAviHeader(std::span<const uint8_t> prefix, uint64_t fileSize, VideoInfo& info);

// Reads the header of a file; false (info untouched) when it cannot be opened or is not an AVI.
bool LireEnteteAvi(const std::filesystem::path& file, VideoInfo& info);

} // namespace pinstage
