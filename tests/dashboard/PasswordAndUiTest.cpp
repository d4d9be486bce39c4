// The password that guards the adjustments, the real prompt, and the real message boxes.
#include "DashboardFixture.h"

#include "board/CoilEngine.h"
#include "board/OutputOperations.h"
#include "dashboard/PasswordDialog.h"
#include "dashboard/SettingsPage.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace pinstage::test {

class PasswordTest : public DashboardTest {
protected:
    // Something on: a held relay, a pulsing coil and lamps, all sent to the board.
    void outputsOn() {
        dash->showPage(TTableauDeBord::kLampsPage);
        lampOn(m->outputs, 9);
        lampOn(m->outputs, 63);
        ticks(1, 40);
        coilHold(m->outputs, 2);
        coilPulse(m->outputs, 0); // auto-release 0: keeps pulsing until switched off
        clock.advance(100);
        runCoilEngine(m->outputs, m->io, clock);
        ASSERT_TRUE(board.coilEnergised(2));
        ASSERT_TRUE(board.coilEnergised(0));
        ASSERT_TRUE(board.lampLit(9));
    }
    void expectEverythingOffAndEnded() {
        EXPECT_EQ(exits, 1);
        EXPECT_TRUE(dash->exited());
        for (int c = 0; c < kCoilCount; ++c)
            EXPECT_FALSE(board.coilEnergised(c)) << c;
        for (int l = 0; l < kLampCount; ++l)
            EXPECT_FALSE(board.lampLit(l)) << l;
        for (const auto& coil : m->outputs.coils)
            EXPECT_EQ(coil.switchedOn, 0);
        EXPECT_FALSE(board.isOpen());
    }
};

TEST_F(PasswordTest, RightPasswordOpensTheAdjustments) {
    makeDashboard();
    dash->showPage(TTableauDeBord::kSettingsPage);
    EXPECT_EQ(ui.passwordPrompts, 1);
    EXPECT_EQ(exits, 0);
    EXPECT_FALSE(dash->exited());
    EXPECT_EQ(dash->currentPage(), TTableauDeBord::kSettingsPage);
    EXPECT_EQ(dash->settingsPage()->grid()->text(1, 13), "3");
}

TEST_F(PasswordTest, EmptyPasswordEndsTheProgramWithEverythingOff) {
    makeDashboard();
    outputsOn();
    ui.password = "";
    dash->showPage(TTableauDeBord::kSettingsPage);
    expectEverythingOffAndEnded();
    // The adjustments were never shown.
    EXPECT_EQ(dash->settingsPage()->grid()->text(1, 13), "");
}

TEST_F(PasswordTest, WrongPasswordEndsTheProgramWithEverythingOff) {
    makeDashboard();
    outputsOn();
    ui.password = "Tarokbelz"; // the comparison is case-sensitive
    dash->showPage(TTableauDeBord::kSettingsPage);
    expectEverythingOffAndEnded();
}

TEST_F(PasswordTest, PasswordWithExtraCharactersIsWrong) {
    makeDashboard();
    ui.password = "tarokbelz ";
    dash->showPage(TTableauDeBord::kSettingsPage);
    EXPECT_EQ(exits, 1);
}

TEST(PasswordDialog, StartsEmptyWithItsLabelAndButton) {
    PasswordDialog dialog;
    EXPECT_TRUE(dialog.field()->text().isEmpty());
    EXPECT_EQ(dialog.field()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog.enterButton()->text(), "Entrer");
    bool labelFound = false;
    for (auto* label : dialog.findChildren<QLabel*>())
        labelFound |= label->text() == "Entrez le mot de passe";
    EXPECT_TRUE(labelFound);
}

// Finds the top-level widget of type W once it is shown, and acts on it.
template <class W> void whenShown(std::function<void(W*)> act) {
    auto* poll = new QTimer; // deletes itself below
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* target = qobject_cast<W*>(w); target && target->isVisible()) {
                poll->stop();
                poll->deleteLater();
                act(target);
                return;
            }
    });
    poll->start(10);
}

TEST(QtDashboardUi, PromptReturnsWhatWasTyped) {
    QtDashboardUi ui;
    whenShown<PasswordDialog>([](PasswordDialog* d) {
        QTest::keyClicks(d->field(), "tarokbelz");
        QTest::mouseClick(d->enterButton(), Qt::LeftButton);
    });
    EXPECT_EQ(ui.askPassword(nullptr), "tarokbelz");

    whenShown<PasswordDialog>([](PasswordDialog* d) { QTest::keyClick(d->field(), Qt::Key_Return); });
    EXPECT_EQ(ui.askPassword(nullptr), "");
}

TEST(QtDashboardUi, WarningBoxHasItsCaptionTextAndIcon) {
    QtDashboardUi ui;
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenShown<QMessageBox>([&](QMessageBox* box) {
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    ui.warning(nullptr, "Valeur Incorrecte",
               QString::fromUtf8("nombre de billes par partie\n doit être inférieur à 9"));
    EXPECT_EQ(caption, "Valeur Incorrecte");
    EXPECT_EQ(text, QString::fromUtf8("nombre de billes par partie\n doit être inférieur à 9"));
    EXPECT_EQ(icon, QMessageBox::Warning);
}

TEST(QtDashboardUi, ConfinementGoesToTheRuntimeCallback) {
    QtDashboardUi ui;
    ui.confineCursor(nullptr); // no callback: nothing happens
    std::vector<std::optional<QRect>> seen;
    ui.onConfineCursor = [&](const QRect* area) {
        seen.push_back(area ? std::optional(*area) : std::nullopt);
    };
    QRect area(0, 4, 100, 96);
    ui.confineCursor(&area);
    ui.confineCursor(nullptr);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], area);
    EXPECT_FALSE(seen[1].has_value());
}

} // namespace pinstage::test
