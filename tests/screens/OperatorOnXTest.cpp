// The backglass, the dashboard and the simulator on a real X server without a window manager
// (run through with-xvfb.sh), driven with the real pointer and keyboard (xdotool): every window
// covers its screen, the pointer moves freely inside the confinement, tabs answer clicks and
// Ctrl+Tab, and the simulator keeps delivering switches while the dashboard is open.
#include "board/In_out_usb_2023.h"
#include "board/SimulatedBoard.h"
#include "config/ParameterStore.h"
#include "dashboard/AccountingPage.h"
#include "dashboard/ContactsPage.h"
#include "dashboard/DashGrid.h"
#include "dashboard/DashboardLauncher.h"
#include "dashboard/GridMapping.h"
#include "dashboard/Tableau_de_bord_usb_2023.h"
#include "runtime/window/TGlacefronton.h"
#include "simulator/PlayfieldSimulator.h"
#include "sound/RecordingSoundEngine.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

// Points as x,y in failure messages.
inline void PrintTo(const QPoint& p, std::ostream* os) {
    *os << p.x() << "," << p.y();
}

namespace pinstage {
namespace {

class XEnvironment : public ::testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "test_screens_x";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};
[[maybe_unused]] const auto* const environment = ::testing::AddGlobalTestEnvironment(new XEnvironment);

// xdotool; what it does reaches the program through the X server, once the program handles its
// events again.
QString xdo(const QStringList& args) {
    QProcess p;
    p.start("xdotool", args);
    if (!p.waitForFinished(10000))
        return "xdotool failed";
    return QString::fromUtf8(p.readAllStandardOutput());
}

void pointerTo(QPoint p) {
    xdo({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
}

void clickAt(QPoint p) {
    pointerTo(p);
    xdo({"click", "1"});
}

// Where X has the pointer, as xdotool reads it.
QPoint xPointer() {
    QString out = xdo({"getmouselocation"});
    auto match = QRegularExpression("x:(\\d+) y:(\\d+)").match(out);
    return match.hasMatch() ? QPoint(match.captured(1).toInt(), match.captured(2).toInt()) : QPoint(-1, -1);
}

// Geometry and map state of a window as the X server has them ("WxH+X+Y", empty when unmapped).
QString xGeometry(WId id) {
    QProcess p;
    p.start("xwininfo", {"-id", QString::number(id)});
    p.waitForFinished(5000);
    QString info = QString::fromUtf8(p.readAllStandardOutput());
    if (!info.contains("Map State: IsViewable"))
        return {};
    auto field = [&](const char* name) {
        auto m = QRegularExpression(QString(name) + ":\\s*(-?\\d+)").match(info);
        return m.hasMatch() ? m.captured(1) : QString("?");
    };
    return QString("%1x%2+%3+%4")
        .arg(field("Width"), field("Height"), field("Absolute upper-left X"), field("Absolute upper-left Y"));
}

bool waitFor(const std::function<bool()>& done, int ms = 5000) {
    for (int waited = 0; waited < ms; waited += 20) {
        if (done())
            return true;
        QTest::qWait(20);
    }
    return done();
}

QPoint globalCentre(QWidget* w, QRect local) {
    return w->mapToGlobal(local.center());
}

// The next password prompt will be answered with the keyboard, from inside its own event loop.
void answerNextPassword(QObject* owner) {
    auto* watch = new QTimer(owner);
    watch->setInterval(50);
    QObject::connect(watch, &QTimer::timeout, watch, [watch] {
        QWidget* modal = QApplication::activeModalWidget();
        QLineEdit* field = modal ? modal->findChild<QLineEdit*>() : nullptr;
        if (!field || !field->isVisible() || !field->window()->windowHandle() ||
            !field->window()->windowHandle()->isExposed())
            return;
        watch->stop();
        watch->deleteLater();
        clickAt(globalCentre(field, field->rect()));
        xdo({"type", "--delay", "30", kDashboardPassword});
        xdo({"key", "Return"});
    });
    watch->start();
}

// The settings page on show with nothing modal over the dashboard any more.
bool settingsOpened(TTableauDeBord* dash) {
    return waitFor([dash] {
        return dash->currentPage() == TTableauDeBord::kSettingsPage &&
               QApplication::activeModalWidget() == dash;
    });
}

class OperatorOnX : public ::testing::Test {
protected:
    OperatorOnX() : root_(DataRoot(std::filesystem::path(dir_.path().toStdString()))) {
        root_.ensureDirectories();
        m.boardTransport = &board;
        fullLoad(root_, 0, m.params, nullptr);
        buildOutputs(m.outputs, m.params.coils, m.params.lamps);
        openBoard(m.io, board);
    }

    QTemporaryDir dir_;
    DataRoot root_;
    SteadyClock clock;
    SimulatedBoard board{clock};
    RecordingSoundEngine engine;
    SimulatedPowerControl power;
    Machine m{clock, root_};
};

TEST_F(OperatorOnX, FullScreenWindowsAndTheDashboardWithTheRealPointer) {
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect full = screen->geometry();
    const QString fullText = QString("%1x%2+0+0").arg(full.width()).arg(full.height());

    TGlacefronton window(m, engine, power, GlacefrontonOptions{});
    window.setStartupTimer(m, false);
    window.showMainWindow(m);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(200);
    EXPECT_EQ(xGeometry(window.winId()), fullText);
    EXPECT_EQ(window.screenSize(), full.size());

    auto simulator = createPlayfieldSimulator(m, board, true, &window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(simulator.get()));

    bool exited = false;
    TTableauDeBord* dash = nullptr;
    QTimer::singleShot(0, &window, [&] {
        dash = qobject_cast<TTableauDeBord*>(QApplication::activeModalWidget());
        if (!dash || !QTest::qWaitForWindowExposed(dash)) {
            ADD_FAILURE() << "no dashboard";
            return;
        }
        // Whatever fails below, the dashboard is left in the end.
        QTimer::singleShot(60000, dash, [dash] { dash->exitAction(); });
        QTest::qWait(300);
        EXPECT_EQ(dash->geometry(), full);
        EXPECT_EQ(xGeometry(dash->winId()), fullText);

        // The simulator, above the dashboard in its corner, still takes clicks: a click knocks
        // the drop target c33 down, and the contacts test page shows it closed.
        SwitchButton* c33 = simulator->switches()->button(33);
        clickAt(globalCentre(c33, c33->rect()));
        EXPECT_TRUE(waitFor([&] { return board.switchClosed(33); }, 3000));
        DashGrid* contacts = dash->contactsPage()->grid();
        QColor open = contacts->background(1, 1);
        EXPECT_TRUE(waitFor([&] { return contacts->background(5, 2) != open; }, 3000)); // c33

        // The settings tab, clicked: the password, then the pointer is confined to the window.
        QTabBar* tabs = dash->pages()->tabBar();
        answerNextPassword(dash);
        clickAt(globalCentre(tabs, tabs->tabRect(TTableauDeBord::kSettingsPage)));
        EXPECT_TRUE(settingsOpened(dash));
        ASSERT_TRUE(dash->cursorArea().has_value());
        EXPECT_EQ(dash->cursorArea()->top(), full.top() + 4);

        // The real pointer goes where the operator moves it and stays there, tick after tick.
        for (QPoint to :
             {QPoint(full.width() / 2, full.height() / 2), QPoint(full.width() / 4, full.height() - 10)}) {
            pointerTo(to);
            QTest::qWait(10 * TTableauDeBord::kTimerMs);
            EXPECT_EQ(QCursor::pos(), to);
            EXPECT_EQ(xPointer(), to);
        }
        QCursor::setPos(300, 200);
        QTest::qWait(10 * TTableauDeBord::kTimerMs);
        EXPECT_EQ(xPointer(), QPoint(300, 200));
        // Outside the confinement (the top 4 rows), it is brought to the nearest point inside.
        pointerTo(QPoint(full.width() / 3, 1));
        EXPECT_TRUE(waitFor([&] { return xPointer() == QPoint(full.width() / 3, 4); }, 2000))
            << xPointer().y();

        clickAt(globalCentre(tabs, tabs->tabRect(TTableauDeBord::kAccountingPage)));
        EXPECT_TRUE(waitFor([&] { return dash->currentPage() == TTableauDeBord::kAccountingPage; }, 2000));

        // Ctrl+Tab and Ctrl+Shift+Tab with the focus in a grid; the settings page asks again.
        DashGrid* accounts = dash->accountingPage()->grid();
        ASSERT_NE(accounts, nullptr);
        clickAt(accounts->viewport()->mapToGlobal(accounts->visualItemRect(accounts->item(2, 1)).center()));
        EXPECT_TRUE(waitFor([&] { return accounts->hasFocus(); }, 2000));
        xdo({"key", "ctrl+Tab"});
        EXPECT_TRUE(waitFor([&] { return dash->currentPage() == TTableauDeBord::kContactsPage; }, 2000));
        xdo({"key", "ctrl+shift+Tab"});
        EXPECT_TRUE(waitFor([&] { return dash->currentPage() == TTableauDeBord::kAccountingPage; }, 2000));
        answerNextPassword(dash);
        xdo({"key", "ctrl+shift+Tab"});
        EXPECT_TRUE(settingsOpened(dash));

        clickAt(globalCentre(dash->exitButton(), dash->exitButton()->rect()));
        waitFor([&] { return exited; }, 2000);
        if (!exited)
            dash->exitAction();
    });
    DashboardLauncher launcher(
        m, &window, [&] { exited = true; }, false,
        [&](const QRect* area) {
            if (area)
                window.input().confine(*area);
            else
                window.input().releaseConfinement();
        });
    m.hooks.dashboard().runDashboard(m);
    EXPECT_TRUE(exited);
    EXPECT_FALSE(window.input().confinement().has_value());
}

} // namespace
} // namespace pinstage
