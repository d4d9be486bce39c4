// The coils grid: titles, names, edition and the coil test.
#include "dashboard/CoilsPage.h"

#include "board/OutputOperations.h"
#include "config/LabelTables.h"
#include "dashboard/DashboardStyle.h"
#include "dashboard/GridMapping.h"
#include "runtime/Machine.h"

#include <QPointer>
#include <QTimer>

namespace pinstage {

namespace {
DashGrid* makeCoilsGrid() {
    auto* grid = new DashGrid(kCoilGridColumns, kCoilGridRows, 1, 1);
    grid->setFont(dash::gridFontPoints(11));
    grid->setColumnWidths(75, 240);
    grid->setRowHeight(24);
    grid->paintFixedCells(dash::kFixedBlue, dash::kWhite);
    grid->paintMovableCells(dash::kOutputIdle, dash::kWhite);
    return grid;
}
} // namespace

CoilsPage::CoilsPage(Machine& machine, QWidget* parent) : PlayfieldPage(machine, makeCoilsGrid(), parent) {
    Filling filling(*this);
    fill();
    grid_->refit();
}

void CoilsPage::fill() {
    // outputPortTitles: rows "Port-3".."Port-5", then columns "Bit 0".."Bit 7".
    for (int r = 1; r < kCoilGridRows; ++r)
        grid_->setText(0, r, QString::fromUtf8(outputPortTitles[size_t(r - 1)]));
    for (int c = 1; c < kCoilGridColumns; ++c)
        grid_->setText(c, 0, QString::fromUtf8(outputPortTitles[size_t(kCoilGridRows - 1 + c - 1)]));
    grid_->setText(0, 0, QString());
    for (int r = 1; r < kCoilGridRows; ++r)
        for (int c = 1; c < kCoilGridColumns; ++c) {
            int coil = coilOfCell(c, r);
            grid_->setText(c, r, QString::fromStdString(m_.params.coils.names[size_t(coil)].utf8()));
            paintCoil(c, r);
        }
}

void CoilsPage::paintCoil(int column, int row) {
    int coil = coilOfCell(column, row);
    if (coil == kNoCell || coil >= kCoilCount)
        return;
    bool held = m_.outputs.coils[size_t(coil)].switchedOn != 0;
    grid_->paint(column, row, held ? dash::kCoilHeld : dash::kOutputIdle);
}

void CoilsPage::testClick(int column, int row) {
    int coil = coilOfCell(column, row);
    if (coil == kNoCell || coil >= kCoilCount)
        return;
    Sortie& output = m_.outputs.coils[size_t(coil)];
    if (output.autoRelease == 1) {
        coilPulse(m_.outputs, output);
        grid_->paint(column, row, dash::kFlashRed, dash::kWhite);
        grid_->setText(column, row, QString::fromStdString(m_.params.coils.names[size_t(coil)].utf8()));
        // The flash ends on its own; the dashboard keeps running meanwhile.
        QPointer<CoilsPage> self(this);
        QTimer::singleShot(kCoilFlashMs, this, [self, column, row] {
            if (!self)
                return;
            Filling filling(*self);
            self->paintCoil(column, row);
        });
        return;
    }
    if (output.switchedOn)
        coilOff(m_.outputs, output);
    else
        coilHold(m_.outputs, output);
    paintCoil(column, row);
}

bool CoilsPage::cellEditable(int column, int row) const {
    return coilOfCell(column, row) != kNoCell;
}

void CoilsPage::applyEdit(int column, int row, const QString& text) {
    int coil = coilOfCell(column, row);
    if (coil == kNoCell)
        return;
    std::string utf8 = text.toStdString();
    if (coilNameAccepted(utf8))
        m_.params.coils.names[size_t(coil)].setUtf8(utf8);
    else
        grid_->setText(column, row, QString());
}

} // namespace pinstage
