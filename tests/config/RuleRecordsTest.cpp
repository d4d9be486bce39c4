// Factory contents of the game rule and combination files, and their numbered default copies.
#include "ConfigTestSupport.h"

#include "config/CombinationsParams.h"
#include "config/GameRuleParams.h"
#include "config/LabelTables.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

using namespace pinstage;
using namespace pinstage::test;

namespace {

// Every byte of [from, to) holds v.
void expectFill(const std::vector<uint8_t>& b, size_t from, size_t to, uint8_t v, const char* what) {
    for (size_t o = from; o < to; ++o)
        ASSERT_EQ(b.at(o), v) << what << " at offset " << o;
}

void expectWords(const std::vector<uint8_t>& b, size_t from, size_t count, uint32_t v, const char* what) {
    for (size_t k = 0; k < count; ++k)
        ASSERT_EQ(le32(b, from + 4 * k), v) << what << " entry " << k;
}

TEST(GameRuleDefaults, NinetyNineInEveryNumberEntryAndZeroElsewhere) {
    auto b = encodeGameRule(defaultGameRule());
    ASSERT_EQ(b.size(), 3648u);
    expectFill(b, 0, 256, 0, "direct score");
    expectFill(b, 256, 320, 0, "bonus steps");
    expectFill(b, 320, 384, 99, "sound");
    expectFill(b, 384, 448, 99, "coil");
    expectFill(b, 448, 704, 0, "coil delay");
    expectFill(b, 704, 1344, 99, "lamps on");
    expectFill(b, 1344, 1984, 99, "lamps off");
    expectFill(b, 1984, 2624, 99, "lamps toggled");
    expectFill(b, 2624, 3648, 99, "combinations");
}

TEST(GameRuleDefaults, RowsOfTwoDimensionalFieldsFollowTheirWidth) {
    GameRuleRecord r = defaultGameRule();
    r.lampsOn[3][9] = 7;
    r.combinations[63][15] = 12;
    r.coilDelayMs[5] = 0x01020304;
    auto b = encodeGameRule(r);
    EXPECT_EQ(b[704 + 10 * 3 + 9], 7);
    EXPECT_EQ(b[2624 + 16 * 63 + 15], 12);
    EXPECT_EQ(le32(b, 448 + 20), 0x01020304u);
    EXPECT_EQ(b[704 + 10 * 3 + 10], 99) << "the next row is untouched";
}

TEST(GameRuleDefaults, CreationWritesTheFileAndItsNumberedCopy) {
    ScratchRoot s("pin-rule-create");
    GameRuleRecord r;
    createGameRuleDefaults(s.root(), 3, r);
    auto expected = encodeGameRule(defaultGameRule());
    EXPECT_EQ(fileBytes(s.datas("RegleDuJeuParam3.fli")), expected);
    EXPECT_EQ(fileBytes(s.datas("DefautRegleDuJeu3.fli")), expected);
    EXPECT_EQ(encodeGameRule(r), expected);
}

TEST(CombinationsDefaults, EveryFieldAtItsOffsets) {
    auto b = encodeCombinations(defaultCombinations());
    ASSERT_EQ(b.size(), 3104u);
    EXPECT_EQ(slotText(b, 0, 25), utf8ToCp1252("Décomptage du bonus"));
    EXPECT_EQ(slotText(b, 25, 25), "Addition de bonus");
    EXPECT_EQ(slotText(b, 50, 25), utf8ToCp1252("Réservée 2"));
    EXPECT_EQ(slotText(b, 100, 25), utf8ToCp1252("Réservée 4"));
    EXPECT_EQ(slotText(b, 125, 25), "Combinaison 5");
    EXPECT_EQ(slotText(b, 775, 25), "Combinaison 31");
    expectWords(b, 800, 32, 0, "direct score");
    expectWords(b, 928, 32, 0, "bonus steps");
    expectWords(b, 1056, 32, 95, "sound");
    expectFill(b, 1184, 1344, 30, "coils");
    expectWords(b, 1344, 160, 31, "coil delays");
    expectFill(b, 1984, 2304, 80, "lamps on");
    expectFill(b, 2304, 2624, 81, "lamps off");
    expectFill(b, 2624, 2944, 82, "lamps toggled");
    expectFill(b, 2944, 3104, 55, "combinations");
}

TEST(CombinationsDefaults, DelaysAreFiveWordsPerCombination) {
    CombinationsRecord r = defaultCombinations();
    r.coilDelayMs[2][4] = 500;
    r.coils[2][4] = 23;
    auto b = encodeCombinations(r);
    EXPECT_EQ(le32(b, 1344 + 4 * (5 * 2 + 4)), 500u);
    EXPECT_EQ(b[1184 + 5 * 2 + 4], 23);
    EXPECT_EQ(le32(b, 1344 + 4 * (5 * 3)), 31u);
}

TEST(CombinationsDefaults, CreationWritesTheFileAndItsNumberedCopy) {
    ScratchRoot s("pin-comb-create");
    CombinationsRecord r;
    createCombinationsDefaults(s.root(), 0, r);
    auto expected = encodeCombinations(defaultCombinations());
    EXPECT_EQ(fileBytes(s.datas("CombinaisonsParam0.fli")), expected);
    EXPECT_EQ(fileBytes(s.datas("DefautCombinaisons0.fli")), expected);
    EXPECT_EQ(r.names[1].utf8(), "Addition de bonus");
}

TEST(LabelTables, GridTitlesAndEndMarkers) {
    EXPECT_STREQ(contactGridTitles[0], "N°  ");
    EXPECT_STREQ(contactGridTitles[12], "réservé");
    EXPECT_STREQ(combinationGridTitles[6], "Délay ms avant appel bobine");
    EXPECT_STREQ(lampMatrixTitles[0], "Colonne 0");
    EXPECT_STREQ(lampMatrixTitles[15], "Rangée 7");
    EXPECT_STREQ(switchMatrixTitles[9], "Direct SW");
    EXPECT_STREQ(switchMatrixTitles[10], "Etat du SW");
    EXPECT_STREQ(switchMatrixTitles[18], "Strobe 7");
    EXPECT_STREQ(outputPortTitles[2], "Port-5");
    EXPECT_STREQ(outputPortTitles[10], "Bit 7");
    for (const char* end :
         {contactNames.back(), lampNames.back(), statisticLabels.back(), lampMatrixTitles.back(),
          switchMatrixTitles.back(), outputPortTitles.back(), adjustmentLabels.back()})
        EXPECT_STREQ(end, " ");
    EXPECT_STREQ(adjustmentLabels[0], "dummy");
    EXPECT_STREQ(adjustmentMinimums[0], "");
}

TEST(LabelTables, EveryDefaultNumberParses) {
    for (size_t n = 0; n < 24; ++n) {
        for (size_t f : {0, 1, 2, 3, 5, 6})
            EXPECT_TRUE(parseTableNumber(coilDefaults[n * 8 + f]).has_value()) << n << "/" << f;
        EXPECT_TRUE(parseTableFlag(coilDefaults[n * 8 + 4]).has_value()) << n;
    }
    for (size_t n = 0; n < 64; ++n)
        for (size_t f = 0; f < 7; ++f)
            EXPECT_TRUE(parseTableNumber(lampDefaults[n * 8 + f]).has_value()) << n << "/" << f;
}

TEST(LabelTables, NumberText) {
    EXPECT_EQ(parseTableNumber("0x08"), 8u);
    EXPECT_EQ(parseTableNumber("0x80"), 128u);
    EXPECT_EQ(parseTableNumber("0xff"), 255u);
    EXPECT_EQ(parseTableNumber("00"), 0u);
    EXPECT_EQ(parseTableNumber("320000"), 320000u);
    EXPECT_EQ(parseTableNumber("4294967295"), 4294967295u);
    EXPECT_FALSE(parseTableNumber("4294967296").has_value());
    EXPECT_FALSE(parseTableNumber("").has_value());
    EXPECT_FALSE(parseTableNumber("0x").has_value());
    EXPECT_FALSE(parseTableNumber("12a").has_value());
    EXPECT_FALSE(parseTableNumber("-1").has_value());
    EXPECT_EQ(parseTableFlag("true"), true);
    EXPECT_EQ(parseTableFlag("false"), false);
    EXPECT_FALSE(parseTableFlag("vrai").has_value());
}

} // namespace
