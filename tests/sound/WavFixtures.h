// Builders of WAV file images for the sound tests: any chunk order, tag spelling or size.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace pinstage::testing {

struct Chunk {
    Chunk(std::string chunkId, std::vector<uint8_t> bytes, std::optional<uint32_t> size = std::nullopt)
        : id(std::move(chunkId)), data(std::move(bytes)), storedSize(size) {}
    std::string id; // four characters
    std::vector<uint8_t> data;
    std::optional<uint32_t> storedSize; // a size field that lies about the data
};

inline void put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
inline void put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}

// The 16 bytes of a PCM format description; byteRate defaults to the true one.
inline std::vector<uint8_t> fmtData(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag = 1,
                                    std::optional<uint32_t> byteRate = std::nullopt) {
    std::vector<uint8_t> b;
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, byteRate.value_or(rate * channels * (bits / 8u)));
    put16(b, uint16_t(channels * (bits / 8u)));
    put16(b, bits);
    return b;
}

// RIFF header then the chunks back to back, no padding.
inline std::vector<uint8_t> riffImage(const std::vector<Chunk>& chunks, const std::string& riff = "RIFF",
                                      const std::string& wave = "WAVE",
                                      std::optional<uint32_t> riffSize = std::nullopt) {
    std::vector<uint8_t> body;
    for (const Chunk& c : chunks) {
        body.insert(body.end(), c.id.begin(), c.id.begin() + 4);
        put32(body, c.storedSize.value_or(uint32_t(c.data.size())));
        body.insert(body.end(), c.data.begin(), c.data.end());
    }
    std::vector<uint8_t> b(riff.begin(), riff.begin() + 4);
    put32(b, riffSize.value_or(uint32_t(4 + body.size())));
    b.insert(b.end(), wave.begin(), wave.begin() + 4);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

// Signed 16-bit samples as little-endian bytes.
inline std::vector<uint8_t> pcm16(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> b;
    for (int16_t s : samples)
        put16(b, uint16_t(s));
    return b;
}

// A recognisable ramp: value k * step + offset, kept inside 16 bits.
inline std::vector<int16_t> ramp(size_t count, int step, int offset) {
    std::vector<int16_t> s(count);
    for (size_t k = 0; k < count; ++k)
        s[k] = int16_t((int(k) * step + offset) % 30000);
    return s;
}

// A fresh, empty directory under the system temporary directory.
inline std::filesystem::path freshTempDir(const std::string& tag) {
    static int counter = 0;
    auto dir = std::filesystem::temp_directory_path() /
               ("pinstage-" + tag + "-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace pinstage::testing
