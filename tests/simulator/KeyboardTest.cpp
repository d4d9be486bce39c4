// The keyboard as the machine's buttons: every key of the help line, held keys, both Shift keys,
// keys left to text fields and modal boxes, synthesised and repeated keys, and a release that
// reaches the board while the program keeps re-reading it.
#include "WindowRig.h"
#include "board/SwitchScan.h"
#include "simulator/KeyboardControls.h"
#include "simulator/PlayfieldMap.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QTimer>

namespace pinstage::test {
namespace {

class KeyboardTest : public WindowRig {
protected:
    void SetUp() override { makeWindow(); }

    // A key as the window system delivers it, with its native codes.
    void nativeKey(QWidget* to, QEvent::Type type, int key, quint32 scan, quint32 virtualKey,
                   bool autoRepeat = false) {
        QKeyEvent e(type, key, Qt::NoModifier, scan, virtualKey, 0, QString(), autoRepeat);
        QSpontaneKeyEvent::setSpontaneous(&e);
        qApp->notify(to, &e); // sendEvent would mark it as the program's own
    }
    // A released key counts once it has settled.
    void settle() { runMs(KeyboardControls::kReleaseSettleMs + 1); }
    void serveBall() {
        ASSERT_TRUE(writePort(m.io, 3, uint8_t(~0x80)));
        ASSERT_TRUE(writePort(m.io, 3, 0xFF));
    }
};

TEST(KeyMap, EveryKeyOfTheHelpLine) {
    EXPECT_EQ(contactForKey(simKeyFor(Qt::Key_Shift, 0xFFE1, 50)), 71);
    EXPECT_EQ(contactForKey(simKeyFor(Qt::Key_Shift, 0xFFE2, 62)), 64);
    EXPECT_EQ(contactForKey(simKeyFor(Qt::Key_Shift, 0, 62)), 64);   // X11 key code only
    EXPECT_EQ(contactForKey(simKeyFor(Qt::Key_Shift, 0, 0x36)), 64); // PC scan code
    EXPECT_EQ(contactForKey(simKeyFor(Qt::Key_Shift, 0xA1, 0)), 64); // Windows VK_RSHIFT
    EXPECT_EQ(contactForKey(simKeyFor(Qt::Key_Shift, 0, 0)), 71);
    EXPECT_EQ(contactForKey(simKeyFor(Qt::Key_1, 0, 0)), 5);
    EXPECT_EQ(contactForKey(simKeyFor(Qt::Key_Return, 0, 0)), 5);
    EXPECT_EQ(contactForKey(simKeyFor(Qt::Key_Enter, 0, 0)), 5);
    EXPECT_EQ(contactForKey(simKeyFor(Qt::Key_5, 0, 0)), 4);
    EXPECT_EQ(contactForKey(simKeyFor(Qt::Key_T, 0, 0)), 7);
    EXPECT_EQ(contactForKey(simKeyFor(Qt::Key_D, 0, 0)), 47);
    EXPECT_EQ(contactForKey(simKeyFor(Qt::Key_PageDown, 0, 0)), 0);
    EXPECT_EQ(contactForKey(simKeyFor(Qt::Key_F2, 0, 0)), 0);
    EXPECT_EQ(simKeyFor(Qt::Key_Escape, 0, 0), SimKey::Quit);
    EXPECT_EQ(contactForKey(SimKey::Quit), -1);
    EXPECT_EQ(simKeyFor(Qt::Key_A, 0, 0), SimKey::None);
    EXPECT_EQ(simKeyFor(Qt::Key_2, 0, 0), SimKey::None);
    QString help = keyboardHelpText();
    for (const char* part : {"Maj gauche", "Maj droite", "(c71)", "(c64)", "Entrée", "(c5)", "(c4)", "(c7)",
                             "(c47)", "F2", "(c0)", "Échap"})
        EXPECT_TRUE(help.contains(QString::fromUtf8(part))) << part;
}

TEST_F(KeyboardTest, HeldKeysHoldTheirSwitch) {
    const std::pair<Qt::Key, int> keys[] = {{Qt::Key_1, 5}, {Qt::Key_Return, 5},   {Qt::Key_5, 4},
                                            {Qt::Key_T, 7}, {Qt::Key_PageDown, 0}, {Qt::Key_F2, 0}};
    for (auto [key, contact] : keys) {
        QTest::keyPress(window.get(), key);
        runMs(500);
        EXPECT_TRUE(board.switchClosed(contact)) << "c" << contact;
        QTest::keyRelease(window.get(), key);
        EXPECT_TRUE(board.switchClosed(contact)) << "c" << contact << " not yet: a repeat may follow";
        settle();
        EXPECT_FALSE(board.switchClosed(contact)) << "c" << contact;
    }
    EXPECT_EQ(quits, 0);
}

TEST_F(KeyboardTest, KeysWorkInTheBackglassWindowToo) {
    QWidget backglass;
    backglass.show();
    QTest::keyPress(&backglass, Qt::Key_5);
    EXPECT_TRUE(board.switchClosed(4));
    scanAll();
    EXPECT_TRUE(m.switches.contactFlags[4] & kContactPending);
    QTest::keyRelease(&backglass, Qt::Key_5);
    settle();
    EXPECT_FALSE(board.switchClosed(4));
}

TEST_F(KeyboardTest, LeftAndRightShiftAreTheTwoFlipperButtons) {
    nativeKey(window.get(), QEvent::KeyPress, Qt::Key_Shift, 50, 0xFFE1);
    EXPECT_TRUE(board.switchClosed(71));
    EXPECT_FALSE(board.switchClosed(64));
    nativeKey(window.get(), QEvent::KeyPress, Qt::Key_Shift, 62, 0xFFE2);
    EXPECT_TRUE(board.switchClosed(64));
    scanAll();
    EXPECT_EQ(m.switches.dryInputs & 0x81, 0x81) << "both flipper buttons held, as the navigation reads them";
    nativeKey(window.get(), QEvent::KeyRelease, Qt::Key_Shift, 50, 0xFFE1);
    settle();
    EXPECT_FALSE(board.switchClosed(71));
    EXPECT_TRUE(board.switchClosed(64));
    nativeKey(window.get(), QEvent::KeyRelease, Qt::Key_Shift, 62, 0xFFE2);
    settle();
    EXPECT_FALSE(board.switchClosed(64));
}

TEST_F(KeyboardTest, RepeatedKeysStayOneClosure) {
    nativeKey(window.get(), QEvent::KeyPress, Qt::Key_T, 28, 't');
    scanAll();
    m.switches.contactFlags[7] = 0;
    for (int i = 0; i < 10; ++i) {
        nativeKey(window.get(), QEvent::KeyRelease, Qt::Key_T, 28, 't', true);
        nativeKey(window.get(), QEvent::KeyPress, Qt::Key_T, 28, 't', true);
        EXPECT_TRUE(board.switchClosed(7));
    }
    EXPECT_EQ(board.pendingReports(kSpecialInterface), 0u) << "no report: the switch never moved";
    nativeKey(window.get(), QEvent::KeyRelease, Qt::Key_T, 28, 't');
    settle();
    EXPECT_FALSE(board.switchClosed(7));
}

TEST_F(KeyboardTest, UnmarkedRepeatsOfABusyProgramStayOneClosure) {
    // With the program busy, the window system delivers a held key's repeats as plain releases
    // each followed at once by a press.
    QTest::keyPress(window.get(), Qt::Key_1);
    scanAll();
    for (int i = 0; i < 50; ++i) {
        runMs(5);
        QTest::keyRelease(window.get(), Qt::Key_1);
        QTest::keyPress(window.get(), Qt::Key_1);
        runMs(35);
        EXPECT_TRUE(board.switchClosed(5)) << "repeat " << i;
    }
    EXPECT_EQ(board.pendingReports(kSpecialInterface), 0u) << "no report: the button never moved";
    QTest::keyRelease(window.get(), Qt::Key_1);
    settle();
    EXPECT_FALSE(board.switchClosed(5));
}

TEST_F(KeyboardTest, SynthesisedKeysAreNotThePlayers) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &press); // not spontaneous: the program's own
    EXPECT_FALSE(board.switchClosed(5));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &escape);
    EXPECT_EQ(quits, 0);
}

