// The simulator window: switch buttons reach the board and the machine, lamp reports light the
// lights, coil pulses flash the indicators, the status line, placement, scripts and recording.
#include "WindowRig.h"
#include "board/CoilEngine.h"
#include "board/LampEngine.h"
#include "board/OutputOperations.h"
#include "config/ContactsParams.h"
#include "platform/PinError.h"
#include "simulator/PlayfieldMap.h"

#include <QApplication>
#include <QHelpEvent>
#include <QScreen>
#include <QTest>
#include <QToolTip>

#include <fstream>
#include <sstream>

namespace pinstage::test {
namespace {

class WindowTest : public WindowRig {
protected:
    void SetUp() override { makeWindow(); }
    void engines() {
        runCoilEngine(m.outputs, m.io, clock);
        runLampEngine(m.outputs, m.io, clock);
    }
    bool pending(int c) const { return m.switches.contactFlags[size_t(c)] & kContactPending; }
};

TEST_F(WindowTest, TitleAndButtonsCarryTheContactNames) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Simulateur de plateau"));
    EXPECT_EQ(window->switches()->button(17)->text(), QStringLiteral("c17-Cible droite 1"));
    EXPECT_EQ(window->switches()->button(10)->text(), QStringLiteral("c10-Cible spécial"));
    EXPECT_EQ(window->switches()->button(71)->text(), QStringLiteral("c71-SW direct 7"));
    // Names follow the record when it changes.
    m.params.contacts.names[30].setUtf8("Champignon");
    window->reloadNames();
    EXPECT_EQ(window->switches()->button(30)->text(), QStringLiteral("Champignon"));
}

TEST_F(WindowTest, NamesLoadedAfterTheWindowOpenedAreShown) {
    window.reset();
    m.params.contacts = ContactsRecord{};
    makeWindow();
    EXPECT_EQ(window->switches()->button(17)->text(), QStringLiteral("c17"));
    m.params.contacts = defaultContacts(); // the start-up load
    for (int i = 0; i < 25; ++i)
        window->refresh();
    EXPECT_EQ(window->switches()->button(17)->text(), QStringLiteral("c17-Cible droite 1"));
}

TEST_F(WindowTest, ClickingAMatrixSwitchMakesTheBoardReportIt) {
    QTest::mouseClick(window->switches()->button(30), Qt::LeftButton);
    EXPECT_TRUE(board.switchClosed(30));
    scanAll();
    EXPECT_TRUE(pending(30)) << "the scan saw the closure";
    window->refresh();
    EXPECT_TRUE(window->switches()->button(30)->shownClosed());
    runMs(SmartPlayfield::kHitMs + 1);
    EXPECT_FALSE(board.switchClosed(30)) << "a click is a short closure";
    window->refresh();
    EXPECT_FALSE(window->switches()->button(30)->shownClosed());
}

TEST_F(WindowTest, ClickingADirectSwitchGivesOneEvent) {
    QTest::mouseClick(window->switches()->button(playfield::kLeftFlipperButton), Qt::LeftButton);
    EXPECT_FALSE(board.portInput(1) & 0x80);
    scanAll();
    EXPECT_TRUE(pending(playfield::kLeftFlipperButton));
    EXPECT_TRUE(m.switches.dryInputs & 0x80);
    runMs(60);
    scanAll();
    EXPECT_FALSE(m.switches.dryInputs & 0x80);
}

TEST_F(WindowTest, RightClickHoldsUntilTheNextRightClick) {
    SwitchButton* b = window->switches()->button(14);
    QTest::mouseClick(b, Qt::RightButton);
    runMs(2000);
    EXPECT_TRUE(board.switchClosed(14));
    QTest::mouseClick(b, Qt::RightButton);
    EXPECT_FALSE(board.switchClosed(14));
}

TEST_F(WindowTest, DropTargetClickedStaysDownWithTheSmartPlayfield) {
    QTest::mouseClick(window->switches()->button(33), Qt::LeftButton);
    runMs(500);
    EXPECT_TRUE(board.switchClosed(33));
}

TEST_F(WindowTest, ALampReportLightsTheMatchingLight) {
    lampOn(m.outputs, 9);
    lampOn(m.outputs, 63);
    engines();
    window->refresh();
    for (int n = 0; n < 64; ++n)
        EXPECT_EQ(window->lamps()->lampShown(n), n == 9 || n == 63) << "lamp " << n;
    lampOff(m.outputs, 9);
    engines();
    window->refresh();
    EXPECT_FALSE(window->lamps()->lampShown(9));
    EXPECT_TRUE(window->lamps()->lampShown(63));
}

TEST_F(WindowTest, BlinkingLampsBlinkInTheWindow) {
    VoyantLed& lamp = m.outputs.lamps[20];
    lamp.offMs = 200;
    lamp.onMs = 200;
    lampOn(m.outputs, 20);
    lamp.flags |= kLampBlinking;
    int changes = 0;
    bool last = false;
    for (int t = 0; t < 2000; ++t) {
        clock.advance(1);
        engines();
        window->refresh();
        bool shown = window->lamps()->lampShown(20);
        if (shown != last)
            ++changes;
        last = shown;
    }
    EXPECT_GE(changes, 6) << "on and off every 200 ms";
}

TEST_F(WindowTest, LampsAreNamedInTheirTooltips) {
    LampPanel* panel = window->lamps();
    panel->resize(panel->sizeHint());
    QRect r = panel->lampRect(13);
    EXPECT_EQ(panel->lampAt(r.center()), 13);
    EXPECT_EQ(panel->lampAt(QPoint(-5, -5)), -1);
    window->show();
    QHelpEvent help(QEvent::ToolTip, r.center(), panel->mapToGlobal(r.center()));
    QApplication::sendEvent(panel, &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Led 13 Bonus X4"));
    QToolTip::hideText();
}

TEST_F(WindowTest, ACoilPulseFlashesItsIndicator) {
    CoilPanel* coils = window->coils();
    EXPECT_FALSE(coils->indicatorLit(3));
    coilPulse(m.outputs, 3); // the knocker: 80 ms
    engines();
    ASSERT_TRUE(board.coilEnergised(3));
    EXPECT_TRUE(coils->indicatorLit(3)) << "lit as soon as the board is told";
    EXPECT_EQ(coils->pulsesSeen(3), 1u);
    clock.advance(81);
    engines();
    ASSERT_FALSE(board.coilEnergised(3));
    window->refresh();
    EXPECT_TRUE(coils->indicatorLit(3)) << "a short pulse stays visible a moment";
    QTest::qWait(CoilPanel::kFlashMs + 50);
    window->refresh();
    EXPECT_FALSE(coils->indicatorLit(3));
    EXPECT_FALSE(coils->indicatorLit(4));
}

TEST_F(WindowTest, AHeldCoilStaysLit) {
    coilHold(m.outputs, 2);
    engines();
    QTest::qWait(CoilPanel::kFlashMs + 50);
    window->refresh();
    EXPECT_TRUE(window->coils()->indicatorLit(2));
    coilOff(m.outputs, 2);
    clock.advance(100);
    engines();
    QTest::qWait(CoilPanel::kFlashMs + 50);
    window->refresh();
    EXPECT_FALSE(window->coils()->indicatorLit(2));
}

TEST_F(WindowTest, StatusLineShowsTheGame) {
    window->refresh();
    EXPECT_TRUE(window->statusText().contains(QStringLiteral("playersDoneMask 0x0F (pas de partie)")));
    m.credits = {7, 0};
    m.game.playersDoneMask = 0x0C;
    m.game.currentPlayer = 1;
    m.game.players[1].ball = 2;
    m.game.players[1].score = 12340;
    m.game.tilted = 1;
    window->refresh();
    QString s = window->statusText();
    EXPECT_TRUE(s.contains(QStringLiteral("Crédits 07"))) << s.toStdString();
    EXPECT_TRUE(s.contains(QStringLiteral("Joueur 2"))) << s.toStdString();
    EXPECT_TRUE(s.contains(QStringLiteral("Bille 3"))) << s.toStdString();
    EXPECT_TRUE(s.contains(QStringLiteral("Score 12340"))) << s.toStdString();
    EXPECT_TRUE(s.contains(QStringLiteral("playersDoneMask 0x0C"))) << s.toStdString();
    EXPECT_TRUE(s.contains(QStringLiteral("TILT"))) << s.toStdString();
    EXPECT_TRUE(s.contains(QStringLiteral("bille en attente"))) << s.toStdString();
    m.game.currentPlayer = 200; // out of range: shown as player 1, nothing read past the table
    window->refresh();
    EXPECT_TRUE(window->statusText().contains(QStringLiteral("Joueur 1")));
}

TEST_F(WindowTest, RandomBallButtonAndSmartSwitch) {
    QPushButton* button = nullptr;
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Bille au hasard"))
            button = b;
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_TRUE(window->driver().playfield().randomBall());
    button->click();
    EXPECT_FALSE(window->driver().playfield().randomBall());
    EXPECT_TRUE(window->driver().playfield().smart());
}

TEST_F(WindowTest, DemoTurnsOnTheRandomBallAndTheAutomaticOperator) {
    EXPECT_FALSE(window->driver().autoOperator().enabled());
    window->startDemo();
    EXPECT_TRUE(window->driver().playfield().randomBall());
    EXPECT_TRUE(window->driver().autoOperator().enabled());
    // The automatic operator puts a coin in once no game has run for a moment.
    runMs(1000);
    EXPECT_EQ(window->driver().autoOperator().coins(), 1u);
}

TEST_F(WindowTest, PlacedOnTheOtherScreenThanTheBackglass) {
    ASSERT_EQ(QGuiApplication::screens().size(), 2);
    QWidget backglass;
    backglass.setGeometry(0, 0, 1360, 768);
    backglass.show();
    auto sim = createPlayfieldSimulator(m, board, true, &backglass, [] {});
    EXPECT_TRUE(sim->isVisible());
    EXPECT_FALSE(sim->frameGeometry().intersects(backglass.frameGeometry()));
    EXPECT_GE(sim->geometry().x(), 1920);
}

TEST_F(WindowTest, FollowsTheBackglassWhenItIsShownLater) {
    auto backglass = std::make_unique<QWidget>();
    backglass->setGeometry(1920, 0, 1280, 1024);
    auto sim = createPlayfieldSimulator(m, board, true, backglass.get(), [] {});
    backglass->show(); // on the second screen: the simulator moves to the first
    EXPECT_LT(sim->geometry().x(), 1920);
    EXPECT_FALSE(sim->frameGeometry().intersects(backglass->frameGeometry()));
    backglass.reset(); // the backglass closes first: nothing dangles
    sim->placeBesideBackglass();
}

TEST_F(WindowTest, InTheNarrowStripBesideTheBackglassNamesKeepTheirNumber) {
    // 552 x 760: what a 1920 x 1080 screen leaves beside a 1360 x 768 backglass.
    window->setGeometry(1368, 30, 552, 760);
    window->show();
    QApplication::processEvents();
    EXPECT_GE(window->minimumWidth(), 320);
    EXPECT_GE(window->minimumHeight(), 200);
    for (int c : {9, 19, 35, 71}) {
        SwitchButton* b = window->switches()->button(c);
        QString shown = b->shownText();
        QString prefix = QStringLiteral("c%1-").arg(c);
        EXPECT_TRUE(shown.startsWith(prefix)) << shown.toStdString();
        EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(prefix + "Abc")) << c;
    }
    // Too long for the room: cut on the right, the whole name in the tooltip.
    SwitchButton* longest = window->switches()->button(35); // "c35-Sorties/Etoile 10000"
    EXPECT_TRUE(longest->shownText().endsWith(QChar(0x2026))) << longest->shownText().toStdString();
    EXPECT_EQ(longest->toolTip(), longest->text());
}

TEST_F(WindowTest, DumbPlayfieldFromTheCommandLine) {
    auto sim = createPlayfieldSimulator(m, board, false, nullptr, [] {});
    EXPECT_FALSE(sim->driver().playfield().smart());
    QTest::mouseClick(sim->switches()->button(33), Qt::LeftButton);
    clock.advance(100);
    sim->driver().poll(clock.now());
    EXPECT_FALSE(board.switchClosed(33));
}

class ScriptWindowTest : public WindowTest {
protected:
    std::filesystem::path file(const char* name, const std::string& text) {
        std::filesystem::create_directories(rootDir);
        auto p = rootDir / name;
        std::ofstream(p) << text;
        return p;
    }
};

TEST_F(ScriptWindowTest, AScriptPlaysFromWhenItIsStarted) {
    window->loadScript(file("s.txt", "# a start and a target\n"
                                     "0 close c5\n"
                                     "100 open c5\n"
                                     "200 pulse c14 30\n"
                                     "300 pulse c17\n"));
    runMs(1000);
    EXPECT_FALSE(board.switchClosed(5)) << "nothing before play";
    window->playScript();
    readBoard();
    EXPECT_TRUE(board.switchClosed(5));
    runMs(100);
    EXPECT_FALSE(board.switchClosed(5));
    runMs(100);
    EXPECT_TRUE(board.switchClosed(14));
    runMs(30);
    EXPECT_FALSE(board.switchClosed(14));
    runMs(200);
    EXPECT_TRUE(board.switchClosed(17)) << "a target pulsed by a script falls and stays down";
    EXPECT_TRUE(window->scriptFinished());
}

TEST_F(ScriptWindowTest, ABadScriptIsRefusedWithItsLine) {
    try {
        window->loadScript(file("bad.txt", "0 close c5\n10 slam c5\n"));
        FAIL() << "accepted";
    } catch (const PinError& e) {
        EXPECT_NE(std::string(e.what()).find("ligne 2"), std::string::npos) << e.what();
    }
    EXPECT_THROW(window->loadScript(rootDir / "absent.txt"), PinError);
    EXPECT_FALSE(window->scriptFinished());
}

TEST_F(ScriptWindowTest, RecordingWritesAScriptThatPlaysBack) {
    window->startRecording();
    clock.advance(100);
    QTest::mouseClick(window->switches()->button(30), Qt::LeftButton);
    clock.advance(400);
    QTest::mouseClick(window->switches()->button(14), Qt::RightButton);
    clock.advance(300);
    QTest::mouseClick(window->switches()->button(14), Qt::RightButton);
    auto out = rootDir / "rec.txt";
    std::filesystem::create_directories(rootDir);
    ASSERT_TRUE(window->stopRecording(out));
    std::ifstream in(out);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "# Simulateur de plateau : temps_ms close|open|pulse cN [ms]\n"
                          "100 pulse c30 50\n"
                          "500 close c14\n"
                          "800 open c14\n");
    // The recording plays back through the same window.
    runMs(100);
    window->loadScript(out);
    window->playScript();
    runMs(100);
    EXPECT_TRUE(board.switchClosed(30));
    runMs(50);
    EXPECT_FALSE(board.switchClosed(30));
    runMs(350);
    EXPECT_TRUE(board.switchClosed(14));
    runMs(300);
    EXPECT_FALSE(board.switchClosed(14));
    EXPECT_FALSE(window->stopRecording(rootDir / "no" / "such" / "dir.txt"));
}

} // namespace
} // namespace pinstage::test
