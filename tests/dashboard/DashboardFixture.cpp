// The dashboard test fixture and its helpers.
#include "DashboardFixture.h"

#include "platform/FileIo.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace pinstage::test {

void RecordingUi::warning(QWidget*, const QString& caption, const QString& text) {
    warnings.push_back({caption, text});
    if (duringWarning)
        duringWarning();
}

QString RecordingUi::askPassword(QWidget*) {
    ++passwordPrompts;
    return password;
}

void RecordingUi::confineCursor(const QRect* area) {
    confinements.push_back(area ? std::optional<QRect>(*area) : std::nullopt);
}

void DashboardTest::SetUp() {
    ASSERT_TRUE(dir.isValid());
    DataRoot dataRoot{std::filesystem::path(dir.path().toStdString())};
    dataRoot.ensureDirectories();
    m = std::make_unique<Machine>(clock, dataRoot);
    fullLoad(dataRoot, 0, m->params, nullptr);
}

void DashboardTest::TearDown() {
    dash.reset();
}

void DashboardTest::makeDashboard(bool withBoard, bool mediaOptions) {
    board.setPresent(withBoard);
    ASSERT_EQ(openBoard(m->io, board), withBoard);
    buildOutputs(m->outputs, m->params.coils, m->params.lamps);
    dash = std::make_unique<TTableauDeBord>(
        *m, ui,
        [this] {
            ++exits;
            boardOpenAtExit = board.isOpen();
        },
        mediaOptions);
    dash->resize(1920, 1080);
    dash->show();
    // The test drives the ticks itself, at the manual clock's pace.
    dash->timer()->stop();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dash.get()));
}

void DashboardTest::tickUntilDrained(int limit) {
    for (int i = 0; i < limit; ++i) {
        if (board.pendingReports(kSpecialInterface) == 0 && board.pendingReports(kPortInterface) == 0)
            return;
        dash->tick();
    }
}

void DashboardTest::ticks(int count, uint32_t stepMs) {
    for (int i = 0; i < count; ++i) {
        clock.advance(stepMs);
        dash->tick();
    }
}

std::vector<ReceivedReport> DashboardTest::received(int interface) const {
    std::vector<ReceivedReport> out;
    for (const auto& report : board.receivedReports())
        if (report.interface == interface)
            out.push_back(report);
    return out;
}

void typeIntoCell(DashGrid* grid, int column, int row, const QString& text) {
    QTableWidgetItem* item = grid->cell(column, row);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->flags().testFlag(Qt::ItemIsEditable)) << "cell " << column << "," << row;
    grid->setCurrentItem(item);
    grid->editItem(item);
    QLineEdit* editor = nullptr;
    for (auto* candidate : grid->viewport()->findChildren<QLineEdit*>())
        if (candidate->isVisible())
            editor = candidate;
    ASSERT_NE(editor, nullptr);
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
}

void clickCell(DashGrid* grid, int column, int row) {
    QTableWidgetItem* item = grid->cell(column, row);
    ASSERT_NE(item, nullptr);
    QRect rect = grid->visualItemRect(item);
    ASSERT_TRUE(rect.isValid());
    ASSERT_TRUE(grid->viewport()->rect().contains(rect.center())) << "cell " << column << "," << row;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

std::map<std::string, FileState> snapshotFiles(const std::filesystem::path& dir) {
    std::map<std::string, FileState> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file())
            continue;
        auto bytes = readWholeFile(entry.path());
        files[entry.path().string()] =
            FileState{bytes.value_or(std::vector<uint8_t>{}), entry.last_write_time()};
    }
    return files;
}

std::vector<uint8_t> fileBytes(const std::filesystem::path& file) {
    return readWholeFile(file).value_or(std::vector<uint8_t>{});
}

} // namespace pinstage::test