TEST_F(KeyboardTest, TextFieldsKeepTheirKeys) {
    QWidget form;
    auto* edit = new QLineEdit(&form);
    form.show();
    QApplication::setActiveWindow(&form);
    edit->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), edit);
    QTest::keyClick(edit, Qt::Key_5, Qt::NoModifier);
    QTest::keyClick(edit, Qt::Key_T, Qt::NoModifier);
    QTest::keyClick(edit, Qt::Key_D, Qt::NoModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("5td"));
    EXPECT_FALSE(board.switchClosed(4));
    EXPECT_FALSE(board.switchClosed(7));
    edit->clearFocus();
    form.hide();
}

TEST_F(KeyboardTest, EscapeQuitsUnlessAModalBoxIsOpen) {
    QDialog box;
    box.setModal(true);
    box.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &box);
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_EQ(quits, 0);
    EXPECT_FALSE(box.isVisible()) << "the box took its Escape";
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(quits, 1);
}

TEST_F(KeyboardTest, EnterAnswersAModalBoxAsTheStartButton) {
    QDialog box;
    box.setModal(true);
    box.show();
    QTest::keyPress(&box, Qt::Key_Return);
    EXPECT_TRUE(board.switchClosed(5)) << "the start button, which the program turns into Enter";
    EXPECT_TRUE(box.isVisible());
    QTest::keyRelease(&box, Qt::Key_Return);
    settle();
    EXPECT_FALSE(board.switchClosed(5));
}

