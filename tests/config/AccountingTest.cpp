// The accounting record's layout and statistics, and the credit counter with its immediate save.
#include "ConfigTestSupport.h"

#include "config/Accounting.h"
#include "config/Credits.h"
#include "config/LabelTables.h"
#include "platform/PinError.h"

#include <gtest/gtest.h>

using namespace pinstage;
using namespace pinstage::test;
namespace fs = std::filesystem;

namespace {

TEST(AccountingRecord, StatisticsAtTheirOffsets) {
    AccountingRecord r{};
    for (int i = 0; i < kStatisticCount; ++i)
        if (uint32_t* c = counter(r, i))
            *c = 1000u + uint32_t(i);
    r.creditUnits = 4;
    r.creditTens = 7;
    auto b = encodeAccounting(r);
    ASSERT_EQ(b.size(), 164u);
    for (size_t i = 0; i < 21; ++i)
        EXPECT_EQ(le32(b, 4 * i), 1000u + i) << i;
    EXPECT_EQ(b[84], 4);
    EXPECT_EQ(b[85], 7);
    for (size_t i = 23; i < 42; ++i)
        EXPECT_EQ(le32(b, 88 + 4 * (i - 23)), 1000u + i) << i;
    EXPECT_EQ(statisticValue(r, 7), 1007u);
    EXPECT_EQ(statisticValue(r, 21), 4u);
    EXPECT_EQ(statisticValue(r, 22), 7u);
    EXPECT_EQ(statisticValue(r, 41), 1041u);
    EXPECT_EQ(counter(r, 21), nullptr);
    EXPECT_EQ(counter(r, 22), nullptr);
    EXPECT_EQ(counter(r, -1), nullptr);
    EXPECT_EQ(counter(r, 42), nullptr);
    EXPECT_EQ(statisticValue(r, 42), 0u);
}

TEST(AccountingRecord, CreationIsAllZero) {
    ScratchRoot s("pin-acc-create");
    AccountingRecord r{};
    r.countersLow[3] = 9;
    createAccountingDefaults(s.root(), 3, r);
    EXPECT_EQ(fileBytes(s.datas("Comptabilite3.fli")), std::vector<uint8_t>(164, 0));
    EXPECT_EQ(r.countersLow[3], 0u);
}

TEST(AccountingRecord, StatisticLabels) {
    EXPECT_STREQ(statisticLabels[0], "Nombre de pièces entrées dans le Monnayeur 1");
    EXPECT_STREQ(statisticLabels[7], "Nombre de parties engagées");
    EXPECT_STREQ(statisticLabels[21], "Valeur unités compteur crédit");
    EXPECT_STREQ(statisticLabels[23], "Nbre de fois Cible 1 U ");
    EXPECT_STREQ(statisticLabels[33], "Nbre de fois Cible 6 T ");
    EXPECT_STREQ(statisticLabels[41], "Nbre de fois Drop Target Gauche bas");
    EXPECT_STREQ(statisticLabels[42], " ");
}

TEST(CreditRule, StepsWithinZeroToNinetyNine) {
    CreditDigits d{9, 1};
    EXPECT_TRUE(stepCreditUp(d));
    EXPECT_EQ(d, (CreditDigits{0, 2}));
    d = {9, 9};
    EXPECT_FALSE(stepCreditUp(d)) << "a coin never wipes out the credits";
    EXPECT_EQ(d.value(), 99);
    d = {0, 0};
    EXPECT_FALSE(stepCreditDown(d));
    EXPECT_EQ(d.value(), 0);
    d = {0, 2};
    EXPECT_TRUE(stepCreditDown(d));
    EXPECT_EQ(d, (CreditDigits{9, 1}));
    d = {5, 0};
    EXPECT_TRUE(stepCreditDown(d));
    EXPECT_EQ(d, (CreditDigits{4, 0}));
    d = {0, 0};
    for (int i = 1; i <= 120; ++i) {
        stepCreditUp(d);
        EXPECT_EQ(d.value(), std::min(i, 99));
    }
}

TEST(CreditRule, DigitsReadFromAFileAreClamped) {
    AccountingRecord r{};
    r.creditUnits = 0x37;
    r.creditTens = 250;
    EXPECT_EQ(creditDigits(r), (CreditDigits{9, 9}));
    EXPECT_EQ(credits(r), 99);
    r.creditUnits = 3;
    r.creditTens = 1;
    EXPECT_EQ(credits(r), 13);
    CreditDigits wild{200, 3};
    EXPECT_TRUE(stepCreditDown(wild));
    EXPECT_EQ(wild, (CreditDigits{8, 3}));
}

class CreditFile : public ::testing::Test {
protected:
    ScratchRoot scratch{"pin-credits"};
    fs::path file = scratch.datas("Comptabilite3.fli");
    AccountingRecord r{};
    void SetUp() override { saveAccounting(file, r); }
};

TEST_F(CreditFile, NineteenPlusOneIsRewrittenAtOnce) {
    CreditDigits d{9, 1};
    creditUp(d, r, file);
    EXPECT_EQ(d, (CreditDigits{0, 2}));
    EXPECT_EQ(r.creditUnits, 0);
    EXPECT_EQ(r.creditTens, 2);
    auto b = fileBytes(file);
    ASSERT_EQ(b.size(), 164u);
    EXPECT_EQ(b[84], 0);
    EXPECT_EQ(b[85], 2);
    creditDown(d, r, file);
    b = fileBytes(file);
    EXPECT_EQ(b[84], 9);
    EXPECT_EQ(b[85], 1);
}

TEST_F(CreditFile, AtTheBoundsTheDigitsStayAndTheFileIsStillSaved) {
    CreditDigits d{9, 9};
    r.countersLow[kStatGamesStarted] = 41; // changed in memory by the game flow
    creditUp(d, r, file);
    EXPECT_EQ(d.value(), 99);
    auto b = fileBytes(file);
    EXPECT_EQ(b[84], 9);
    EXPECT_EQ(b[85], 9);
    EXPECT_EQ(le32(b, 28), 41u) << "counters reach the file at the next credit change";
    d = {0, 0};
    r.countersLow[kStatGamesStarted] = 42;
    creditDown(d, r, file);
    b = fileBytes(file);
    EXPECT_EQ(b[84], 0);
    EXPECT_EQ(b[85], 0);
    EXPECT_EQ(le32(b, 28), 42u);
}

TEST_F(CreditFile, AFailedSaveRaisesTheMessageAndKeepsTheCredit) {
    fs::permissions(file, fs::perms::owner_read);
    CreditDigits d{4, 0};
    try {
        creditUp(d, r, file);
        FAIL() << "no error";
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), "Impossible de créer le fichier de comptabilité");
    }
    EXPECT_EQ(d.value(), 5) << "the coin was paid";
    EXPECT_EQ(r.creditUnits, 5);
    EXPECT_EQ(fileBytes(file), std::vector<uint8_t>(164, 0));
}

TEST_F(CreditFile, AFullRunOfCoinsEndsAtNinetyNineOnDisk) {
    CreditDigits d = creditDigits(r);
    for (int i = 0; i < 105; ++i)
        creditUp(d, r, file);
    AccountingRecord back{};
    loadAccounting(file, back);
    EXPECT_EQ(credits(back), 99);
    for (int i = 0; i < 37; ++i)
        creditDown(d, r, file);
    loadAccounting(file, back);
    EXPECT_EQ(credits(back), 62);
}

} // namespace
