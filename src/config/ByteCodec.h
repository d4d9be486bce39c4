// Little-endian field access on a record's byte image, and the field listing used by the
// operators' dump tool. Every access is bounds-checked against the image.
#pragma once

#include "platform/Cp1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace pinstage {

// Reads fields at fixed offsets; a field that does not fit in the image reads as 0 / empty.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : b_(bytes) {}
    size_t size() const { return b_.size(); }
    bool has(size_t offset, size_t len) const { return offset <= b_.size() && len <= b_.size() - offset; }
    uint8_t u8(size_t o) const { return has(o, 1) ? b_[o] : 0; }
    uint16_t u16(size_t o) const { return has(o, 2) ? uint16_t(b_[o] | (b_[o + 1] << 8)) : 0; }
    uint32_t u32(size_t o) const {
        return has(o, 4) ? uint32_t(b_[o]) | (uint32_t(b_[o + 1]) << 8) | (uint32_t(b_[o + 2]) << 16) |
                               (uint32_t(b_[o + 3]) << 24)
                         : 0;
    }
    int32_t i32(size_t o) const { return int32_t(u32(o)); }
    // Copies a raw slot (text or padding); bytes beyond the image keep the destination's values.
    template <size_t N> void raw(size_t o, std::array<uint8_t, N>& out) const {
        if (o >= b_.size())
            return;
        size_t n = std::min(N, b_.size() - o);
        std::memcpy(out.data(), b_.data() + o, n);
    }

private:
    std::span<const uint8_t> b_;
};

// Writes fields at fixed offsets into a byte image of the record's size.
class ByteWriter {
public:
    explicit ByteWriter(std::span<uint8_t> bytes) : b_(bytes) {}
    void u8(size_t o, uint8_t v) {
        if (o < b_.size())
            b_[o] = v;
    }
    void u16(size_t o, uint16_t v) {
        u8(o, uint8_t(v));
        u8(o + 1, uint8_t(v >> 8));
    }
    void u32(size_t o, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            u8(o + i, uint8_t(v >> (8 * i)));
    }
    void i32(size_t o, int32_t v) { u32(o, uint32_t(v)); }
    template <size_t N> void raw(size_t o, const std::array<uint8_t, N>& in) {
        for (size_t i = 0; i < N; ++i)
            u8(o + i, in[i]);
    }

private:
    std::span<uint8_t> b_;
};

// A fixed text slot as stored: the raw bytes, so what follows the terminator is kept.
template <size_t N> struct TextSlot {
    std::array<uint8_t, N> bytes{};
    std::string cp1252() const { return readSlotCp1252(bytes.data(), N); }
    std::string utf8() const { return cp1252ToUtf8(cp1252()); }
    // False when the text had to be cut to fit.
    bool setCp1252(const std::string& t) { return writeSlotCp1252(bytes.data(), N, t); }
    bool setUtf8(const std::string& t) { return setCp1252(utf8ToCp1252(t)); }
};

// One line of a decoded file, for the dump tool.
struct FieldLine {
    size_t offset;
    std::string name;  // UTF-8
    std::string value; // UTF-8
};

} // namespace pinstage
