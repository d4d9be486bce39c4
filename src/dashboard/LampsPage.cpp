// The lamps grid: titles, names, edition and the lamp test. The click toggles the lamp whose name
// the cell shows, so what lights on the playfield is what the operator clicked.
#include "dashboard/LampsPage.h"

#include "board/OutputOperations.h"
#include "config/LabelTables.h"
#include "dashboard/DashboardStyle.h"
#include "dashboard/GridMapping.h"
#include "runtime/Machine.h"

namespace pinstage {

namespace {
DashGrid* makeLampsGrid() {
    auto* grid = new DashGrid(kLampGridColumns, kLampGridRows, 1, 1);
    grid->setFont(dash::gridFontPoints(11));
    grid->setColumnWidths(90, 150);
    grid->setRowHeight(24);
    grid->paintFixedCells(dash::kFixedBlue, dash::kWhite);
    grid->paintMovableCells(dash::kOutputIdle, dash::kWhite);
    return grid;
}
} // namespace

LampsPage::LampsPage(Machine& machine, QWidget* parent) : PlayfieldPage(machine, makeLampsGrid(), parent) {
    Filling filling(*this);
    fill();
    grid_->refit();
}

void LampsPage::fill() {
    // lampMatrixTitles: rows "Colonne 0".."Colonne 7", then columns "Rangée 0".."Rangée 7".
    for (int r = 1; r < kLampGridRows; ++r)
        grid_->setText(0, r, QString::fromUtf8(lampMatrixTitles[size_t(r - 1)]));
    for (int c = 1; c < kLampGridColumns; ++c)
        grid_->setText(c, 0, QString::fromUtf8(lampMatrixTitles[size_t(kLampGridRows - 1 + c - 1)]));
    grid_->setText(0, 0, QString());
    for (int r = 1; r < kLampGridRows; ++r)
        for (int c = 1; c < kLampGridColumns; ++c) {
            int lamp = lampOfCell(c, r);
            grid_->setText(c, r, QString::fromStdString(m_.params.lamps.names[size_t(lamp)].utf8()));
            paintLamp(c, r);
        }
}

void LampsPage::paintLamp(int column, int row) {
    int lamp = lampOfCell(column, row);
    if (lamp == kNoCell || lamp >= kLampCount)
        return;
    bool lit = m_.outputs.lamps[size_t(lamp)].lit != 0;
    grid_->paint(column, row, lit ? dash::kLampLit : dash::kOutputIdle);
}

void LampsPage::testClick(int column, int row) {
    int lamp = lampOfCell(column, row);
    if (lamp == kNoCell || lamp >= kLampCount)
        return;
    VoyantLed& output = m_.outputs.lamps[size_t(lamp)];
    if (output.lit)
        lampOff(m_.outputs, output);
    else
        lampOn(m_.outputs, output);
    grid_->setText(column, row, QString::fromStdString(m_.params.lamps.names[size_t(lamp)].utf8()));
    paintLamp(column, row);
}

bool LampsPage::cellEditable(int column, int row) const {
    return lampOfCell(column, row) != kNoCell;
}

void LampsPage::applyEdit(int column, int row, const QString& text) {
    int lamp = lampOfCell(column, row);
    if (lamp == kNoCell)
        return;
    std::string utf8 = text.toStdString();
    if (lampNameAccepted(utf8))
        m_.params.lamps.names[size_t(lamp)].setUtf8(utf8);
    else
        grid_->setText(column, row, QString());
}

} // namespace pinstage
