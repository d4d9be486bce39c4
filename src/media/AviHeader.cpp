// AVI main header reader: fixed offsets of the RIFF/hdrl/avih layout, each checked.
#include "media/AviHeader.h"

#include "platform/FileIo.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace pinstage {

namespace {

uint32_t le32(std::span<const uint8_t> b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

bool tagAt(std::span<const uint8_t> b, size_t at, const char (&tag)[5]) {
    return std::memcmp(b.data() + at, tag, 4) == 0;
}

// The avih fields read end at offset 72: avih data starts at 32, so it must hold 40 bytes.
constexpr uint32_t kAvihDataNeeded = uint32_t(kAviHeaderBytes - 32);

} // namespace

bool parseAviHeader(std::span<const uint8_t> prefix, uint64_t fileSize, VideoInfo& info) {
    if (prefix.size() < kAviHeaderBytes || fileSize < kAviHeaderBytes)
        return false;
    if (!tagAt(prefix, 0, "RIFF") || !tagAt(prefix, 8, "AVI "))
        return false;
    // Chunk ends, in 64 bits so that no size can wrap: the RIFF chunk within the file, the hdrl
    // list within the RIFF chunk, the main header within the list and long enough for its fields.
    const uint64_t riffEnd = 8 + uint64_t(le32(prefix, 4));
    if (riffEnd > fileSize || riffEnd < kAviHeaderBytes)
        return false;
    if (!tagAt(prefix, 12, "LIST") || !tagAt(prefix, 20, "hdrl") || !tagAt(prefix, 24, "avih"))
        return false;
    const uint64_t listEnd = 20 + uint64_t(le32(prefix, 16));
    if (listEnd > riffEnd)
        return false;
    const uint32_t avihSize = le32(prefix, 28);
    if (avihSize < kAvihDataNeeded || 32 + uint64_t(avihSize) > listEnd)
        return false;

    VideoInfo read = info;
    read.microSecPerFrame = le32(prefix, 32);
    read.totalFrames = le32(prefix, 48);
    read.width = le32(prefix, 64);
    read.height = le32(prefix, 68);
    const uint64_t ms = uint64_t(read.microSecPerFrame) * read.totalFrames / 1000;
    read.durationMs = uint32_t(std::min<uint64_t>(ms, kMaxHeaderDurationMs));
    info = std::move(read);
    return true;
}

bool LireEnteteAvi(const std::filesystem::path& file, VideoInfo& info) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return false;
    const uint64_t size = std::filesystem::file_size(file, ec);
    if (ec)
        return false;
    auto prefix = readFilePrefix(file, kAviHeaderBytes);
    if (!prefix)
        return false;
    return parseAviHeader(*prefix, size, info);
}

} // namespace pinstage
