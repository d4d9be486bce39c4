// The dashboard window: its controls, the timer's work by page, the save and exit actions.
#include "DashboardFixture.h"

#include "board/CoilEngine.h"
#include "board/OutputOperations.h"
#include "config/FileNames.h"
#include "dashboard/ContactsPage.h"
#include "dashboard/DashboardStyle.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace pinstage::test {

using ShellTest = DashboardTest;

TEST_F(ShellTest, WindowCaptionButtonsTabsAndTimer) {
    makeDashboard();
    EXPECT_EQ(dash->windowTitle(), QString::fromUtf8("Utilitaires de configuration Lumiscope®"));
    // The olive band above the pages, as painted (the window keeps the application's palette).
    EXPECT_EQ(dash->grab().toImage().pixelColor(5, 5), QColor(128, 128, 0));
    EXPECT_EQ(dash->font().pixelSize(), 24);

    EXPECT_EQ(dash->exitButton()->text(), "Sortir");
    EXPECT_EQ(dash->exitButton()->geometry().left(), 24);
    EXPECT_EQ(dash->exitButton()->size(), QSize(97, 49));
    EXPECT_EQ(dash->saveButton()->text(), "Enregistrer");
    EXPECT_EQ(dash->saveButton()->geometry().left(), 176);
    EXPECT_EQ(dash->saveButton()->size(), QSize(145, 49));
    EXPECT_GT(dash->pages()->geometry().top(), dash->exitButton()->geometry().bottom());
    EXPECT_EQ(dash->pages()->width(), dash->width());

    const char* tabs[] = {
        "Assignation des contacts", "Assignation des Bobines", "Test des voyants", "Paramétrages des sons",
        "Paramétrages du fronton",  "Réglages du jeu",         "Comptabilité"};
    ASSERT_EQ(dash->pages()->count(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(dash->pages()->tabText(i), QString::fromUtf8(tabs[i])) << i;
    EXPECT_EQ(dash->currentPage(), 0);
    EXPECT_EQ(dash->timer()->interval(), 40);
}

// Every name of a grid's movable cells shows whole in its column.
void expectNamesFit(DashGrid* grid, const char* page) {
    QFontMetrics metrics(grid->font());
    for (int r = grid->fixedRows(); r < grid->rowCount(); ++r)
        for (int c = grid->fixedColumns(); c < grid->columnCount(); ++c)
            EXPECT_LE(metrics.horizontalAdvance(grid->text(c, r)) + 6, grid->columnWidth(c))
                << page << " " << grid->text(c, r).toStdString();
    int width = 0;
    for (int c = 0; c < grid->columnCount(); ++c)
        width += grid->columnWidth(c);
    EXPECT_LE(width, grid->viewport()->width()) << page;
}

TEST_F(ShellTest, On1360By768TheSevenTabsAndTheNamesFit) {
    makeDashboard();
    QTabBar* bar = dash->pages()->tabBar();
    dash->resize(1360, 768);
    QApplication::processEvents();
    EXPECT_LE(bar->tabRect(TTableauDeBord::kAccountingPage).right(), dash->width());
    EXPECT_LE(bar->sizeHint().width(), dash->pages()->width());
    EXPECT_LT(bar->font().pixelSize(), 24);
    EXPECT_GE(bar->font().pixelSize(), 11);
    for (int page : {TTableauDeBord::kContactsPage, TTableauDeBord::kCoilsPage, TTableauDeBord::kLampsPage}) {
        dash->showPage(page);
        QApplication::processEvents();
        auto* grid = dash->pages()->currentWidget()->findChild<DashGrid*>();
        ASSERT_NE(grid, nullptr);
        expectNamesFit(grid, "1360");
    }
    DashGrid* contacts = dash->contactsPage()->grid();
    EXPECT_LT(contacts->font().pointSize(), 11);
    EXPECT_GE(contacts->font().pointSize(), 7);

    // Back on a wide screen, the sizes asked for.
    dash->resize(1920, 1080);
    dash->showPage(TTableauDeBord::kContactsPage);
    QApplication::processEvents();
    EXPECT_EQ(bar->font().pixelSize(), 24);
    EXPECT_EQ(contacts->font().pointSize(), 11);
    expectNamesFit(contacts, "1920");
}

TEST_F(ShellTest, TimerRunsWhileShown) {
    makeDashboard();
    dash->hide();
    dash->show();
    EXPECT_TRUE(dash->timer()->isActive());
    dash->timer()->stop();
}

TEST_F(ShellTest, SaveOnAccountingPageWritesNothing) {
    makeDashboard();
    dash->showPage(TTableauDeBord::kAccountingPage);
    auto before = snapshotFiles(root().root());
    QTest::mouseClick(dash->saveButton(), Qt::LeftButton);
    EXPECT_EQ(snapshotFiles(root().root()), before);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(ShellTest, SaveOnPlayfieldPagesWritesTheirFiles) {
    makeDashboard();
    m->params.contacts.names[5].setUtf8("c5-Départ");
    m->params.coils.names[3].setUtf8("Cloche");
    m->params.lamps.names[9].setUtf8("Led 9 Essai");
    std::filesystem::remove(sharedFile(root(), kContactsFileName));
    std::filesystem::remove(sharedFile(root(), kCoilsFileName));
    std::filesystem::remove(sharedFile(root(), kLampsFileName));

    QTest::mouseClick(dash->saveButton(), Qt::LeftButton);
    dash->showPage(TTableauDeBord::kCoilsPage);
    QTest::mouseClick(dash->saveButton(), Qt::LeftButton);
    dash->showPage(TTableauDeBord::kLampsPage);
    QTest::mouseClick(dash->saveButton(), Qt::LeftButton);

    ParameterSet reread;
    fullLoad(root(), 0, reread, nullptr);
    EXPECT_EQ(reread.contacts.names[5].utf8(), "c5-Départ");
    EXPECT_EQ(reread.coils.names[3].utf8(), "Cloche");
    EXPECT_EQ(reread.lamps.names[9].utf8(), "Led 9 Essai");
    EXPECT_EQ(fileBytes(sharedFile(root(), kContactsFileName)).size(), 1800u);
    EXPECT_EQ(fileBytes(sharedFile(root(), kCoilsFileName)).size(), 1320u);
    EXPECT_EQ(fileBytes(sharedFile(root(), kLampsFileName)).size(), 2816u);
}

TEST_F(ShellTest, SaveFailureIsShownAndTheDashboardCarriesOn) {
    makeDashboard();
    // A directory in the file's place: the save cannot replace it.
    auto file = sharedFile(root(), kContactsFileName);
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    dash->saveAction();
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_FALSE(ui.errors[0].isEmpty());
    EXPECT_FALSE(dash->exited());
}

TEST_F(ShellTest, WithoutABoardTheCoilPageSendsNothing) {
    makeDashboard(/*withBoard=*/false);
    dash->showPage(TTableauDeBord::kCoilsPage);
    board.clearLog();
    coilPulse(m->outputs, 3);
    coilHold(m->outputs, 2);
    ticks(20, 40);
    EXPECT_EQ(board.receivedCount(), 0u);
}

TEST_F(ShellTest, WithABoardTheCoilPageDrivesTheCoils) {
    makeDashboard();
    dash->showPage(TTableauDeBord::kCoilsPage);
    board.clearLog();
    coilHold(m->outputs, 2);
    ticks(1, 40);
    EXPECT_TRUE(board.coilEnergised(2));
    EXPECT_GT(board.receivedCount(), 0u);
}

TEST_F(ShellTest, TimerWorksOnlyForThePageOnShow) {
    makeDashboard();
    // Lamps page on show: the coil engine is not run.
    dash->showPage(TTableauDeBord::kLampsPage);
    coilHold(m->outputs, 2);
    lampOn(m->outputs, 9);
    ticks(3, 40);
    EXPECT_FALSE(board.coilEnergised(2));
    EXPECT_TRUE(board.lampLit(9));

    // Accounting page: no board traffic at all.
    dash->showPage(TTableauDeBord::kAccountingPage);
    board.clearLog();
    lampOn(m->outputs, 10);
    board.setSwitch(18, true);
    size_t waiting = board.pendingReports(kSpecialInterface);
    ASSERT_GT(waiting, 0u);
    ticks(5, 40);
    EXPECT_EQ(board.receivedCount(), 0u);
    EXPECT_EQ(board.pendingReports(kSpecialInterface), waiting); // the closure waits, unread
}

TEST_F(ShellTest, BoardErrorDuringATickIsShownOnce) {
    makeDashboard();
    dash->showPage(TTableauDeBord::kCoilsPage);
    coilPulse(m->outputs, 3);
    board.failWrites(kPortInterface, 1);
    ticks(1, 40);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], QString::fromUtf8("erreur d'écriture"));
    EXPECT_FALSE(dash->exited());
    // The dashboard keeps working afterwards.
    ticks(1, 200);
    EXPECT_EQ(ui.errors.size(), 1u);
}

TEST_F(ShellTest, ExitSwitchesEverythingOffClosesTheBoardAndEndsTheProgram) {
    makeDashboard();
    dash->showPage(TTableauDeBord::kLampsPage);
    lampOn(m->outputs, 9);
    ticks(1, 40);
    coilHold(m->outputs, 2);
    clock.advance(100);
    runCoilEngine(m->outputs, m->io, clock);
    ASSERT_TRUE(board.coilEnergised(2));
    ASSERT_TRUE(board.lampLit(9));

    QTest::mouseClick(dash->exitButton(), Qt::LeftButton);
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(dash->exited());
    EXPECT_FALSE(boardOpenAtExit); // the board was closed before the program was asked to end
    EXPECT_FALSE(board.isOpen());
    EXPECT_FALSE(boardPresent(m->io));
    for (int c = 0; c < kCoilCount; ++c)
        EXPECT_FALSE(board.coilEnergised(c)) << c;
    for (int l = 0; l < kLampCount; ++l)
        EXPECT_FALSE(board.lampLit(l)) << l;
    EXPECT_FALSE(dash->timer()->isActive());
    EXPECT_FALSE(dash->isVisible());
    ASSERT_FALSE(ui.confinements.empty());
    EXPECT_FALSE(ui.confinements.back().has_value()); // the mouse is freed

    // Nothing more happens once out.
    board.clearLog();
    dash->tick();
    dash->saveAction();
    dash->exitAction();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(board.receivedCount(), 0u);
}

TEST_F(ShellTest, EscapeDoesNotLeaveButClosingTheWindowDoes) {
    makeDashboard();
    QTest::keyClick(dash.get(), Qt::Key_Escape);
    EXPECT_FALSE(dash->exited());
    EXPECT_TRUE(dash->isVisible());
    dash->close();
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(board.isOpen());
}

TEST_F(ShellTest, CursorIsConfinedOnceTheAdjustmentsPageWasShown) {
    makeDashboard();
    dash->tick();
    EXPECT_TRUE(ui.confinements.empty());

    dash->showPage(TTableauDeBord::kSettingsPage);
    ASSERT_TRUE(dash->cursorArea().has_value());
    QRect expected = dash->frameGeometry();
    expected.setTop(expected.top() + 4);
    EXPECT_EQ(*dash->cursorArea(), expected);
    dash->tick();
    ASSERT_EQ(ui.confinements.size(), 1u);
    EXPECT_EQ(ui.confinements[0], expected);

    // The backglass editor needs the whole screen: the mouse is freed when it opens, and the
    // ticks leave it free.
    dash->showPage(TTableauDeBord::kFrontonPage);
    dash->tick();
    ASSERT_EQ(ui.confinements.size(), 2u);
    EXPECT_FALSE(ui.confinements[1].has_value());
}

TEST_F(ShellTest, PluggedPagesGetTheirShowSaveAndTickCalls) {
    makeDashboard();
    int shown = 0, saved = 0, ticked = 0;
    auto* content = new QWidget; // owned by the page once installed
    EXPECT_TRUE(dash->installPage(TTableauDeBord::kSoundsPage, content,
                                  {[&] { ++shown; }, [&] { ++saved; }, [&] { ++ticked; }}));
    QWidget stray;
    EXPECT_FALSE(dash->installPage(TTableauDeBord::kSettingsPage, &stray, {}));
    EXPECT_FALSE(dash->installPage(7, &stray, {}));

    dash->tick(); // every tick, whatever the page
    EXPECT_EQ(ticked, 1);
    dash->showPage(TTableauDeBord::kSoundsPage);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(content->parentWidget(), dash->pages()->widget(TTableauDeBord::kSoundsPage));
    dash->saveAction();
    EXPECT_EQ(saved, 1);
    dash->showPage(TTableauDeBord::kFrontonPage);
    dash->saveAction(); // nothing installed there: nothing to do
    EXPECT_EQ(saved, 1);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(ShellTest, PlayfieldPagesResetTheOutputsWhenShown) {
    makeDashboard();
    dash->showPage(TTableauDeBord::kCoilsPage);
    coilHold(m->outputs, 2);
    ticks(1, 40);
    ASSERT_TRUE(board.coilEnergised(2));
    dash->showPage(TTableauDeBord::kLampsPage);
    EXPECT_FALSE(board.coilEnergised(2));
    EXPECT_EQ(m->outputs.coils[2].switchedOn, 0);
}

} // namespace pinstage::test
