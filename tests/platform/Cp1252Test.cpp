#include "platform/Cp1252.h"

#include <gtest/gtest.h>

using namespace pinstage;

TEST(Cp1252, EuroAndAccentsDecode) {
    EXPECT_EQ(cp1252ToUtf8("\x80"), "€");
    EXPECT_EQ(cp1252ToUtf8("R\xE9glages"), "Réglages");
    EXPECT_EQ(cp1252ToUtf8("\x9C\x8C\x99"), "œŒ™");
    EXPECT_EQ(utf8ToCp1252("Réglages €"), "R\xE9glages \x80");
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    for (int b = 1; b < 256; ++b) {
        std::string one(1, char(b));
        EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(one)), one) << "byte " << b;
    }
}

TEST(Cp1252, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToCp1252("a\xE4\xB8\xAD"
                           "b"),
              "a?b");                       // a CJK character
    EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?"); // cut sequence
    EXPECT_EQ(utf8ToCp1252("\xFF"), "?");
}

TEST(Cp1252, OverlongSurrogateAndOutOfRangeFormsAreMalformed) {
    EXPECT_EQ(utf8ToCp1252("a\xC0\xAF"
                           "b"),
              "a?b");                                 // '/' in two bytes
    EXPECT_EQ(utf8ToCp1252("\xC1\x81"), "?");         // 'A' in two bytes
    EXPECT_EQ(utf8ToCp1252("\xE0\x80\xAF"), "?");     // '/' in three bytes
    EXPECT_EQ(utf8ToCp1252("\xE0\x83\xA9"), "?");     // 'é' in three bytes
    EXPECT_EQ(utf8ToCp1252("\xF0\x82\x82\xAC"), "?"); // '€' in four bytes
    EXPECT_EQ(utf8ToCp1252("\xED\xA0\x80"
                           "x"),
              "?x"); // a surrogate
    EXPECT_EQ(utf8ToCp1252("\xF4\x90\x80\x80"
                           "x"),
              "?x"); // beyond U+10FFFF
    EXPECT_EQ(utf8ToCp1252("\xF7\xBF\xBF\xBF"), "?");
    EXPECT_EQ(utf8ToCp1252("\xE2\x82"
                           "x"),
              "??x");                               // cut before its last byte
    EXPECT_EQ(utf8ToCp1252("\xF0\x9F\x98"), "???"); // cut at the end
    // The shortest forms just above each limit still decode.
    EXPECT_EQ(utf8ToCp1252("\xC2\xA0\xE2\x82\xAC\xEF\xBF\xBD"), "\xA0\x80?");
}

TEST(Cp1252, SlotsNeverReadOrWritePastTheirSize) {
    uint8_t slot[6] = {'a', 'b', 'c', 'd', 'e', 'f'}; // no terminator
    EXPECT_EQ(readSlotCp1252(slot, sizeof slot), "abcdef");
    EXPECT_FALSE(writeSlotCp1252(slot, 4, "wxyz"));
    EXPECT_EQ(readSlotCp1252(slot, sizeof slot), "wxy");
    EXPECT_EQ(slot[4], 'e'); // the tail keeps what it held
    EXPECT_TRUE(writeSlotCp1252(slot, 6, "ok"));
    EXPECT_EQ(slot[3], 0); // old terminator position untouched
}
