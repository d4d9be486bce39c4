// One description of a record's layout drives its decoding, its encoding and its field listing:
// each record writes a layout function that names every field at its offset, and the three
// visitors below walk it.
#pragma once

#include "config/ByteCodec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pinstage {

// A field's name for the listing, formatted only when listed: base[i][j].
struct FieldName {
    const char* base;
    int i = -1;
    int j = -1;
    std::string text() const;
};

// Fills a record from a byte image of at least the record's size.
class LayoutReader {
public:
    explicit LayoutReader(std::span<const uint8_t> image) : r_(image) {}
    void u8(size_t o, FieldName, uint8_t& v) const { v = r_.u8(o); }
    void u16(size_t o, FieldName, uint16_t& v) const { v = r_.u16(o); }
    void u32(size_t o, FieldName, uint32_t& v) const { v = r_.u32(o); }
    template <size_t N> void text(size_t o, FieldName, TextSlot<N>& t) const { r_.raw(o, t.bytes); }
    template <size_t N> void raw(size_t o, FieldName, std::array<uint8_t, N>& a) const { r_.raw(o, a); }

private:
    ByteReader r_;
};

// Writes a record into a byte image of the record's size.
class LayoutWriter {
public:
    explicit LayoutWriter(std::span<uint8_t> image) : w_(image) {}
    void u8(size_t o, FieldName, uint8_t v) { w_.u8(o, v); }
    void u16(size_t o, FieldName, uint16_t v) { w_.u16(o, v); }
    void u32(size_t o, FieldName, uint32_t v) { w_.u32(o, v); }
    template <size_t N> void text(size_t o, FieldName, const TextSlot<N>& t) { w_.raw(o, t.bytes); }
    template <size_t N> void raw(size_t o, FieldName, const std::array<uint8_t, N>& a) { w_.raw(o, a); }

private:
    ByteWriter w_;
};

// Lists the fields that lie wholly inside the bytes, one line each, values as decoded.
class LayoutDescriber {
public:
    explicit LayoutDescriber(std::span<const uint8_t> bytes) : r_(bytes) {}
    void u8(size_t o, FieldName n, uint8_t) { number(o, 1, n, r_.u8(o)); }
    void u16(size_t o, FieldName n, uint16_t) { number(o, 2, n, r_.u16(o)); }
    void u32(size_t o, FieldName n, uint32_t) { number(o, 4, n, r_.u32(o)); }
    template <size_t N> void text(size_t o, FieldName n, const TextSlot<N>&) {
        if (!r_.has(o, N))
            return;
        TextSlot<N> t;
        r_.raw(o, t.bytes);
        lines_.push_back({o, n.text(), t.utf8()});
    }
    template <size_t N> void raw(size_t o, FieldName n, const std::array<uint8_t, N>&) {
        if (!r_.has(o, N))
            return;
        std::array<uint8_t, N> a{};
        r_.raw(o, a);
        lines_.push_back({o, n.text(), hexBytes(a.data(), N)});
    }
    std::vector<FieldLine> take() { return std::move(lines_); }

private:
    void number(size_t o, size_t len, FieldName n, uint32_t v);
    static std::string hexBytes(const uint8_t* p, size_t n);
    ByteReader r_;
    std::vector<FieldLine> lines_;
};

// Decodes a record from what a file held: the bytes overlay the record's current image, so a
// short file changes only the bytes it holds and a long one only the record's size.
template <class Record, class Layout>
void overlayRecord(Record& r, size_t recordSize, std::span<const uint8_t> fileBytes, Layout layout) {
    std::vector<uint8_t> image(recordSize);
    LayoutWriter w(image);
    layout(w, r);
    size_t n = std::min(recordSize, fileBytes.size());
    std::copy(fileBytes.begin(), fileBytes.begin() + std::ptrdiff_t(n), image.begin());
    Record fresh = r;
    LayoutReader rd(image);
    layout(rd, fresh);
    r = fresh;
}

template <class Record, class Layout>
std::vector<uint8_t> encodeRecord(const Record& r, size_t recordSize, Layout layout) {
    std::vector<uint8_t> image(recordSize);
    LayoutWriter w(image);
    layout(w, r);
    return image;
}

template <class Record, class Layout>
std::vector<FieldLine> describeRecord(std::span<const uint8_t> bytes, size_t recordSize, Layout layout) {
    LayoutDescriber d(bytes.first(std::min(bytes.size(), recordSize)));
    const Record none{};
    layout(d, none);
    return d.take();
}

} // namespace pinstage
