// Mode switching, edition and test clicks common to the three playfield pages.
#include "dashboard/PlayfieldPage.h"

#include "board/ResetOutputs.h"
#include "runtime/Machine.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace pinstage {

namespace {
const QString kTestCaption = QStringLiteral("Mode Test");
const QString kEditionCaption = QStringLiteral("Mode édition");
} // namespace

PlayfieldPage::PlayfieldPage(Machine& machine, DashGrid* grid, QWidget* parent)
    : QWidget(parent), m_(machine), grid_(grid) {
    grid_->setParent(this);
    modeButton_ = new QPushButton(kTestCaption, this);
    modeButton_->setMinimumWidth(220);

    auto* top = new QHBoxLayout;
    top->addWidget(modeButton_);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid_, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch(1);

    connect(modeButton_, &QPushButton::clicked, this, &PlayfieldPage::toggleMode);
    connect(grid_, &QTableWidget::itemChanged, this, &PlayfieldPage::cellChanged);
    connect(grid_, &QTableWidget::cellClicked, this, &PlayfieldPage::cellClicked);
    // Test mode; the grid's cells are created locked.
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void PlayfieldPage::pageShown() {
    resetAllOutputs();
    setMode(false);
    Filling filling(*this);
    fill();
    grid_->refit();
}

void PlayfieldPage::toggleMode() {
    if (!editing_) {
        setMode(true);
        return;
    }
    setMode(false);
    Filling filling(*this);
    fill();
    grid_->refit();
}

void PlayfieldPage::resetAllOutputs() {
    resetOutputs(m_.outputs, m_.io, m_.switches, m_.clock);
}

void PlayfieldPage::setMode(bool editing) {
    editing_ = editing;
    modeButton_->setText(editing ? kEditionCaption : kTestCaption);
    grid_->setEditTriggers(editing ? (QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                      QAbstractItemView::AnyKeyPressed)
                                   : QAbstractItemView::NoEditTriggers);
    Filling filling(*this);
    grid_->setEditableWhere([&](int c, int r) { return editing && cellEditable(c, r); });
    modeChanged();
}

void PlayfieldPage::cellChanged(QTableWidgetItem* item) {
    if (filling_ || !editing_ || item == nullptr)
        return;
    int column = item->column();
    int row = item->row();
    if (!cellEditable(column, row))
        return;
    Filling filling(*this);
    applyEdit(column, row, item->text());
    grid_->refit();
}

void PlayfieldPage::cellClicked(int row, int column) {
    if (editing_ || grid_->isFixed(column, row))
        return;
    Filling filling(*this);
    testClick(column, row);
}

} // namespace pinstage
