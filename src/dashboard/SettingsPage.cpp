// The adjustments grid: fill, typing rules, validation and save.
#include "dashboard/SettingsPage.h"

#include "config/AdjustmentRows.h"
#include "config/Adjustments.h"
#include "config/LabelTables.h"
#include "dashboard/DashboardStyle.h"
#include "dashboard/DashboardUi.h"
#include "runtime/Machine.h"
#include "runtime/Startup.h"

#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace pinstage {

namespace {
const QString kInvalidCaption = QStringLiteral("Valeur Incorrecte");
} // namespace

SettingsPage::SettingsPage(Machine& machine, DashboardUi& ui, bool mediaOptions, QWidget* parent)
    : QWidget(parent), m_(machine), ui_(ui),
      lastRow_(mediaOptions ? kSettingsRowsWithMedia : kSettingsRowsPlain) {
    QScopedValueRollback<bool> filling(filling_, true);
    grid_ = new DashGrid(2, lastRow_ + 1, 1, 1, this);
    grid_->setFont(dash::dashboardFont(24));
    grid_->setColumnWidths(750, 280);
    grid_->setRowHeight(30);
    grid_->paintFixedCells(dash::kSettingsCyan, dash::kBlack);
    grid_->paintMovableCells(dash::kWhite, dash::kBlack);
    grid_->setText(0, 0, QStringLiteral("Libellé des Réglages"));
    grid_->setText(1, 0, QStringLiteral("Valeur actuelle des réglages"));
    for (int row = 1; row <= lastRow_; ++row)
        grid_->setText(0, row, QString::fromUtf8(adjustmentLabels[size_t(row)]));
    grid_->setEditableWhere([](int column, int) { return column == 1; });
    grid_->refit();
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch(1);

    connect(grid_, &QTableWidget::itemChanged, this, &SettingsPage::cellChanged);
}

void SettingsPage::fillFromFile() {
    loadAdjustments(adjustmentsFileOf(m_.root, m_.params), m_.params.adjustments);
    clearMarks();
    fillFromRecord();
}

void SettingsPage::fillFromRecord() {
    QScopedValueRollback<bool> filling(filling_, true);
    for (int row = 1; row <= lastRow_; ++row)
        grid_->setText(1, row, QString::fromStdString(adjustmentText(m_.params.adjustments, row)));
    grid_->refit();
}

void SettingsPage::cellChanged(QTableWidgetItem* item) {
    if (filling_ || item == nullptr || item->column() != 1)
        return;
    int row = item->row();
    if (row < 1 || row > lastRow_)
        return;
    QScopedValueRollback<bool> filling(filling_, true);
    if (!setAdjustmentFromText(m_.params.adjustments, row, item->text().toStdString()))
        item->setText(QString());
}

void SettingsPage::clearMarks() {
    QScopedValueRollback<bool> filling(filling_, true);
    grid_->paintMovableCells(dash::kWhite, dash::kBlack);
}

bool SettingsPage::validate() {
    clearMarks();
    for (int row = 1; row <= lastRow_; ++row) {
        auto error = adjustmentError(row, grid_->text(1, row).toStdString());
        if (!error)
            continue;
        {
            QScopedValueRollback<bool> filling(filling_, true);
            grid_->setCurrentCell(row, 1, QItemSelectionModel::NoUpdate);
            grid_->scrollToItem(grid_->cell(1, row));
            grid_->paint(1, row, dash::kFlashRed, dash::kWhite);
        }
        ui_.warning(window(), kInvalidCaption, QString::fromStdString(*error));
        return false;
    }
    return true;
}

bool SettingsPage::save() {
    if (!validate()) {
        // The record still holds every value taken while typing; the red cell stays marked.
        fillFromRecord();
        return false;
    }
    // The eight media options are on the page only with --media-options, and then the
    // operator's values are written; otherwise the file keeps its own (the memory holds the
    // start-up's overrides).
    if (lastRow_ > kSettingsRowsPlain)
        saveAdjustments(adjustmentsFileOf(m_.root, m_.params), m_.params.adjustments);
    else
        saveAdjustmentsInUse(m_);
    return true;
}

} // namespace pinstage
