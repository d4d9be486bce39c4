// pinstage-dashshot: pictures of the seven dashboard pages over the whole screen (1920 x 1080 unless
// QT_QPA_PLATFORM names another screen) on a simulated board,
// for developers and documentation. Usage: pinstage-dashshot --root DIR --out-prefix P
// [--media-options] writes P0.png ... P6.png, and the backglass editor's picture cutter and creation
// canvas as P4-decoupe.png and P4-creation.png.
#include "board/SimulatedBoard.h"
#include "config/ParameterStore.h"
#include "dashboard/CoilsPage.h"
#include "dashboard/DashboardUi.h"
#include "dashboard/FrontonCanvasWindow.h"
#include "dashboard/FrontonEditorPage.h"
#include "dashboard/LampsPage.h"
#include "dashboard/SoundsPage.h"
#include "dashboard/PictureCutWindow.h"
#include "dashboard/Tableau_de_bord_usb_2023.h"
#include "runtime/Machine.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

using namespace pinstage;

// Enters the password and prints what the boxes would show.
class ShotUi final : public DashboardUi {
public:
    void warning(QWidget*, const QString& caption, const QString& text) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    }
    void error(QWidget*, const QString& text) override {
        std::fprintf(stderr, "erreur: %s\n", qPrintable(text));
    }
    QString askPassword(QWidget*) override { return QString::fromUtf8(kDashboardPassword); }
    void confineCursor(const QRect*) override {}
};

int usage() {
    std::fprintf(stderr, "usage: pinstage-dashshot --root DIR --out-prefix PREFIX [--media-options]\n");
    return 2;
}

// A 1920 x 1080 offscreen screen unless the caller chose a platform.
bool useOffscreenScreen(QTemporaryDir& dir) {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    if (!dir.isValid())
        return false;
    QString config = dir.filePath("screen.json");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(
        R"({"screens":[{"name":"S1","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96,"dpr":1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    return true;
}

bool savePicture(QWidget& w, const std::string& out) {
    QApplication::processEvents();
    if (!w.grab().toImage().save(QString::fromStdString(out))) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return false;
    }
    std::printf("%s  (%s)\n", out.c_str(), qPrintable(w.windowTitle()));
    return true;
}

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    QMouseEvent event(
        type, QPointF(at), w->mapToGlobal(QPointF(at)), type == QEvent::MouseMove ? Qt::NoButton : button,
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// The cutter over the symbol sheet with a band drawn, and the creation canvas with every element
// shown and the title selected; nothing is kept.
bool editorWindows(FrontonEditorPage& page, const DataRoot& root, const std::string& prefix) {
    bool ok = true;
    page.pickFile = [&](QWidget*, const QString&, const QString&, const QString&) {
        return QString::fromStdString(root.file(DataDir::Images, "ossymbols2.bmp").string());
    };
    page.runWindow = [&](QDialog& window) {
        window.show();
        if (auto* cutter = dynamic_cast<PictureCutWindow*>(&window)) {
            mouse(cutter->pictureArea(), QEvent::MouseButtonPress, {216, 3}, Qt::LeftButton);
            mouse(cutter->pictureArea(), QEvent::MouseMove, {256, 59}, Qt::LeftButton);
            mouse(cutter->pictureArea(), QEvent::MouseButtonRelease, {256, 59}, Qt::LeftButton);
            ok = savePicture(window, prefix + "4-decoupe.png") && ok;
        } else if (auto* canvas = dynamic_cast<FrontonCanvasWindow*>(&window)) {
            for (auto* button : canvas->findChildren<QPushButton*>())
                if (button->text() == QStringLiteral("Tout afficher"))
                    button->click();
            mouse(canvas->canvas(), QEvent::MouseButtonPress, {300, 60}, Qt::RightButton);
            mouse(canvas->canvas(), QEvent::MouseMove, {300, 60}, Qt::NoButton);
            ok = savePicture(window, prefix + "4-creation.png") && ok;
        }
        window.hide();
        return int(QDialog::Rejected);
    };
    page.choosePicture(5);
    page.openCanvas();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    std::string root;
    std::string prefix;
    bool mediaOptions = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--root" && i + 1 < argc)
            root = argv[++i];
        else if (arg == "--out-prefix" && i + 1 < argc)
            prefix = argv[++i];
        else if (arg == "--media-options")
            mediaOptions = true;
        else
            return usage();
    }
    if (root.empty() || prefix.empty())
        return usage();

    QTemporaryDir screenDir;
    if (!useOffscreenScreen(screenDir)) {
        std::fprintf(stderr, "cannot prepare the offscreen screen\n");
        return 1;
    }
    QApplication app(argc, argv);
    try {
        SteadyClock clock;
        DataRoot dataRoot{std::filesystem::path(root)};
        dataRoot.ensureDirectories();
        Machine m(clock, dataRoot);
        fullLoad(dataRoot, 0, m.params, nullptr);
        SimulatedBoard board(clock);
        openBoard(m.io, board);
        buildOutputs(m.outputs, m.params.coils, m.params.lamps);

        ShotUi ui;
        TTableauDeBord dashboard(
            m, ui, [] {}, mediaOptions);
        dashboard.coverScreen(nullptr);
        dashboard.show();
        dashboard.timer()->stop();

        for (int page = 0; page < TTableauDeBord::kPageCount; ++page) {
            dashboard.showPage(page);
            // A little life on the test pages: two contacts closed, a relay held, three lamps lit.
            if (page == TTableauDeBord::kContactsPage) {
                board.setSwitch(18, true);
                board.setSwitch(9, true);
                board.setSwitch(64, true);
                board.requestMatrixReport();
                board.requestPortReport();
                // Every queued report is read, one per tick, as the running timer would.
                while (board.pendingReports(kSpecialInterface) > 0 ||
                       board.pendingReports(kPortInterface) > 0)
                    dashboard.tick();
            } else if (page == TTableauDeBord::kCoilsPage) {
                emit dashboard.coilsPage()->grid()->cellClicked(1, 3); // "Flipper relay" held
            } else if (page == TTableauDeBord::kLampsPage) {
                for (int row : {1, 2, 5})
                    emit dashboard.lampsPage()->grid()->cellClicked(row, row);
            } else if (page == TTableauDeBord::kSoundsPage) {
                emit dashboard.soundsPage()->grid()->cellClicked(4, 2); // sound 3's TEST: "PLAY"
            }
            QApplication::processEvents();
            QImage picture = dashboard.grab().toImage();
            std::string out = prefix + std::to_string(page) + ".png";
            if (!picture.save(QString::fromStdString(out))) {
                std::fprintf(stderr, "cannot write %s\n", out.c_str());
                return 1;
            }
            std::printf("%s\n", out.c_str());
        }
        dashboard.showPage(TTableauDeBord::kFrontonPage);
        if (!editorWindows(*dashboard.frontonPage(), dataRoot, prefix))
            return 1;
        dashboard.timer()->stop();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
