// The adjustments page: fill after the password, typing rules, validation messages and save.
#include "DashboardFixture.h"

#include "config/AdjustmentRows.h"
#include "config/Adjustments.h"
#include "config/FileNames.h"
#include "dashboard/DashboardStyle.h"
#include "dashboard/SettingsPage.h"

#include <QTest>

namespace pinstage::test {

class SettingsPageTest : public DashboardTest {
protected:
    void open(bool mediaOptions = false) {
        makeDashboard(true, mediaOptions);
        dash->showPage(TTableauDeBord::kSettingsPage);
        ASSERT_EQ(exits, 0);
    }
    DashGrid* grid() const { return dash->settingsPage()->grid(); }
    std::filesystem::path file() const { return configFile(root(), kAdjustmentsFileName, 0); }
    void save() { QTest::mouseClick(dash->saveButton(), Qt::LeftButton); }
};

TEST_F(SettingsPageTest, GridLayoutTitlesAndValues) {
    open();
    ASSERT_EQ(grid()->columnCount(), 2);
    ASSERT_EQ(grid()->rowCount(), 23);
    EXPECT_EQ(grid()->text(0, 0), QString::fromUtf8("Libellé des Réglages"));
    EXPECT_EQ(grid()->text(1, 0), QString::fromUtf8("Valeur actuelle des réglages"));
    EXPECT_EQ(grid()->text(0, 13), "nombre de billes par partie");
    EXPECT_EQ(grid()->text(1, 13), "3");
    EXPECT_EQ(grid()->text(1, 14), "320000");
    EXPECT_EQ(grid()->text(1, 19), "oui");
    EXPECT_EQ(grid()->text(1, 20), "partie gratuite");
    EXPECT_EQ(grid()->text(0, 22), "Jeu gratuit Oui ou Non");
    EXPECT_EQ(grid()->text(1, 22), "non");
    EXPECT_EQ(grid()->background(0, 5), dash::kSettingsCyan);
    EXPECT_EQ(grid()->background(1, 0), dash::kSettingsCyan);
    EXPECT_EQ(grid()->background(1, 5), dash::kWhite);
    EXPECT_EQ(grid()->rowHeight(3), 30);
    EXPECT_GE(grid()->columnWidth(0), 750);
    EXPECT_GE(grid()->columnWidth(1), 280);
    EXPECT_EQ(grid()->font().pixelSize(), 24);
    EXPECT_FALSE(grid()->cellEditable(0, 3));
    EXPECT_TRUE(grid()->cellEditable(1, 3));
    EXPECT_FALSE(grid()->cellEditable(1, 0));
}

TEST_F(SettingsPageTest, FillReadsTheFileNotTheMemory) {
    // At start-up the media options are forced off in memory only; the page shows the file.
    AdjustmentsRecord stored = m->params.adjustments;
    stored.ballsPerGame = 5;
    setOption(stored, AdjustmentOption::Videos, true);
    saveAdjustments(file(), stored);
    forceOptionalFeaturesOff(m->params.adjustments);
    open();
    EXPECT_EQ(grid()->text(1, 13), "5");
    EXPECT_EQ(m->params.adjustments.ballsPerGame, 5);
    // Saving keeps the stored option the page does not show.
    save();
    AdjustmentsRecord reread;
    loadAdjustments(file(), reread);
    EXPECT_TRUE(optionIsYes(reread, AdjustmentOption::Videos));
}

TEST_F(SettingsPageTest, SavingWritesTheStoredMediaOptionsWhateverTheMemoryHolds) {
    AdjustmentsRecord stored = m->params.adjustments;
    setOption(stored, AdjustmentOption::Kiosk, true);
    setOption(stored, AdjustmentOption::StartupChoice, true);
    saveAdjustments(file(), stored);
    open();
    forceOptionalFeaturesOff(m->params.adjustments); // the start-up's overrides, in memory only
    typeIntoCell(grid(), 1, 13, "4");
    save();
    AdjustmentsRecord reread;
    loadAdjustments(file(), reread);
    EXPECT_EQ(reread.ballsPerGame, 4);
    EXPECT_TRUE(optionIsYes(reread, AdjustmentOption::Kiosk));
    EXPECT_TRUE(optionIsYes(reread, AdjustmentOption::StartupChoice));
    EXPECT_FALSE(optionIsYes(reread, AdjustmentOption::Videos));
}

TEST_F(SettingsPageTest, TypedSixBallsIsStoredAtOnceAndSaved) {
    open();
    typeIntoCell(grid(), 1, 13, "6");
    EXPECT_EQ(m->params.adjustments.ballsPerGame, 6);
    save();
    EXPECT_TRUE(ui.warnings.empty());
    EXPECT_TRUE(ui.errors.empty());
    auto bytes = fileBytes(file());
    ASSERT_EQ(bytes.size(), 112u);
    EXPECT_EQ(bytes[24], 6);
    EXPECT_EQ(bytes[25], 0);
}

TEST_F(SettingsPageTest, TwelveBallsIsStoredButRefusedAtSave) {
    open();
    auto before = fileBytes(file());
    typeIntoCell(grid(), 1, 13, "12");
    EXPECT_EQ(m->params.adjustments.ballsPerGame, 12);
    QColor markedColour;
    ui.duringWarning = [&] { markedColour = grid()->background(1, 13); };
    save();
    ASSERT_EQ(ui.warnings.size(), 1u);
    EXPECT_EQ(ui.warnings[0].caption, "Valeur Incorrecte");
    EXPECT_EQ(ui.warnings[0].text,
              QString::fromUtf8("nombre de billes par partie\n doit être inférieur à 9"));
    EXPECT_EQ(markedColour, dash::kFlashRed);
    EXPECT_EQ(grid()->currentRow(), 13);
    EXPECT_EQ(grid()->currentColumn(), 1);
    EXPECT_EQ(fileBytes(file()), before);
    // The grid is refilled from the record, which still holds what was typed.
    EXPECT_EQ(grid()->text(1, 13), "12");
}

TEST_F(SettingsPageTest, OneInRowFourIsBelowItsMinimum) {
    open();
    auto before = fileBytes(file());
    typeIntoCell(grid(), 1, 4, "1");
    save();
    ASSERT_EQ(ui.warnings.size(), 1u);
    EXPECT_EQ(ui.warnings[0].caption, "Valeur Incorrecte");
    EXPECT_EQ(ui.warnings[0].text,
              QString::fromUtf8(
                  "à combien de pièces il y a un bonus crédit Monnayeur 1\n doit être supérieur à 2"));
    EXPECT_EQ(fileBytes(file()), before);
}

TEST_F(SettingsPageTest, BadLotteryTextEmptiesTheCellAndIsReportedEmpty) {
    open();
    auto before = fileBytes(file());
    typeIntoCell(grid(), 1, 19, "peut-être");
    EXPECT_EQ(grid()->text(1, 19), "");
    EXPECT_EQ(m->params.adjustments.lottery.utf8(), "oui");
    save();
    ASSERT_EQ(ui.warnings.size(), 1u);
    EXPECT_EQ(ui.warnings[0].text, QString::fromUtf8("Loterie : oui ou non\n ne doit pas être vide "));
    EXPECT_EQ(fileBytes(file()), before);
    EXPECT_EQ(grid()->text(1, 19), "oui");
}

TEST_F(SettingsPageTest, TypingRulesPerRow) {
    open();
    typeIntoCell(grid(), 1, 14, "1000000");
    EXPECT_EQ(m->params.adjustments.freeGameScores[0], 1000000u);
    typeIntoCell(grid(), 1, 15, "12345678"); // eight digits: not taken
    EXPECT_EQ(grid()->text(1, 15), "");
    EXPECT_EQ(m->params.adjustments.freeGameScores[1], 450000u);
    typeIntoCell(grid(), 1, 1, "-1");
    EXPECT_EQ(grid()->text(1, 1), "");
    EXPECT_EQ(m->params.adjustments.coinsPerCredit[0], 1);
    typeIntoCell(grid(), 1, 1, "4");
    typeIntoCell(grid(), 1, 15, "450000");
    typeIntoCell(grid(), 1, 20, QString::fromUtf8("bille suplémentaire"));
    EXPECT_EQ(m->params.adjustments.awardKind.utf8(), "bille suplémentaire");
    typeIntoCell(grid(), 1, 22, "oui");
    EXPECT_EQ(m->params.adjustments.freePlay.utf8(), "oui");
    save();
    EXPECT_TRUE(ui.warnings.empty());
    AdjustmentsRecord reread;
    loadAdjustments(file(), reread);
    EXPECT_EQ(reread.freeGameScores[0], 1000000u);
    EXPECT_EQ(reread.awardKind.utf8(), "bille suplémentaire");
    EXPECT_EQ(reread.freePlay.utf8(), "oui");
}

TEST_F(SettingsPageTest, ValidationStopsAtTheFirstWrongRowAndClearsOldMarks) {
    open();
    typeIntoCell(grid(), 1, 2, "7");
    typeIntoCell(grid(), 1, 13, "12");
    save();
    ASSERT_EQ(ui.warnings.size(), 1u);
    EXPECT_TRUE(ui.warnings[0].text.startsWith(
        QString::fromUtf8("nombre de pièces pour déclencher un crédit Monnayeur 2")));
    EXPECT_EQ(grid()->background(1, 2), dash::kFlashRed);
    typeIntoCell(grid(), 1, 2, "2");
    save();
    ASSERT_EQ(ui.warnings.size(), 2u);
    EXPECT_TRUE(ui.warnings[1].text.startsWith("nombre de billes par partie"));
    EXPECT_EQ(grid()->background(1, 2), dash::kWhite);
    EXPECT_EQ(grid()->background(1, 13), dash::kFlashRed);
}

TEST_F(SettingsPageTest, MediaOptionsAddTheEightRowsAndCheckThem) {
    open(/*mediaOptions=*/true);
    ASSERT_EQ(grid()->rowCount(), 31);
    EXPECT_EQ(grid()->text(0, 27), QString::fromUtf8("Visualisation des vidéos oui ou non"));
    EXPECT_EQ(grid()->text(1, 27), "non");
    EXPECT_EQ(grid()->text(0, 30),
              QString::fromUtf8("Choix de la configuration du Lumiscope au démarrage oui ou non"));
    typeIntoCell(grid(), 1, 27, "oui");
    EXPECT_TRUE(optionIsYes(m->params.adjustments, AdjustmentOption::Videos));
    typeIntoCell(grid(), 1, 25, "si");
    EXPECT_EQ(grid()->text(1, 25), "");
    save();
    ASSERT_EQ(ui.warnings.size(), 1u);
    EXPECT_EQ(ui.warnings[0].text,
              QString::fromUtf8("Diffusion annonces Internet fenêtrées oui ou non\n ne doit pas être vide "));
    ui.warnings.clear();
    save(); // the refill put "non" back
    EXPECT_TRUE(ui.warnings.empty());
    AdjustmentsRecord reread;
    loadAdjustments(file(), reread);
    EXPECT_TRUE(optionIsYes(reread, AdjustmentOption::Videos));
}

TEST_F(SettingsPageTest, PasswordIsAskedEachTimeThePageIsShown) {
    open();
    EXPECT_EQ(ui.passwordPrompts, 1);
    dash->showPage(TTableauDeBord::kAccountingPage);
    dash->showPage(TTableauDeBord::kSettingsPage);
    EXPECT_EQ(ui.passwordPrompts, 2);
    EXPECT_EQ(exits, 0);
}

TEST_F(SettingsPageTest, UnreadableAdjustmentsFileIsReported) {
    makeDashboard();
    std::filesystem::remove(file());
    dash->showPage(TTableauDeBord::kSettingsPage);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_FALSE(ui.errors[0].isEmpty());
    EXPECT_EQ(exits, 0);
}

} // namespace pinstage::test
