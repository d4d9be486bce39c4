// The layout mechanism on a small record of its own: fields set by name from texts (the defaults
// tables and the editors' path), runs of sub-records and their listing.
#include "config/RecordLayout.h"

#include <gtest/gtest.h>

using namespace pinstage;

namespace {

struct Part {
    int32_t offset{};
    uint8_t level{};
    TextSlot<6> label;
};

struct Sample {
    uint16_t count{};
    std::array<uint8_t, 2> pad{};
    std::array<Part, 3> parts{};
};

template <class V, class P> void layoutPart(V& v, P& p) {
    v.i32(0, FieldName{"offset"}, p.offset);
    v.u8(4, FieldName{"level"}, p.level);
    v.text(5, FieldName{"label"}, p.label,
           [](const std::string& t) { return t.empty() ? " (vide)" : nullptr; });
}
constexpr auto kPart = [](auto& v, auto& p) { layoutPart(v, p); };
constexpr auto kSample = [](auto& v, auto& r) {
    v.u16(0, FieldName{"count"}, r.count);
    v.raw(2, FieldName{"pad"}, r.pad);
    layoutEach(v, 4, 11, 3, r.parts, kPart);
};

using Row = std::vector<const char*>;

} // namespace

TEST(RecordLayout, FieldsSetByNameFromTextsWithinTheirRange) {
    Sample s;
    s.pad = {7, 7};
    Row names = {"count", "offset[1]", "level[1]", "label[2]", "pad"};
    EXPECT_TRUE(assignFields(s, kSample, names, Row{"0x1F", "-40", "255", "Café", "1"}));
    EXPECT_EQ(s.count, 31);
    EXPECT_EQ(s.parts[1].offset, -40);
    EXPECT_EQ(s.parts[1].level, 255);
    EXPECT_EQ(s.parts[2].label.cp1252(), "Caf\xE9");
    EXPECT_EQ(s.pad, (std::array<uint8_t, 2>{7, 7})); // raw bytes are never set
    EXPECT_EQ(s.parts[0].offset, 0);                  // not named

    // A refused text leaves its field as it was and is reported; the others are still set.
    Sample bad = s;
    EXPECT_FALSE(assignFields(bad, kSample, names, Row{"-1", "12", "256", "Café", "0"}));
    EXPECT_EQ(bad.count, 31);
    EXPECT_EQ(bad.parts[1].offset, 12);
    EXPECT_EQ(bad.parts[1].level, 255);
    EXPECT_FALSE(assignFields(bad, kSample, Row{"offset[0]"}, Row{"12x"}));
    EXPECT_FALSE(assignFields(bad, kSample, Row{"label[0]"}, Row{"trop long"}));
    EXPECT_EQ(bad.parts[0].offset, 0);
    EXPECT_EQ(bad.parts[0].label.cp1252(), "trop "); // cut to the slot, terminator kept

    // A sub-record alone takes its fields' own names.
    Part p;
    EXPECT_TRUE(assignFields(p, kPart, Row{nullptr, "level"}, Row{"x", "3"}));
    EXPECT_EQ(p.level, 3);
}

TEST(RecordLayout, RunsOfSubRecordsRoundTripAndListAtTheirPlaces) {
    Sample s;
    s.count = 2;
    s.pad = {0xAB, 0x01};
    s.parts[2] = {-5, 9, {}};
    s.parts[2].label.setUtf8("fin");
    auto bytes = encodeRecord(s, 37, kSample);
    ASSERT_EQ(bytes.size(), 37u);
    EXPECT_EQ(bytes[4 + 22], 0xFB); // offset of part 2, little-endian
    EXPECT_EQ(bytes[4 + 22 + 3], 0xFF);

    Sample back;
    overlayRecord(back, 37, bytes, kSample);
    EXPECT_EQ(encodeRecord(back, 37, kSample), bytes);

    // Only the fields wholly inside the bytes are listed, with their notes.
    auto lines = describeRecord<Sample>(std::span(bytes).first(35), 37, kSample);
    ASSERT_EQ(lines.size(), 2u + 3 * 3 - 1);
    EXPECT_EQ(lines[1].value, "AB 01");
    EXPECT_EQ(lines[2].name, "offset[0]");
    EXPECT_EQ(lines[4].value, " (vide)");
    EXPECT_EQ(lines[8].name, "offset[2]");
    EXPECT_EQ(lines[8].offset, 26u);
    EXPECT_EQ(lines[8].value, "-5");
    EXPECT_EQ(lines[9].name, "level[2]");

    // A file of equal records lists whole records only, each under its place.
    auto table = describeRecords<Part>(std::span(bytes).subspan(4, 30), 11, kPart);
    ASSERT_EQ(table.size(), 6u);
    EXPECT_EQ(table[3].name, "offset[1]");
    EXPECT_EQ(table[3].offset, 11u);
}
