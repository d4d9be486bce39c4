// The contacts grid: titles, names, edition and the live switch display.
#include "dashboard/ContactsPage.h"

#include "board/SwitchScan.h"
#include "config/LabelTables.h"
#include "dashboard/DashboardStyle.h"
#include "dashboard/GridMapping.h"
#include "runtime/Machine.h"

namespace pinstage {

namespace {
DashGrid* makeContactsGrid() {
    auto* grid = new DashGrid(kContactGridColumns, kContactGridRows, 1, 1);
    grid->setFont(dash::gridFontPoints(11));
    grid->setColumnWidths(130, 220);
    grid->setRowHeight(20);
    grid->paintFixedCells(dash::kFixedBlue, dash::kWhite);
    grid->paintMovableCells(dash::kOpenGreen, dash::kWhite);
    return grid;
}
} // namespace

ContactsPage::ContactsPage(Machine& machine, QWidget* parent)
    : PlayfieldPage(machine, makeContactsGrid(), parent) {
    Filling filling(*this);
    fill();
    grid_->refit();
}

QString ContactsPage::contactName(int contact) const {
    if (contact < 0 || contact >= kContactCount)
        return QString();
    return QString::fromStdString(m_.params.contacts.names[size_t(contact)].utf8());
}

void ContactsPage::fill() {
    // switchMatrixTitles: corner, rows 1-10, then columns 1-8.
    for (int r = 0; r < kContactGridRows; ++r)
        grid_->setText(0, r, QString::fromUtf8(switchMatrixTitles[size_t(r)]));
    for (int c = 1; c < kContactGridColumns; ++c)
        grid_->setText(c, 0, QString::fromUtf8(switchMatrixTitles[size_t(kContactGridRows + c - 1)]));
    for (int r = 1; r <= kGridDirectNameRow; ++r)
        for (int c = 1; c < kContactGridColumns; ++c)
            grid_->setText(c, r, contactName(contactOfCell(c, r)));
    for (int c = 1; c < kContactGridColumns; ++c)
        grid_->setText(c, kGridDirectStateRow, QString());
}

void ContactsPage::pageShown() {
    PlayfieldPage::pageShown();
    Filling filling(*this);
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            paintContactCell(c, r, kGridGreen, contactOfCell(c, r));
    grid_->paint(0, 0, dash::kFixedBlue, dash::kWhite);
    refreshDirectSwitchRows(m_.switches, *this);
}

bool ContactsPage::contactGridShown() const {
    // In edition the operator's typing must not be overwritten by the scan.
    return onShow_ && !editing();
}

void ContactsPage::paintContactCell(int column, int row, GridColour colour, int contact) {
    if (grid_->cell(column, row) == nullptr || grid_->isFixed(column, row))
        return;
    Filling filling(*this);
    QColor background = dash::toQColor(colour);
    grid_->paint(column, row, background, dash::readableTextOn(background));
    // The name the operator gave, so that the test shows the playfield as it is labelled.
    if (contact != kNoContactName && contact >= 0 && contact < kContactCount)
        grid_->setText(column, row, contactName(contact));
}

bool ContactsPage::cellEditable(int column, int row) const {
    return contactCellEditable(column, row);
}

void ContactsPage::applyEdit(int column, int row, const QString& text) {
    int contact = contactOfCell(column, row);
    if (contact == kNoCell)
        return;
    std::string utf8 = text.toStdString();
    if (contactNameAccepted(utf8))
        m_.params.contacts.names[size_t(contact)].setUtf8(utf8);
    else
        grid_->setText(column, row, QString());
}

} // namespace pinstage
