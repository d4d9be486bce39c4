// The adjustments record: defaults at their offsets, access by settings-grid row, the grid's typing
// and validation rules, and the meanings the game flow reads.
#include "ConfigTestSupport.h"

#include "config/AdjustmentRows.h"
#include "config/Adjustments.h"
#include "config/LabelTables.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

using namespace pinstage;
using namespace pinstage::test;

namespace {

TEST(AdjustmentsDefaults, ValuesAtTheirOffsets) {
    auto b = encodeAdjustments(defaultAdjustments());
    ASSERT_EQ(b.size(), 112u);
    const uint16_t first13[13] = {1, 1, 1, 2, 2, 2, 1, 2, 3, 1, 2, 6, 3};
    for (size_t i = 0; i < 13; ++i)
        EXPECT_EQ(le16(b, 2 * i), first13[i]) << "field " << i;
    EXPECT_EQ(b[26], 0);
    EXPECT_EQ(b[27], 0);
    EXPECT_EQ(le32(b, 28), 320000u);
    EXPECT_EQ(le32(b, 32), 450000u);
    EXPECT_EQ(le32(b, 36), 800000u);
    EXPECT_EQ(le32(b, 40), 950000u);
    EXPECT_EQ(le16(b, 44), 5u);
    EXPECT_EQ(std::string(b.begin() + 46, b.begin() + 50), std::string("oui\0", 4));
    EXPECT_EQ(slotText(b, 50, 24), "partie gratuite");
    EXPECT_EQ(le16(b, 74), 3u);
    for (size_t o = 76; o < 112; o += 4)
        EXPECT_EQ(std::string(b.begin() + std::ptrdiff_t(o), b.begin() + std::ptrdiff_t(o) + 4),
                  std::string("non\0", 4))
            << "slot at " << o;
}

TEST(AdjustmentsDefaults, CreationWritesTheNumberedFile) {
    ScratchRoot s("pin-adj-create");
    AdjustmentsRecord r;
    createAdjustmentsDefaults(s.root(), 3, r);
    EXPECT_EQ(fileBytes(s.datas("Réglages3.fli")), encodeAdjustments(defaultAdjustments()));
    EXPECT_EQ(r.ballsPerGame, 3);
    EXPECT_FALSE(std::filesystem::exists(s.datas("Réglages0.fli")));
}

// Each row writes where the file layout puts it, although file order and row order differ.
TEST(AdjustmentRows, EachRowLandsAtItsOffset) {
    const size_t offsets[31] = {0,  0,  2,  4,  6,  8,  10, 12, 14, 16, 18,  20, 22, 24,  28, 32,
                                36, 40, 44, 46, 50, 74, 84, 88, 80, 96, 100, 76, 92, 108, 104};
    for (int row = 1; row <= 30; ++row) {
        auto info = adjustmentRow(row);
        ASSERT_TRUE(info.has_value()) << row;
        EXPECT_EQ(info->offset, offsets[row]) << row;
        AdjustmentsRecord r = defaultAdjustments();
        auto before = encodeAdjustments(r);
        std::string value =
            info->kind == AdjustmentKind::Text ? (row == 20 ? "bille suplémentaire" : "oui") : "7";
        if (row == 19)
            value = "non";
        ASSERT_TRUE(setAdjustmentFromText(r, row, value)) << row;
        auto after = encodeAdjustments(r);
        for (size_t o = 0; o < 112; ++o) {
            bool inField = o >= offsets[row] && o < offsets[row] + info->size;
            if (!inField) {
                EXPECT_EQ(after[o], before[o]) << "row " << row << " changed offset " << o;
            }
        }
        if (info->kind == AdjustmentKind::Text) {
            EXPECT_EQ(slotText(after, offsets[row], info->size), utf8ToCp1252(value)) << row;
        } else if (info->kind == AdjustmentKind::U16) {
            EXPECT_EQ(le16(after, offsets[row]), 7u) << row;
        } else {
            EXPECT_EQ(le32(after, offsets[row]), 7u) << row;
        }
        EXPECT_EQ(adjustmentText(r, row), value) << row;
    }
    EXPECT_FALSE(adjustmentRow(0).has_value());
    EXPECT_FALSE(adjustmentRow(31).has_value());
    EXPECT_EQ(adjustmentText(defaultAdjustments(), 31), "");
}

TEST(AdjustmentRows, ValuesAsTheGridShowsThem) {
    AdjustmentsRecord r = defaultAdjustments();
    EXPECT_EQ(adjustmentText(r, 12), "6");
    EXPECT_EQ(adjustmentText(r, 13), "3");
    EXPECT_EQ(adjustmentText(r, 17), "950000");
    EXPECT_EQ(adjustmentText(r, 19), "oui");
    EXPECT_EQ(adjustmentText(r, 20), "partie gratuite");
    EXPECT_EQ(adjustmentText(r, 22), "non");
    r.recordScore = 4000000000u;
    EXPECT_EQ(adjustmentText(r, 17), "4000000000") << "unsigned decimal";
}

TEST(AdjustmentRows, TypingTakesOnlyWhatTheGridAccepts) {
    AdjustmentsRecord r = defaultAdjustments();
    auto unchanged = [&](int row, const char* text) {
        auto before = encodeAdjustments(r);
        EXPECT_FALSE(setAdjustmentFromText(r, row, text)) << row << " '" << text << "'";
        EXPECT_EQ(encodeAdjustments(r), before) << row << " '" << text << "'";
    };
    EXPECT_TRUE(setAdjustmentFromText(r, 13, "6"));
    EXPECT_EQ(r.ballsPerGame, 6);
    EXPECT_TRUE(setAdjustmentFromText(r, 13, "12")) << "stored while typing, refused at save";
    EXPECT_EQ(r.ballsPerGame, 12);
    unchanged(13, "123");
    unchanged(13, "");
    unchanged(13, "-1");
    unchanged(13, "a");
    unchanged(13, " 5");
    EXPECT_TRUE(setAdjustmentFromText(r, 14, "1234567"));
    EXPECT_EQ(r.freeGameScores[0], 1234567u);
    unchanged(14, "12345678");
    EXPECT_TRUE(setAdjustmentFromText(r, 19, "non"));
    unchanged(19, "Oui");
    unchanged(19, "oui ");
    unchanged(22, "peut-être");
    EXPECT_TRUE(setAdjustmentFromText(r, 20, "bille suplémentaire"));
    unchanged(20, "bille supplémentaire");
    unchanged(20, "partie");
    unchanged(0, "1");
    unchanged(31, "oui");
}

TEST(AdjustmentRows, AShorterTextKeepsTheBytesAfterItsTerminator) {
    AdjustmentsRecord r = defaultAdjustments();
    ASSERT_TRUE(setAdjustmentFromText(r, 20, "bille suplémentaire"));
    ASSERT_TRUE(setAdjustmentFromText(r, 20, "partie gratuite"));
    auto b = encodeAdjustments(r);
    EXPECT_EQ(slotText(b, 50, 24), "partie gratuite");
    EXPECT_EQ(b[50 + 15], 0);
    EXPECT_EQ(std::string(b.begin() + 66, b.begin() + 69), "ire");
}

TEST(AdjustmentRows, ValidationMessages) {
    std::string balls = adjustmentLabels[13];
    EXPECT_EQ(adjustmentError(13, "12"), balls + "\n doit être inférieur à 9");
    EXPECT_EQ(adjustmentError(13, "9"), std::nullopt);
    EXPECT_EQ(adjustmentError(13, "1"), std::nullopt);
    EXPECT_EQ(adjustmentError(13, "0"), balls + "\n doit être supérieur à 1");
    EXPECT_EQ(adjustmentError(4, "1"), std::string(adjustmentLabels[4]) + "\n doit être supérieur à 2");
    EXPECT_EQ(adjustmentError(19, ""), "Loterie : oui ou non\n ne doit pas être vide ");
    EXPECT_EQ(adjustmentError(19, "oui"), std::nullopt);
    EXPECT_EQ(adjustmentError(19, "non"), std::nullopt);
    EXPECT_EQ(adjustmentError(19, "peut-être"),
              "Loterie : oui ou non\n ne peut pas être interprété \n vérifiez les valeurs possibles ");
    EXPECT_EQ(adjustmentError(19, "5"),
              "Loterie : oui ou non\n ne peut pas être interprété \n vérifiez les valeurs possibles ");
    EXPECT_EQ(adjustmentError(20, "bille suplémentaire"), std::nullopt);
    EXPECT_EQ(adjustmentError(14, "99999999999999999999999"),
              std::string(adjustmentLabels[14]) + "\n doit être inférieur à 1000000");
    EXPECT_EQ(adjustmentError(14, "-5"),
              std::string(adjustmentLabels[14]) + "\n doit être supérieur à 100000");
    EXPECT_EQ(adjustmentError(21, "15"), std::nullopt);
    EXPECT_EQ(adjustmentError(21, "16"), std::string(adjustmentLabels[21]) + "\n doit être inférieur à 15");
}

TEST(AdjustmentRows, DefaultsLieWithinTheirLimits) {
    AdjustmentsRecord r = defaultAdjustments();
    for (int row = 1; row <= 30; ++row)
        EXPECT_EQ(adjustmentError(row, adjustmentText(r, row)), std::nullopt) << row;
}

TEST(AdjustmentMeanings, OptionsAndAwards) {
    AdjustmentsRecord r = defaultAdjustments();
    EXPECT_TRUE(optionIsYes(r, AdjustmentOption::Lottery));
    EXPECT_FALSE(optionIsYes(r, AdjustmentOption::FreePlay));
    for (int row = 22; row <= 30; ++row)
        setOption(r, AdjustmentOption(row), true);
    EXPECT_TRUE(optionIsYes(r, AdjustmentOption::Kiosk));
    EXPECT_EQ(r.kiosk.utf8(), "oui");
    forceOptionalFeaturesOff(r);
    EXPECT_TRUE(optionIsYes(r, AdjustmentOption::FreePlay)) << "free play keeps its stored value";
    EXPECT_TRUE(optionIsYes(r, AdjustmentOption::Lottery));
    for (int row = 23; row <= 30; ++row)
        EXPECT_FALSE(optionIsYes(r, AdjustmentOption(row))) << row;

    EXPECT_TRUE(awardIsFreeGame(r));
    r.awardKind.setUtf8("partie gratuite et plus");
    EXPECT_TRUE(awardIsFreeGame(r)) << "only the first 15 characters count";
    r.awardKind.setUtf8("partie gratuit");
    EXPECT_FALSE(awardIsFreeGame(r));
    r.awardKind.setUtf8("bille suplémentaire");
    EXPECT_FALSE(awardIsFreeGame(r));
}

TEST(AdjustmentMeanings, BallsAndScores) {
    AdjustmentsRecord r = defaultAdjustments();
    EXPECT_EQ(ballsPerGame(r), 3);
    r.ballsPerGame = 0;
    EXPECT_EQ(ballsPerGame(r), 1) << "a game must end";
    r.ballsPerGame = 5;
    EXPECT_EQ(ballsPerGame(r), 5);
    EXPECT_EQ(freeGameScore(r, 0), 320000u);
    EXPECT_EQ(freeGameScore(r, 2), 800000u);
    EXPECT_EQ(freeGameScore(r, 3), 0u);
    EXPECT_EQ(freeGameScore(r, -1), 0u);
}

TEST(AdjustmentLabels, RowsAndLimits) {
    EXPECT_STREQ(adjustmentLabels[1], "nombre de pièces pour déclencher un crédit Monnayeur 1");
    EXPECT_STREQ(adjustmentLabels[20], "indicateur si partie gratuite ou bille suplémentaire au score");
    EXPECT_STREQ(adjustmentLabels[22], "Jeu gratuit Oui ou Non");
    EXPECT_STREQ(adjustmentLabels[30], "Choix de la configuration du Lumiscope au démarrage oui ou non");
    EXPECT_STREQ(adjustmentMinimums[20], "bille suplémentaire");
    EXPECT_STREQ(adjustmentMaximums[20], "partie gratuite");
    EXPECT_STREQ(adjustmentMaximums[17], "4000000");
    EXPECT_STREQ(adjustmentMinimums[31], " ");
}

} // namespace
