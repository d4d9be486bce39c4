// The backglass window itself, offscreen, on real time: splash, boxes answered by the buttons,
// and a whole short run.
#include "SpineFixture.h"

#include "runtime/window/TGlacefronton.h"
#include "sound/RecordingSoundEngine.h"

#ifdef PINSTAGE_HAVE_DEFAULT_ASSETS
#include "DefaultPictures.h"
#include "DefaultSounds.h"
#endif

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <set>

using namespace pinstage;
using namespace pinstage::test;

namespace {

class GlacefrontonWindow : public ::testing::Test {
protected:
    GlacefrontonWindow() : root_(::testing::UnitTest::GetInstance()->current_test_info()->name()) {
        m.boardTransport = &board;
    }
    // The machine's board open, its records loaded: as during a run.
    void bringUp() {
        fullLoad(m.root, 0, m.params, nullptr);
        buildOutputs(m.outputs, m.params.coils, m.params.lamps);
        ASSERT_TRUE(openMachineBoard(m));
    }
    // Presses a machine button after ms (the board reports the closure, then the opening later).
    void pressLater(int contact, int ms, int holdMs = 120) {
        // Tied to the fixture, so a press still queued when the test ends never touches the board.
        QTimer::singleShot(ms, &presses_, [this, contact] { board.setSwitch(contact, true); });
        QTimer::singleShot(ms + holdMs, &presses_, [this, contact] { board.setSwitch(contact, false); });
    }

    SpineRoot root_;
    SteadyClock clock;
    SimulatedBoard board{clock};
    RecordingSoundEngine engine;
    RecordingPowerControl power;
    Machine m{clock, DataRoot(root_.path())};
    QObject presses_; // last: destroyed first, cancelling queued presses
};

} // namespace

TEST_F(GlacefrontonWindow, TheSplashClosesByItselfAfterAboutASecond) {
    GlacefrontonOptions options;
    options.windowed = true;
    TGlacefronton window(m, engine, power, options);
    window.setStartupTimer(m, false); // the splash alone
    window.show();
    QString seenText;
    bool barShown = false;
    QTimer::singleShot(400, &presses_, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            seenText = box->text();
        barShown = window.splashShowing();
    });
    QElapsedTimer elapsed;
    elapsed.start();
    window.runSplash(m);
    EXPECT_EQ(seenText, QString::fromUtf8("Merci de patienter pendant l'initialisation de Lumiscope"));
    EXPECT_TRUE(barShown);
    EXPECT_FALSE(window.splashShowing());
    EXPECT_GE(elapsed.elapsed(), 900);
    EXPECT_LT(elapsed.elapsed(), 4000);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(GlacefrontonWindow, AModalBoxIsAnsweredByTheStartButton) {
    bringUp();
    GlacefrontonOptions options;
    options.windowed = true;
    TGlacefronton window(m, engine, power, options);
    window.setStartupTimer(m, false);
    QMessageBox box(QMessageBox::Question, "pinstage", "Continuer ?", QMessageBox::Ok | QMessageBox::Cancel,
                    &window);
    box.setDefaultButton(QMessageBox::Ok);
    pressLater(5, 300);
    QTimer::singleShot(5000, &box, [&] { box.done(-7); }); // the test fails rather than hangs
    QElapsedTimer elapsed;
    elapsed.start();
    int result = window.execWithButtons(box);
    EXPECT_EQ(result, QMessageBox::Ok);
    EXPECT_LT(elapsed.elapsed(), 3000);
}

TEST_F(GlacefrontonWindow, AFlipperButtonTabsToTheNextButtonBeforeStartAnswers) {
    bringUp();
    GlacefrontonOptions options;
    options.windowed = true;
    TGlacefronton window(m, engine, power, options);
    window.setStartupTimer(m, false);
    QMessageBox box(QMessageBox::Question, "pinstage", "Continuer ?", QMessageBox::Ok | QMessageBox::Cancel,
                    &window);
    box.setDefaultButton(QMessageBox::Ok);
    QAbstractButton* focusedAtStart = nullptr;
    QTimer::singleShot(150, &presses_,
                       [&] { focusedAtStart = qobject_cast<QAbstractButton*>(box.focusWidget()); });
    pressLater(64, 300, 150); // one Tab
    pressLater(5, 900);
    QTimer::singleShot(5000, &box, [&] { box.done(-7); });
    int result = window.execWithButtons(box);
    ASSERT_NE(focusedAtStart, nullptr);
    // Enter went to the button Tab moved to, not the one focused at first.
    int focusedFirst = box.standardButton(focusedAtStart);
    EXPECT_NE(result, -7);
    EXPECT_NE(result, focusedFirst);
}

