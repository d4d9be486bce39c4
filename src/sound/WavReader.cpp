#include "WavReader.h"

#include "platform/FileIo.h"

#include <cctype>
#include <limits>
#include <system_error>

namespace pinstage {

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr size_t kPcmFormatBytes = 16;
constexpr size_t kExtensibleFormatBytes = 40;
// The sample rates a sound buffer takes, as on the original sound system.
constexpr uint32_t kMinRate = 100;
constexpr uint32_t kMaxRate = 200000;

uint16_t u16At(const std::vector<uint8_t>& b, size_t o) {
    return uint16_t(b[o] | (b[o + 1] << 8));
}
uint32_t u32At(const std::vector<uint8_t>& b, size_t o) {
    return uint32_t(b[o]) | (uint32_t(b[o + 1]) << 8) | (uint32_t(b[o + 2]) << 16) |
           (uint32_t(b[o + 3]) << 24);
}

// Compares len bytes at offset o with an ASCII tag, ignoring case. The caller checks the bounds.
bool tagIs(const std::vector<uint8_t>& b, size_t o, const char* tag, size_t len) {
    for (size_t i = 0; i < len; ++i)
        if (std::tolower(b[o + i]) != std::tolower(static_cast<unsigned char>(tag[i])))
            return false;
    return true;
}

// The sub-format of an extensible description must be plain PCM:
// {00000001-0000-0010-8000-00AA00389B71}.
bool extensibleIsPcm(const std::vector<uint8_t>& b, size_t fmt) {
    static constexpr uint8_t kPcmGuid[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                             0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    for (size_t i = 0; i < 16; ++i)
        if (b[fmt + 24 + i] != kPcmGuid[i])
            return false;
    return true;
}

struct ChunkWalk {
    size_t fmtOffset{};
    uint32_t fmtSize{};
    size_t dataOffset{};
    uint32_t dataSize{};
};

// Chunks follow each other with no padding byte, or, with padded, an odd-sized chunk is followed
// by one pad byte as RIFF writers do; the walk ends at 12 + the RIFF size or at the end of the
// image, whichever comes first.
std::optional<ChunkWalk> walkChunks(const std::vector<uint8_t>& b, bool padded) {
    const uint64_t limit = 12u + uint64_t(u32At(b, 4));
    ChunkWalk w;
    bool haveFmt = false;
    bool haveData = false;
    uint64_t pos = 12;
    for (;;) {
        if (pos >= limit || pos + 8 > b.size())
            return std::nullopt;
        size_t at = size_t(pos);
        uint32_t size = u32At(b, at + 4);
        if (tagIs(b, at, "fmt", 3)) {
            w.fmtOffset = at + 8;
            w.fmtSize = size;
            haveFmt = true;
        } else if (tagIs(b, at, "data", 4)) {
            w.dataOffset = at + 8;
            w.dataSize = size;
            haveData = true;
        }
        if (haveFmt && haveData)
            return w;
        pos += 8u + uint64_t(size) + (padded ? (size & 1u) : 0u);
    }
}

std::optional<PcmFormat> readFormat(const std::vector<uint8_t>& b, const ChunkWalk& w) {
    if (w.fmtSize < kPcmFormatBytes || b.size() - w.fmtOffset < kPcmFormatBytes)
        return std::nullopt;
    uint16_t tag = u16At(b, w.fmtOffset);
    if (tag == kFormatExtensible) {
        if (w.fmtSize < kExtensibleFormatBytes || b.size() - w.fmtOffset < kExtensibleFormatBytes ||
            !extensibleIsPcm(b, w.fmtOffset))
            return std::nullopt;
    } else if (tag != kFormatPcm) {
        return std::nullopt;
    }
    PcmFormat f;
    f.channels = u16At(b, w.fmtOffset + 2);
    f.sampleRate = u32At(b, w.fmtOffset + 4);
    f.bitsPerSample = u16At(b, w.fmtOffset + 14);
    if (f.channels < 1 || f.channels > 2)
        return std::nullopt;
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16)
        return std::nullopt;
    if (f.sampleRate < kMinRate || f.sampleRate > kMaxRate)
        return std::nullopt;
    return f;
}

} // namespace

std::span<const uint8_t> WavData::samples() const {
    uint32_t frame = format.frameBytes();
    if (frame == 0 || dataOffset > image.size())
        return {};
    size_t usable = std::min<size_t>(dataSize, image.size() - dataOffset);
    usable -= usable % frame;
    return std::span<const uint8_t>(image.data() + dataOffset, usable);
}

int32_t wavDurationMs(uint32_t dataSize, uint32_t byteRate) {
    float ms = float(dataSize) / float(byteRate) * 1000.0f + 0.5f;
    // Beyond 2^31 ms the stored duration cannot hold it; such a file still plays.
    if (!(ms < 2147483648.0f))
        return std::numeric_limits<int32_t>::max();
    return int32_t(ms);
}

std::optional<WavData> parseWav(std::vector<uint8_t> image) {
    // The average byte rate lies at bytes 28-31 when the format chunk comes first.
    if (image.size() < 32)
        return std::nullopt;
    if (!tagIs(image, 0, "RIFF", 4) || !tagIs(image, 8, "WAVE", 4))
        return std::nullopt;
    // The machine's own walk first, so every file it took keeps reading the same; a file it
    // refuses may be a standard one with a pad byte after an odd-sized chunk.
    auto walk = walkChunks(image, false);
    if (!walk)
        walk = walkChunks(image, true);
    if (!walk)
        return std::nullopt;
    // A data chunk that claims more than the file holds would be read past its end.
    if (walk->dataOffset > image.size() || walk->dataSize > image.size() - walk->dataOffset)
        return std::nullopt;
    auto format = readFormat(image, *walk);
    if (!format)
        return std::nullopt;
    uint32_t byteRate = u32At(image, 28);
    if (byteRate == 0)
        return std::nullopt;
    if (walk->dataSize < format->frameBytes())
        return std::nullopt; // not one whole frame: nothing to play

    WavData wav;
    wav.formatOffset = walk->fmtOffset;
    wav.dataOffset = walk->dataOffset;
    wav.dataSize = walk->dataSize;
    wav.byteRate = byteRate;
    wav.durationMs = wavDurationMs(walk->dataSize, byteRate);
    wav.format = *format;
    wav.image = std::move(image);
    return wav;
}

std::optional<WavData> readWavFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    auto size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxWavFileBytes)
        return std::nullopt;
    auto image = readWholeFile(path);
    if (!image || image->size() > kMaxWavFileBytes)
        return std::nullopt;
    return parseWav(std::move(*image));
}

} // namespace pinstage