TEST_F(KeyboardTest, DrainKeyOnlyWithABallInPlay) {
    QTest::keyPress(window.get(), Qt::Key_D);
    EXPECT_FALSE(board.switchClosed(47));
    QTest::keyRelease(window.get(), Qt::Key_D);
    serveBall();
    QTest::keyPress(window.get(), Qt::Key_D);
    EXPECT_TRUE(board.switchClosed(47));
    QTest::keyRelease(window.get(), Qt::Key_D);
    settle();
    EXPECT_FALSE(board.switchClosed(47));
    EXPECT_EQ(window->driver().playfield().counters().drains, 1u);
}

TEST_F(KeyboardTest, ReleaseReachesTheBoardWhileTheProgramKeepsReadingIt) {
    QTest::keyPress(window.get(), Qt::Key_1);
    scanAll();
    ASSERT_TRUE(m.switches.strobe0Level() & 0x20);
    // The key comes up 30 ms later; the program meanwhile only re-reads the board, as the start
    // button's handler does, without returning to any event loop.
    QTimer::singleShot(30, [this] { QTest::keyRelease(window.get(), Qt::Key_1); });
    QElapsedTimer wall;
    wall.start();
    int reads = 0;
    while ((m.switches.strobe0Level() & 0x20) && wall.elapsed() < 5000) {
        clock.advance(1); // the loop's own wait
        scanMatrix(m.switches, m.io, m.outputs, clock);
        ++reads;
    }
    EXPECT_FALSE(m.switches.strobe0Level() & 0x20) << "released after " << reads << " reads";
    EXPECT_LT(wall.elapsed(), 1000);
}

TEST_F(KeyboardTest, NoInputFromInsideReadsWhenTurnedOff) {
    SimulatorOptions options;
    options.pumpInputOnRead = false;
    window.reset();
    makeWindow(options);
    QTest::keyPress(window.get(), Qt::Key_1);
    scanAll();
    bool released = false;
    QTimer::singleShot(10, [&] {
        QTest::keyRelease(window.get(), Qt::Key_1);
        released = true;
    });
    QElapsedTimer wall;
    wall.start();
    while (wall.elapsed() < 100)
        scanMatrix(m.switches, m.io, m.outputs, clock);
    EXPECT_FALSE(released);
    EXPECT_TRUE(m.switches.strobe0Level() & 0x20);
    QTest::qWait(20);
    EXPECT_TRUE(released);
}

} // namespace
} // namespace pinstage::test