#ifdef PINSTAGE_HAVE_DEFAULT_ASSETS
TEST_F(GlacefrontonWindow, AShortRunShowsTheBackglassAndEndsWithEverythingOff) {
    DataRoot data(root_.path());
    data.ensureDirectories();
    writeDefaultPictures(data);
    writeDefaultSounds(data.dir(DataDir::Sons));
    GlacefrontonOptions options;
    options.windowed = true;
    m.rt.quitAfterSet = true;
    m.rt.quitAfterMs = 1500;
    TGlacefronton window(m, engine, power, options);
    QTimer::singleShot(30000, &presses_,
                       [] { QCoreApplication::exit(9); }); // the test fails rather than hangs
    int rc = QCoreApplication::exec();
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(window.exitCode(), 0);
    EXPECT_EQ(m.rt.closed, 1);
    // The loop ran (asleep between its deadlines: the attract chaser wakes it every 3 ms).
    EXPECT_GT(m.rt.loopTurns, 20u);
    EXPECT_FALSE(board.isOpen());
    for (int c = 0; c < kCoilCount; ++c)
        EXPECT_FALSE(board.coilEnergised(c)) << c;
    for (int l = 0; l < kLampCount; ++l)
        EXPECT_FALSE(board.lampLit(l)) << l;
    // The last frame is on the window: the background picture, many colours, not a black screen.
    const QImage& shown = window.shownPicture();
    ASSERT_EQ(shown.size(), QSize(1360, 768));
    std::set<QRgb> colours;
    for (int y = 0; y < shown.height(); y += 16)
        for (int x = 0; x < shown.width(); x += 16)
            colours.insert(shown.pixel(x, y));
    EXPECT_GT(colours.size(), 50u);
    EXPECT_GT(m.rt.idleWaits, m.rt.loopTurns / 2); // an idle machine waits instead of spinning
}
#endif

TEST_F(GlacefrontonWindow, TheNoBoardWarningClosesItselfAfterTwoAndAHalfSeconds) {
    GlacefrontonOptions options;
    options.windowed = true;
    TGlacefronton window(m, engine, power, options);
    window.setStartupTimer(m, false);
    QString caption;
    QTimer::singleShot(500, &presses_, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            caption = box->windowTitle();
    });
    QTimer::singleShot(8000, &presses_, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close(); // the test fails rather than hangs
    });
    QElapsedTimer elapsed;
    elapsed.start();
    window.showNoBoardWarning(m);
    EXPECT_EQ(caption, QString::fromUtf8("Defaut constaté :"));
    EXPECT_GE(elapsed.elapsed(), 2400);
    EXPECT_LT(elapsed.elapsed(), 4000);
}

TEST_F(GlacefrontonWindow, KeysGoToTheModalBoxAndThePointerStaysInItsConfinement) {
    InputSynth input;
    QMessageBox box(QMessageBox::Question, "pinstage", "?", QMessageBox::Ok | QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    QTimer::singleShot(200, &presses_, [&] { EXPECT_TRUE(input.pressKey("Escape")); });
    QTimer::singleShot(5000, &box, [&] { box.done(-7); });
    EXPECT_EQ(box.exec(), QMessageBox::Cancel);
    EXPECT_FALSE(input.pressKey("F13"));

    input.confine(QRect(100, 100, 200, 100));
    input.setCursorPos(QPoint(10, 500));
    EXPECT_EQ(input.cursorPos(), QPoint(100, 199));
    input.releaseConfinement();
    input.setCursorPos(QPoint(10, 500));
    EXPECT_EQ(input.cursorPos(), QPoint(10, 500));
}

TEST_F(GlacefrontonWindow, ThePointerIsHiddenAndShownThroughOneBalancedOverride) {
    InputSynth input;
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    input.setCursorShown(false);
    input.setCursorShown(false);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BlankCursor);
    input.setCursorShown(true);
    input.setCursorShown(true);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(GlacefrontonWindow, TheSelectionScreenIsPaintedWithItsFrameOnTheCurrentChoice) {
    GlacefrontonOptions options;
    options.windowed = true;
    TGlacefronton window(m, engine, power, options);
    window.setStartupTimer(m, false);
    m.rt.configurationNumber = 5;
    SelectionLayout layout = selectionLayout(1360, 768);
    window.drawSelectionScreen(m, layout);
    const QImage& shown = window.shownPicture();
    ASSERT_EQ(shown.size(), QSize(1360, 768));
    ChoiceRect f = selectionFrame(layout, 5);
    EXPECT_EQ(shown.pixelColor(f.left + 2, (f.top + f.bottom) / 2), QColor(255, 12, 127));
    ChoiceRect other = selectionFrame(layout, 2);
    EXPECT_NE(shown.pixelColor(other.left + 2, (other.top + other.bottom) / 2), QColor(255, 12, 127));
}
