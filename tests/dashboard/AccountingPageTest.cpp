// The accounting page: read from the file each time it is shown, read only.
#include "DashboardFixture.h"

#include "config/Accounting.h"
#include "config/FileNames.h"
#include "dashboard/AccountingPage.h"
#include "dashboard/DashboardStyle.h"

namespace pinstage::test {

class AccountingPageTest : public DashboardTest {
protected:
    DashGrid* grid() const { return dash->accountingPage()->grid(); }
    std::filesystem::path file() const { return configFile(root(), kAccountingFileName, 0); }
    void writeFile(uint32_t coins1, uint8_t units, uint8_t tens, uint32_t stat41) {
        AccountingRecord r{};
        r.countersLow[0] = coins1;
        r.creditUnits = units;
        r.creditTens = tens;
        r.countersHigh[18] = stat41;
        saveAccounting(file(), r);
    }
};

TEST_F(AccountingPageTest, LabelsColoursAndLayout) {
    makeDashboard();
    dash->showPage(TTableauDeBord::kAccountingPage);
    ASSERT_EQ(grid()->columnCount(), 2);
    ASSERT_EQ(grid()->rowCount(), 43);
    EXPECT_EQ(grid()->text(0, 0), QString::fromUtf8("Nombre de pièces entrées dans le Monnayeur 1"));
    EXPECT_EQ(grid()->text(0, 21), QString::fromUtf8("Valeur unités compteur crédit"));
    EXPECT_EQ(grid()->text(0, 41), "Nbre de fois Drop Target Gauche bas");
    EXPECT_EQ(grid()->background(0, 0), dash::kAccountingSilver);
    EXPECT_EQ(grid()->background(1, 0), dash::kWhite);
    EXPECT_EQ(grid()->foreground(1, 0), dash::kTextRed);
    EXPECT_EQ(grid()->foreground(0, 0), dash::kTextRed);
    EXPECT_EQ(grid()->rowHeight(0), 20);
    EXPECT_EQ(grid()->font().pointSize(), 11);
    EXPECT_EQ(grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(grid()->cellEditable(1, 0));
}

TEST_F(AccountingPageTest, ShownTwiceShowsTheSameValuesFromTheFile) {
    writeFile(17, 4, 2, 99);
    // Counts made in memory since the last credit change are not in the file.
    m->params.accounting.countersLow[0] = 20;
    makeDashboard();
    dash->showPage(TTableauDeBord::kAccountingPage);
    EXPECT_EQ(grid()->text(1, 0), "17");
    EXPECT_EQ(grid()->text(1, 21), "4");
    EXPECT_EQ(grid()->text(1, 22), "2");
    EXPECT_EQ(grid()->text(1, 41), "99");
    EXPECT_EQ(grid()->text(1, 5), "0");
    EXPECT_EQ(grid()->text(1, 42), "");
    std::vector<QString> first;
    for (int r = 0; r < 43; ++r)
        first.push_back(grid()->text(1, r));

    dash->showPage(TTableauDeBord::kContactsPage);
    dash->showPage(TTableauDeBord::kAccountingPage);
    for (int r = 0; r < 43; ++r)
        EXPECT_EQ(grid()->text(1, r), first[size_t(r)]) << r;
    // The machine's own record keeps its unsaved counts.
    EXPECT_EQ(m->params.accounting.countersLow[0], 20u);
}

TEST_F(AccountingPageTest, EachShowingReadsTheFileAgain) {
    writeFile(1, 0, 0, 0);
    makeDashboard();
    dash->showPage(TTableauDeBord::kAccountingPage);
    EXPECT_EQ(grid()->text(1, 0), "1");
    writeFile(2, 9, 9, 7);
    dash->showPage(TTableauDeBord::kLampsPage);
    dash->showPage(TTableauDeBord::kAccountingPage);
    EXPECT_EQ(grid()->text(1, 0), "2");
    EXPECT_EQ(grid()->text(1, 22), "9");
    EXPECT_EQ(grid()->text(1, 41), "7");
}

TEST_F(AccountingPageTest, MissingFileIsReportedAndShowsNoValues) {
    writeFile(5, 0, 0, 0);
    makeDashboard();
    dash->showPage(TTableauDeBord::kAccountingPage);
    ASSERT_EQ(grid()->text(1, 0), "5");
    std::filesystem::remove(file());
    dash->showPage(TTableauDeBord::kContactsPage);
    dash->showPage(TTableauDeBord::kAccountingPage);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(grid()->text(1, 0), "");
    EXPECT_FALSE(dash->exited());
}

TEST_F(AccountingPageTest, ShortFileIsReported) {
    makeDashboard();
    {
        std::FILE* f = std::fopen(file().c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("court", f);
        std::fclose(f);
    }
    dash->showPage(TTableauDeBord::kAccountingPage);
    // Either refused with a message, or read as far as it goes: never garbage beyond the file.
    if (ui.errors.empty())
        EXPECT_EQ(grid()->text(1, 41), "0");
    else
        EXPECT_EQ(grid()->text(1, 0), "");
}

} // namespace pinstage::test
