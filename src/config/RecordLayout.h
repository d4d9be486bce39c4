// One description of a record's layout drives its decoding, its encoding, its field listing and the
// setting of its fields by name (defaults tables, editors): each record writes a layout function
// that names every field at its offset, and the visitors below walk it. A run of equal sub-records
// (the elements of a table, the records of a file of records) is described once and laid out at
// each place.
#pragma once

#include "config/ByteCodec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pinstage {

// A field's name for the listing, formatted only when listed: base[i][j].
struct FieldName {
    const char* base;
    int i = -1;
    int j = -1;
    std::string text() const;
};

// What the listing adds after a value the program will not take as it stands (" (hors limites)");
// nullptr when nothing. Decoding and encoding ignore it.
using NumberNote = const char* (*)(int32_t value);
using TextNote = const char* (*)(const std::string& cp1252);

// Where a visitor stands: the start of the sub-record being laid out and its place in its run (-1
// outside a run). Offsets count from the start, and a sub-record's names take the place as their
// first index (a sub-record's own names have one index at most).
struct LayoutPlace {
    size_t base = 0;
    int place = -1;
    size_t at(size_t o) const { return base + o; }
    FieldName name(FieldName n) const { return place < 0 ? n : FieldName{n.base, place, n.i}; }
};

// Fills a record from a byte image of at least the record's size.
class LayoutReader {
public:
    explicit LayoutReader(std::span<const uint8_t> image) : r_(image) {}
    void u8(size_t o, FieldName, uint8_t& v) const { v = r_.u8(where.at(o)); }
    void u16(size_t o, FieldName, uint16_t& v) const { v = r_.u16(where.at(o)); }
    void u32(size_t o, FieldName, uint32_t& v) const { v = r_.u32(where.at(o)); }
    void i32(size_t o, FieldName, int32_t& v, NumberNote = nullptr) const { v = r_.i32(where.at(o)); }
    template <size_t N> void text(size_t o, FieldName, TextSlot<N>& t, TextNote = nullptr) const {
        r_.raw(where.at(o), t.bytes);
    }
    template <size_t N> void raw(size_t o, FieldName, std::array<uint8_t, N>& a) const {
        r_.raw(where.at(o), a);
    }
    LayoutPlace where;

private:
    ByteReader r_;
};

// Writes a record into a byte image of the record's size.
class LayoutWriter {
public:
    explicit LayoutWriter(std::span<uint8_t> image) : w_(image) {}
    void u8(size_t o, FieldName, uint8_t v) { w_.u8(where.at(o), v); }
    void u16(size_t o, FieldName, uint16_t v) { w_.u16(where.at(o), v); }
    void u32(size_t o, FieldName, uint32_t v) { w_.u32(where.at(o), v); }
    void i32(size_t o, FieldName, int32_t v, NumberNote = nullptr) { w_.i32(where.at(o), v); }
    template <size_t N> void text(size_t o, FieldName, const TextSlot<N>& t, TextNote = nullptr) {
        w_.raw(where.at(o), t.bytes);
    }
    template <size_t N> void raw(size_t o, FieldName, const std::array<uint8_t, N>& a) {
        w_.raw(where.at(o), a);
    }
    LayoutPlace where;

private:
    ByteWriter w_;
};

// Lists the fields that lie wholly inside the bytes, one line each, values as decoded.
class LayoutDescriber {
public:
    explicit LayoutDescriber(std::span<const uint8_t> bytes) : r_(bytes) {}
    void u8(size_t o, FieldName n, uint8_t) { number(where.at(o), 1, n, nullptr); }
    void u16(size_t o, FieldName n, uint16_t) { number(where.at(o), 2, n, nullptr); }
    void u32(size_t o, FieldName n, uint32_t) { number(where.at(o), 4, n, nullptr); }
    void i32(size_t o, FieldName n, int32_t, NumberNote note = nullptr) {
        number(where.at(o), 4, n, note, true);
    }
    template <size_t N> void text(size_t o, FieldName n, const TextSlot<N>&, TextNote note = nullptr) {
        if (!r_.has(where.at(o), N))
            return;
        TextSlot<N> t;
        r_.raw(where.at(o), t.bytes);
        const char* extra = note ? note(t.cp1252()) : nullptr;
        add(o, n, t.utf8() + (extra ? extra : ""));
    }
    template <size_t N> void raw(size_t o, FieldName n, const std::array<uint8_t, N>&) {
        if (!r_.has(where.at(o), N))
            return;
        std::array<uint8_t, N> a{};
        r_.raw(where.at(o), a);
        add(o, n, hexBytes(a.data(), N));
    }
    std::vector<FieldLine> take() { return std::move(lines_); }
    LayoutPlace where;

private:
    // A number at the absolute offset at, read unsigned or signed, with its note.
    void number(size_t at, size_t len, FieldName n, NumberNote note, bool isSigned = false);
    void add(size_t o, FieldName n, std::string value);
    static std::string hexBytes(const uint8_t* p, size_t n);
    ByteReader r_;
    std::vector<FieldLine> lines_;
};

