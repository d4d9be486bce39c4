// The accounting grid.
#include "dashboard/AccountingPage.h"

#include "config/Accounting.h"
#include "config/LabelTables.h"
#include "dashboard/DashboardStyle.h"
#include "runtime/Machine.h"

#include <QVBoxLayout>

namespace pinstage {

AccountingPage::AccountingPage(Machine& machine, QWidget* parent) : QWidget(parent), m_(machine) {
    grid_ = new DashGrid(2, kAccountingGridRows, 1, 0, this);
    grid_->setFont(dash::gridFontPoints(11));
    grid_->setColumnWidths(450, 210);
    grid_->setRowHeight(20);
    grid_->paintFixedCells(dash::kAccountingSilver, dash::kTextRed);
    grid_->paintMovableCells(dash::kWhite, dash::kTextRed);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // statisticLabels ends with its end marker, shown as the last (blank) row.
    for (int row = 0; row < kAccountingGridRows && size_t(row) < statisticLabels.size(); ++row)
        grid_->setText(0, row, QString::fromUtf8(statisticLabels[size_t(row)]));
    grid_->refit();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch(1);
}

void AccountingPage::pageShown() {
    AccountingRecord read{};
    try {
        loadAccounting(accountingFileOf(m_.root, m_.params), read);
    } catch (...) {
        fillValues(false);
        throw;
    }
    shown_ = read;
    fillValues(true);
}

void AccountingPage::fillValues(bool known) {
    for (int row = 0; row < kStatisticCount; ++row)
        grid_->setText(1, row, known ? QString::number(statisticValue(shown_, row)) : QString());
    grid_->refit();
}

} // namespace pinstage
