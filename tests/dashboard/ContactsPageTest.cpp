// The contacts page: live switch display painted by the scan, modes, and contact renaming.
#include "DashboardFixture.h"

#include "config/LabelTables.h"
#include "dashboard/ContactsPage.h"
#include "dashboard/DashboardStyle.h"

#include <QPushButton>
#include <QTest>

#include <string>

namespace pinstage::test {

class ContactsPageTest : public DashboardTest {
protected:
    void SetUp() override {
        DashboardTest::SetUp();
        makeDashboard();
    }
    ContactsPage* page() const { return dash->contactsPage(); }
    DashGrid* grid() const { return page()->grid(); }
    QColor colour(int column, int row) const { return grid()->background(column, row); }
};

TEST_F(ContactsPageTest, GridTitlesNamesAndColoursWhenShown) {
    ASSERT_EQ(grid()->columnCount(), 9);
    ASSERT_EQ(grid()->rowCount(), 11);
    EXPECT_EQ(grid()->text(1, 0), "Strobe 0");
    EXPECT_EQ(grid()->text(8, 0), "Strobe 7");
    EXPECT_EQ(grid()->text(0, 1), "Return 0");
    EXPECT_EQ(grid()->text(0, 8), "Return 7");
    EXPECT_EQ(grid()->text(0, 9), "Direct SW");
    EXPECT_EQ(grid()->text(0, 10), "Etat du SW");
    EXPECT_EQ(grid()->text(3, 3), QString::fromUtf8("c18-Trou bonus"));
    EXPECT_EQ(grid()->text(2, 2), QString::fromUtf8("c9-Cible Droite 4"));
    EXPECT_EQ(grid()->text(1, 9), QString::fromUtf8("c64-SW direct 0"));
    EXPECT_EQ(grid()->text(3, 9), QString::fromUtf8("c66-Non utilisable"));

    EXPECT_EQ(colour(0, 0), dash::kFixedBlue);
    EXPECT_EQ(colour(5, 0), dash::kFixedBlue);
    EXPECT_EQ(colour(0, 5), dash::kFixedBlue);
    for (int c = 1; c <= 8; ++c) {
        for (int r = 1; r <= 8; ++r)
            EXPECT_EQ(colour(c, r), dash::kOpenGreen) << c << "," << r;
        EXPECT_EQ(colour(c, 9), dash::kDirectYellow);
        EXPECT_EQ(colour(c, 10), dash::kOpenGreen);
    }
    EXPECT_EQ(grid()->foreground(1, 1), dash::kWhite);
    EXPECT_EQ(grid()->font().pointSize(), 11);
    EXPECT_EQ(grid()->rowHeight(1), 20);
    EXPECT_EQ(grid()->columnWidth(0), 130);
    EXPECT_GE(grid()->columnWidth(1), 220);
}

TEST_F(ContactsPageTest, ClosedContactPaintsItsCellBlueUntilAScanSeesItOpen) {
    board.setSwitch(18, true);
    tickUntilDrained();
    EXPECT_EQ(colour(3, 3), dash::kFixedBlue);
    EXPECT_EQ(grid()->text(3, 3), QString::fromUtf8("c18-Trou bonus"));
    EXPECT_EQ(colour(2, 2), dash::kOpenGreen);
    // The dashboard consumed the event.
    EXPECT_EQ(m->switches.contactFlags[18] & kContactPending, 0);

    // No new report: the cell keeps its colour.
    ticks(10, 40);
    EXPECT_EQ(colour(3, 3), dash::kFixedBlue);

    board.setSwitch(18, false);
    tickUntilDrained();
    EXPECT_EQ(colour(3, 3), dash::kOpenGreen);
}

TEST_F(ContactsPageTest, ContactNineIsStrobeOneReturnOne) {
    board.setSwitch(9, true);
    tickUntilDrained();
    EXPECT_EQ(colour(2, 2), dash::kFixedBlue);
    EXPECT_EQ(colour(3, 3), dash::kOpenGreen);
    EXPECT_EQ(colour(1, 2), dash::kOpenGreen);
    EXPECT_EQ(colour(2, 1), dash::kOpenGreen);
}

TEST_F(ContactsPageTest, DirectSwitchLevelsShowInTheStateRow) {
    board.setSwitch(64, true);
    board.setSwitch(71, true);
    tickUntilDrained();
    EXPECT_EQ(colour(1, 10), dash::kFixedBlue);
    EXPECT_EQ(colour(8, 10), dash::kFixedBlue);
    EXPECT_EQ(colour(2, 10), dash::kOpenGreen);
    EXPECT_EQ(colour(1, 9), dash::kDirectYellow);
    EXPECT_EQ(grid()->text(1, 9), QString::fromUtf8("c64-SW direct 0"));
    board.setSwitch(64, false);
    tickUntilDrained();
    EXPECT_EQ(colour(1, 10), dash::kOpenGreen);
    EXPECT_EQ(colour(8, 10), dash::kFixedBlue);
}

TEST_F(ContactsPageTest, TestCellsShowTheNamesTheOperatorGave) {
    m->params.contacts.names[18].setUtf8("Trou du bonus");
    board.setSwitch(18, true);
    tickUntilDrained();
    EXPECT_EQ(grid()->text(3, 3), QString::fromUtf8("Trou du bonus"));
}

TEST_F(ContactsPageTest, ModeButtonSwitchesBetweenTestAndEdition) {
    QPushButton* button = page()->modeButton();
    EXPECT_EQ(button->text(), "Mode Test");
    EXPECT_FALSE(page()->editing());
    EXPECT_FALSE(grid()->cellEditable(1, 1));

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(page()->editing());
    EXPECT_EQ(button->text(), QString::fromUtf8("Mode édition"));
    EXPECT_TRUE(grid()->cellEditable(1, 1));
    EXPECT_TRUE(grid()->cellEditable(8, 9));
    EXPECT_FALSE(grid()->cellEditable(3, 9));
    EXPECT_FALSE(grid()->cellEditable(4, 9));
    EXPECT_FALSE(grid()->cellEditable(1, 10));
    EXPECT_FALSE(grid()->cellEditable(0, 1));
    EXPECT_FALSE(grid()->cellEditable(1, 0));

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(page()->editing());
    EXPECT_EQ(button->text(), "Mode Test");
    EXPECT_FALSE(grid()->cellEditable(1, 1));
}

TEST_F(ContactsPageTest, ShowingThePageAgainReturnsToTestMode) {
    QTest::mouseClick(page()->modeButton(), Qt::LeftButton);
    ASSERT_TRUE(page()->editing());
    dash->showPage(TTableauDeBord::kCoilsPage);
    dash->showPage(TTableauDeBord::kContactsPage);
    EXPECT_FALSE(page()->editing());
    EXPECT_EQ(page()->modeButton()->text(), "Mode Test");
}

TEST_F(ContactsPageTest, TooLongANameIsRefusedAndTheRecordKept) {
    QTest::mouseClick(page()->modeButton(), Qt::LeftButton);
    typeIntoCell(grid(), 1, 6, QString(25, 'x'));
    EXPECT_EQ(grid()->text(1, 6), "");
    EXPECT_EQ(m->params.contacts.names[5].utf8(), "c5-Bouton Play");
    // Back to test mode the refused edit disappears.
    QTest::mouseClick(page()->modeButton(), Qt::LeftButton);
    EXPECT_EQ(grid()->text(1, 6), "c5-Bouton Play");
}

TEST_F(ContactsPageTest, NamesUpToTwentyFourCharactersAreTaken) {
    QTest::mouseClick(page()->modeButton(), Qt::LeftButton);
    QString name = QString::fromUtf8("Départ partie é") + QString(9, 'x'); // 24 characters
    ASSERT_EQ(name.size(), 24);
    typeIntoCell(grid(), 1, 6, name);
    EXPECT_EQ(QString::fromStdString(m->params.contacts.names[5].utf8()), name);
    typeIntoCell(grid(), 6, 9, QString::fromUtf8("Monnayeur gauche"));
    EXPECT_EQ(m->params.contacts.names[69].utf8(), "Monnayeur gauche");
}

TEST_F(ContactsPageTest, TheScanDoesNotOverwriteTheCellsBeingEdited) {
    QTest::mouseClick(page()->modeButton(), Qt::LeftButton);
    typeIntoCell(grid(), 3, 3, QString::fromUtf8("Trou"));
    board.setSwitch(18, true);
    tickUntilDrained();
    EXPECT_EQ(grid()->text(3, 3), "Trou");
    // The closure is left for later, not consumed by a page that does not show it.
    EXPECT_NE(m->switches.contactFlags[18] & kContactPending, 0);
}

TEST_F(ContactsPageTest, TestModeClicksChangeNothing) {
    clickCell(grid(), 3, 3);
    EXPECT_FALSE(page()->editing());
    EXPECT_EQ(m->params.contacts.names[18].utf8(), "c18-Trou bonus");
    EXPECT_EQ(grid()->text(3, 3), QString::fromUtf8("c18-Trou bonus"));
}

} // namespace pinstage::test