// Sets the fields a row of texts names, as a table of defaults or an editor gives them: numbers in
// decimal or 0x hexadecimal, negative only in a signed field, within the field's range; texts in
// UTF-8. A name is the field's listed name (base[i][j]); fields not named keep their values, raw
// bytes are never set. ok() is false once a text was no number for its field or had to be cut.
class LayoutAssigner {
public:
    LayoutAssigner(std::span<const char* const> names, std::span<const char* const> texts)
        : names_(names), texts_(texts) {}
    void u8(size_t, FieldName n, uint8_t& v) { number(n, v, 0, UINT8_MAX); }
    void u16(size_t, FieldName n, uint16_t& v) { number(n, v, 0, UINT16_MAX); }
    void u32(size_t, FieldName n, uint32_t& v) { number(n, v, 0, UINT32_MAX); }
    void i32(size_t, FieldName n, int32_t& v, NumberNote = nullptr) { number(n, v, INT32_MIN, INT32_MAX); }
    template <size_t N> void text(size_t, FieldName n, TextSlot<N>& t, TextNote = nullptr) {
        if (const char* s = textOf(n))
            ok_ = t.setUtf8(s) && ok_;
    }
    template <size_t N> void raw(size_t, FieldName, std::array<uint8_t, N>&) {}
    bool ok() const { return ok_; }
    LayoutPlace where;

private:
    template <class T> void number(FieldName n, T& v, int64_t min, int64_t max) {
        const char* s = textOf(n);
        if (!s)
            return;
        auto parsed = fieldNumber(s, min, max);
        if (parsed)
            v = T(*parsed);
        ok_ = parsed && ok_;
    }
    // The text the row gives for the field, nullptr when it names none.
    const char* textOf(FieldName n) const;
    static std::optional<int64_t> fieldNumber(std::string_view text, int64_t min, int64_t max);
    std::span<const char* const> names_;
    std::span<const char* const> texts_;
    bool ok_ = true;
};

// Sets the fields of a record that a row of texts names (see LayoutAssigner); false when a text was
// refused or cut.
template <class Record, class Layout>
bool assignFields(Record& r, Layout layout, std::span<const char* const> names,
                  std::span<const char* const> texts) {
    LayoutAssigner a(names, texts);
    layout(a, r);
    return a.ok();
}

// Lays out the first count sub-records of elements, stride bytes apart from base, each by the same
// layout.
template <class V, class Elements, class Layout>
void layoutEach(V& v, size_t base, size_t stride, int count, Elements& elements, Layout layout) {
    LayoutPlace outer = v.where;
    for (int n = 0; n < count; ++n) {
        v.where = {outer.at(base + stride * size_t(n)), n};
        layout(v, elements[size_t(n)]);
    }
    v.where = outer;
}

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

// One record of a file of equal records, from bytes of at least its size (missing bytes read as 0).
template <class Record, class Layout>
Record decodeRecord(std::span<const uint8_t> bytes, size_t recordSize, Layout layout) {
    Record r{};
    overlayRecord(r, recordSize, bytes, layout);
    return r;
}

// Lists every whole record of a file of equal records, the record's place as each name's index; a
// partial tail is no record.
template <class Record, class Layout>
std::vector<FieldLine> describeRecords(std::span<const uint8_t> bytes, size_t recordSize, Layout layout) {
    LayoutDescriber d(bytes);
    struct {
        Record none{};
        const Record& operator[](size_t) const { return none; }
    } blanks; // the values listed are read from the bytes
    layoutEach(d, 0, recordSize, int(std::min<size_t>(bytes.size() / recordSize, INT32_MAX)), blanks, layout);
    return d.take();
}

} // namespace pinstage
