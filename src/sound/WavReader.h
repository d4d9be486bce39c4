// Parsing of a WAV file image: the RIFF/WAVE check, the chunk walk to the format and the data,
// and the play time. Every offset is checked against the image; a file we cannot play fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace pinstage {

// The PCM layouts the mixer plays: 8-bit unsigned or 16-bit signed, mono or stereo.
struct PcmFormat {
    uint16_t channels{};
    uint32_t sampleRate{};
    uint16_t bitsPerSample{};
    uint32_t frameBytes() const { return uint32_t(channels) * (bitsPerSample / 8u); }
};

// A parsed WAV: the whole file image and where its format and samples lie in it.
struct WavData {
    std::vector<uint8_t> image;
    size_t formatOffset{}; // start of the format chunk's data
    size_t dataOffset{};   // start of the data chunk's data
    uint32_t dataSize{};   // data chunk size as stored (checked to fit in the image)
    uint32_t byteRate{};   // the average byte rate read at bytes 28-31
    int32_t durationMs{};
    PcmFormat format;
    // The samples, cut to whole frames.
    std::span<const uint8_t> samples() const;
};

// Files larger than this are refused: a sound buffer never needs more.
constexpr size_t kMaxWavFileBytes = 64u * 1024u * 1024u;

// Parses a file image; nullopt when it is not a WAV file we can play.
std::optional<WavData> parseWav(std::vector<uint8_t> image);
// Reads and parses a file; nullopt when it cannot be opened, is too large or fails to parse.
std::optional<WavData> readWavFile(const std::filesystem::path& path);

// trunc(dataSize / byteRate * 1000 + 0.5) in single precision; byteRate must not be 0.
int32_t wavDurationMs(uint32_t dataSize, uint32_t byteRate);

} // namespace pinstage
