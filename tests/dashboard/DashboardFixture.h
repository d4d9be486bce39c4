// A machine on a fresh data root with the simulated board, a manual clock, a dashboard shown
// offscreen with its timer stopped (ticks are driven by the test), and a recording stand-in for
// the message boxes and the password prompt.
#pragma once

#include "board/In_out_usb_2023.h"
#include "board/SimulatedBoard.h"
#include "config/ParameterStore.h"
#include "dashboard/DashGrid.h"
#include "dashboard/DashboardUi.h"
#include "dashboard/Tableau_de_bord_usb_2023.h"
#include "runtime/Machine.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pinstage::test {

class RecordingUi final : public DashboardUi {
public:
    struct Box {
        QString caption;
        QString text;
    };
    std::vector<Box> warnings;
    std::vector<QString> errors;
    int passwordPrompts = 0;
    QString password = QString::fromUtf8(kDashboardPassword);
    std::vector<std::optional<QRect>> confinements;
    // Runs while a warning is "on screen", to look at the dashboard at that moment.
    std::function<void()> duringWarning;

    void warning(QWidget*, const QString& caption, const QString& text) override;
    void error(QWidget*, const QString& text) override { errors.push_back(text); }
    QString askPassword(QWidget*) override;
    void confineCursor(const QRect* area) override;
};

class DashboardTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ManualClock clock{1000};
    std::unique_ptr<Machine> m;
    SimulatedBoard board{clock};
    RecordingUi ui;
    int exits = 0;
    // Board state at the moment the program was asked to end.
    bool boardOpenAtExit = true;
    std::unique_ptr<TTableauDeBord> dash;

    void SetUp() override;
    void TearDown() override;

    // Opens the board (or finds none when withBoard is false), builds the outputs, shows the dashboard.
    void makeDashboard(bool withBoard = true, bool mediaOptions = false);

    DataRoot root() const { return m->root; }
    std::filesystem::path datas() const { return m->root.dir(DataDir::Datas); }
    // Runs timer ticks until the board has no report waiting (at most limit ticks).
    void tickUntilDrained(int limit = 50);
    void ticks(int count, uint32_t stepMs);

    // Reports received on one interface, oldest first.
    std::vector<ReceivedReport> received(int interface) const;
};

// Edits a cell as the operator does: opens its editor, types the text, presses Enter.
void typeIntoCell(DashGrid* grid, int column, int row, const QString& text);
// A left click on the middle of a cell.
void clickCell(DashGrid* grid, int column, int row);
// Every file under a directory with its bytes and its write time.
struct FileState {
    std::vector<uint8_t> bytes;
    std::filesystem::file_time_type written;
    friend bool operator==(const FileState&, const FileState&) = default;
};
std::map<std::string, FileState> snapshotFiles(const std::filesystem::path& dir);
std::vector<uint8_t> fileBytes(const std::filesystem::path& file);

} // namespace pinstage::test
