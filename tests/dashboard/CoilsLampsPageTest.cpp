// The coils and lamps pages: titles, the coil test (pulse with its flash, hold and release), the
// lamp test, and renaming.
#include "DashboardFixture.h"

#include "dashboard/CoilsPage.h"
#include "dashboard/DashboardStyle.h"
#include "dashboard/LampsPage.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

namespace pinstage::test {

namespace {
// Port 3 is byte 4 of a port report; a coil is energised while its bit is 0.
bool port3BitLow(const ReceivedReport& report, int bit) {
    return report.accepted && report.length >= 5 && !(report.bytes[4] & (1u << bit));
}
} // namespace

class CoilsPageTest : public DashboardTest {
protected:
    void SetUp() override {
        DashboardTest::SetUp();
        makeDashboard();
        dash->showPage(TTableauDeBord::kCoilsPage);
        board.clearLog();
    }
    DashGrid* grid() const { return dash->coilsPage()->grid(); }
    // How many times port 3 went from released to energised for this bit.
    int activations(int bit) const {
        int count = 0;
        bool low = false;
        for (const auto& r : received(kPortInterface)) {
            bool now = port3BitLow(r, bit);
            if (now && !low)
                ++count;
            low = now;
        }
        return count;
    }
};

TEST_F(CoilsPageTest, GridTitlesAndNames) {
    ASSERT_EQ(grid()->columnCount(), 9);
    ASSERT_EQ(grid()->rowCount(), 4);
    EXPECT_EQ(grid()->text(0, 1), "Port-3");
    EXPECT_EQ(grid()->text(0, 3), "Port-5");
    EXPECT_EQ(grid()->text(1, 0), "Bit 0");
    EXPECT_EQ(grid()->text(8, 0), "Bit 7");
    EXPECT_EQ(grid()->text(4, 1), "Knocker");
    EXPECT_EQ(grid()->text(3, 1), "Flipper relay");
    EXPECT_EQ(grid()->text(3, 2), "Kicking gauche");
    EXPECT_EQ(grid()->text(2, 1), QString::fromUtf8("Inutilisée"));
    EXPECT_EQ(grid()->background(0, 1), dash::kFixedBlue);
    EXPECT_EQ(grid()->background(4, 1), dash::kOutputIdle);
    EXPECT_EQ(grid()->columnWidth(0), 75);
}

TEST_F(CoilsPageTest, KnockerGivesOnePulseAndARedFlash) {
    QElapsedTimer sinceClick;
    sinceClick.start();
    clickCell(grid(), 4, 1);
    EXPECT_EQ(grid()->background(4, 1), dash::kFlashRed);
    EXPECT_EQ(grid()->text(4, 1), "Knocker");

    ticks(1, 40);
    EXPECT_TRUE(board.coilEnergised(3));
    ticks(1, 40); // 40 ms into an 80 ms pulse
    EXPECT_TRUE(board.coilEnergised(3));
    ticks(1, 41);
    EXPECT_FALSE(board.coilEnergised(3));
    // Auto-release: the request is consumed by the pulse.
    EXPECT_EQ(m->outputs.coilRequest[0] & 0x08, 0);
    ticks(10, 40);
    EXPECT_FALSE(board.coilEnergised(3));
    EXPECT_EQ(activations(3), 1);

    // The flash ends by itself after 100 ms, the dashboard running meanwhile. On a loaded
    // machine the ticks above may already have taken longer than the flash: only a check made
    // well inside the 100 ms can expect it still lit.
    QTest::qWait(20);
    if (sinceClick.elapsed() < 80) {
        EXPECT_EQ(grid()->background(4, 1), dash::kFlashRed);
    }
    QTRY_COMPARE_WITH_TIMEOUT(grid()->background(4, 1), dash::kOutputIdle, 2000);
    EXPECT_EQ(grid()->text(4, 1), "Knocker");
}

TEST_F(CoilsPageTest, FlipperRelayHeldByOneClickReleasedByTheNext) {
    clickCell(grid(), 3, 1);
    EXPECT_EQ(m->outputs.coils[2].switchedOn, 1);
    EXPECT_EQ(grid()->background(3, 1), dash::kCoilHeld);
    ticks(1, 40);
    EXPECT_TRUE(board.coilEnergised(2));
    ticks(25, 40); // a second: still held
    EXPECT_TRUE(board.coilEnergised(2));

    clickCell(grid(), 3, 1);
    EXPECT_EQ(m->outputs.coils[2].switchedOn, 0);
    EXPECT_EQ(grid()->background(3, 1), dash::kOutputIdle);
    ticks(1, 40);
    EXPECT_FALSE(board.coilEnergised(2));
    EXPECT_EQ(activations(2), 1);
}

TEST_F(CoilsPageTest, TitleCellsAreNotCoils) {
    clickCell(grid(), 0, 1);
    clickCell(grid(), 4, 0);
    ticks(3, 40);
    for (int c = 0; c < kCoilCount; ++c)
        EXPECT_FALSE(board.coilEnergised(c)) << c;
}

TEST_F(CoilsPageTest, EditionClicksFireNothing) {
    QTest::mouseClick(dash->coilsPage()->modeButton(), Qt::LeftButton);
    clickCell(grid(), 4, 1);
    ticks(2, 40);
    EXPECT_FALSE(board.coilEnergised(3));
    EXPECT_EQ(grid()->background(4, 1), dash::kOutputIdle);
}

TEST_F(CoilsPageTest, CoilNamesTakeOneToTwentyFiveCharacters) {
    QTest::mouseClick(dash->coilsPage()->modeButton(), Qt::LeftButton);
    typeIntoCell(grid(), 4, 1, QString(25, 'k'));
    EXPECT_EQ(m->params.coils.names[3].utf8(), std::string(25, 'k'));
    typeIntoCell(grid(), 4, 1, QString(26, 'k'));
    EXPECT_EQ(grid()->text(4, 1), "");
    EXPECT_EQ(m->params.coils.names[3].utf8(), std::string(25, 'k'));
    typeIntoCell(grid(), 3, 1, "");
    EXPECT_EQ(m->params.coils.names[2].utf8(), "Flipper relay");
    typeIntoCell(grid(), 8, 3, QString::fromUtf8("Bobine spéciale"));
    EXPECT_EQ(m->params.coils.names[23].utf8(), "Bobine spéciale");
}

class LampsPageTest : public DashboardTest {
protected:
    void SetUp() override {
        DashboardTest::SetUp();
        makeDashboard();
        dash->showPage(TTableauDeBord::kLampsPage);
    }
    DashGrid* grid() const { return dash->lampsPage()->grid(); }
};

TEST_F(LampsPageTest, GridTitlesAndNames) {
    ASSERT_EQ(grid()->columnCount(), 9);
    ASSERT_EQ(grid()->rowCount(), 9);
    EXPECT_EQ(grid()->text(0, 1), "Colonne 0");
    EXPECT_EQ(grid()->text(0, 8), "Colonne 7");
    EXPECT_EQ(grid()->text(1, 0), QString::fromUtf8("Rangée 0"));
    EXPECT_EQ(grid()->text(8, 0), QString::fromUtf8("Rangée 7"));
    EXPECT_EQ(grid()->text(2, 6), "Led 13 Bonus X4"); // lamp 13: byte 1, bit 5
    EXPECT_EQ(grid()->text(4, 1), QString::fromUtf8("Led 24 Spécial"));
    EXPECT_EQ(grid()->background(0, 0), dash::kFixedBlue);
    EXPECT_EQ(grid()->columnWidth(0), 90);
}

TEST_F(LampsPageTest, ClickTogglesTheLampTheCellNames) {
    // Off the diagonal: column 3, row 2 shows lamp 17, and lamp 17 is what lights.
    ASSERT_EQ(grid()->text(3, 2), "Led 17 Score bonus W lit");
    clickCell(grid(), 3, 2);
    EXPECT_EQ(grid()->background(3, 2), dash::kLampLit);
    ticks(1, 40);
    EXPECT_TRUE(board.lampLit(17));
    EXPECT_FALSE(board.lampLit(10));

    clickCell(grid(), 3, 2);
    EXPECT_EQ(grid()->background(3, 2), dash::kOutputIdle);
    ticks(1, 40);
    EXPECT_FALSE(board.lampLit(17));
}

TEST_F(LampsPageTest, LampNinesBitReachesTheBoard) {
    clickCell(grid(), 2, 2);
    ticks(1, 40);
    EXPECT_TRUE(board.lampLit(9));
    EXPECT_EQ(board.lampBytes()[1], 0x02);
}

TEST_F(LampsPageTest, LampNamesTakeOneToTwentyFourCharacters) {
    QTest::mouseClick(dash->lampsPage()->modeButton(), Qt::LeftButton);
    typeIntoCell(grid(), 2, 2, QString(24, 'l'));
    EXPECT_EQ(m->params.lamps.names[9].utf8(), std::string(24, 'l'));
    typeIntoCell(grid(), 2, 2, QString(25, 'l'));
    EXPECT_EQ(grid()->text(2, 2), "");
    EXPECT_EQ(m->params.lamps.names[9].utf8(), std::string(24, 'l'));
    typeIntoCell(grid(), 3, 2, "");
    EXPECT_EQ(m->params.lamps.names[17].utf8(), "Led 17 Score bonus W lit");
    EXPECT_EQ(grid()->text(3, 2), "");
}

} // namespace pinstage::test
