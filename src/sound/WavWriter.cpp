#include "WavWriter.h"

namespace pinstage {

namespace {
void put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}
void putTag(std::vector<uint8_t>& b, const char* tag) {
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(tag[i]));
}
} // namespace

std::vector<uint8_t> encodeWav(const PcmFormat& format, std::span<const uint8_t> samples) {
    std::vector<uint8_t> b;
    b.reserve(44 + samples.size());
    putTag(b, "RIFF");
    put32(b, uint32_t(36 + samples.size()));
    putTag(b, "WAVE");
    putTag(b, "fmt ");
    put32(b, 16);
    put16(b, 1);
    put16(b, format.channels);
    put32(b, format.sampleRate);
    put32(b, format.sampleRate * format.frameBytes());
    put16(b, uint16_t(format.frameBytes()));
    put16(b, format.bitsPerSample);
    putTag(b, "data");
    put32(b, uint32_t(samples.size()));
    for (uint8_t s : samples)
        b.push_back(s);
    return b;
}

std::vector<uint8_t> encodeWav16(uint32_t sampleRate, uint16_t channels, std::span<const int16_t> samples) {
    std::vector<uint8_t> bytes;
    bytes.reserve(samples.size() * 2);
    for (int16_t s : samples)
        put16(bytes, uint16_t(s));
    return encodeWav(PcmFormat{channels, sampleRate, 16}, bytes);
}

} // namespace pinstage
