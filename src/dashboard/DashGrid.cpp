// The dashboard's string grid.
#include "dashboard/DashGrid.h"

#include "dashboard/DashboardStyle.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>

namespace pinstage {

namespace {
constexpr int kNarrowestColumn = 40;
}

DashGrid::DashGrid(int columns, int rows, int fixedColumns, int fixedRows, QWidget* parent)
    : QTableWidget(rows, columns, parent), fixedColumns_(fixedColumns), fixedRows_(fixedRows) {
    baseFont_ = chosenFont_ = font();
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The cells carry their own colours; a selection highlight would hide them.
    setSelectionMode(QAbstractItemView::NoSelection);
    setWordWrap(false);
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem(); // owned by the grid
            item->setFlags(isFixed(c, r) ? Qt::ItemIsEnabled : (Qt::ItemIsEnabled | Qt::ItemIsSelectable));
            setItem(r, c, item);
        }
}

QTableWidgetItem* DashGrid::cell(int column, int row) const {
    if (column < 0 || column >= columnCount() || row < 0 || row >= rowCount())
        return nullptr;
    return item(row, column);
}

QString DashGrid::text(int column, int row) const {
    auto* it = cell(column, row);
    return it ? it->text() : QString();
}

void DashGrid::setText(int column, int row, const QString& text) {
    if (auto* it = cell(column, row))
        it->setText(text);
}

QColor DashGrid::background(int column, int row) const {
    auto* it = cell(column, row);
    return it ? it->background().color() : QColor();
}

QColor DashGrid::foreground(int column, int row) const {
    auto* it = cell(column, row);
    return it ? it->foreground().color() : QColor();
}

void DashGrid::paint(int column, int row, const QColor& background, const QColor& foreground) {
    auto* it = cell(column, row);
    if (!it)
        return;
    it->setBackground(background);
    it->setForeground(foreground.isValid() ? foreground : dash::readableTextOn(background));
}

void DashGrid::paintFixedCells(const QColor& background, const QColor& foreground) {
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (isFixed(c, r))
                paint(c, r, background, foreground);
}

void DashGrid::paintMovableCells(const QColor& background, const QColor& foreground) {
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (!isFixed(c, r))
                paint(c, r, background, foreground);
}

void DashGrid::setColumnWidths(int firstWidth, int defaultWidth) {
    firstWidth_ = firstWidth;
    defaultWidth_ = defaultWidth;
    refit();
}

void DashGrid::takeAskedFont() {
    // A font set from outside is the one the grid asks for; a smaller one is only ever chosen here.
    if (font() != chosenFont_)
        baseFont_ = chosenFont_ = font();
}

void DashGrid::refit() {
    takeAskedFont();
    neededFirst_ = std::max(firstWidth_, widestText(0, 0, baseFont_));
    neededOthers_ = std::max(defaultWidth_, widestText(1, columnCount() - 1, baseFont_));
    fitColumns();
    updateGeometry();
}

int DashGrid::widestText(int firstColumn, int lastColumn, const QFont& font) const {
    constexpr int kMargins = 10;
    QFontMetrics metrics(font);
    int widest = 0;
    for (int r = 0; r < rowCount(); ++r)
        for (int c = std::max(0, firstColumn); c <= lastColumn && c < columnCount(); ++c)
            widest = std::max(widest, metrics.horizontalAdvance(text(c, r)));
    return widest > 0 ? widest + kMargins : 0;
}

void DashGrid::setRowHeight(int height) {
    verticalHeader()->setDefaultSectionSize(height);
    for (int r = 0; r < rowCount(); ++r)
        QTableWidget::setRowHeight(r, height);
    updateGeometry();
}

void DashGrid::setCellEditable(int column, int row, bool editable) {
    auto* it = cell(column, row);
    if (!it)
        return;
    Qt::ItemFlags flags = it->flags();
    flags.setFlag(Qt::ItemIsEditable, editable);
    it->setFlags(flags);
}

bool DashGrid::cellEditable(int column, int row) const {
    auto* it = cell(column, row);
    return it && it->flags().testFlag(Qt::ItemIsEditable);
}

QSize DashGrid::contentSize() const {
    int width = neededFirst_ + std::max(0, columnCount() - 1) * neededOthers_;
    int height = 0;
    for (int r = 0; r < rowCount(); ++r)
        height += rowHeight(r);
    int frame = 2 * frameWidth();
    return QSize(width + frame, height + frame);
}

QSize DashGrid::sizeHint() const {
    return contentSize();
}

QSize DashGrid::minimumSizeHint() const {
    return QSize(neededFirst_ + kNarrowestColumn, std::min(contentSize().height(), 120));
}

void DashGrid::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    fitColumns();
}

void DashGrid::fitColumns() {
    takeAskedFont();
    int others = std::max(0, columnCount() - 1);
    int available = viewport()->width();
    // The font asked for, made smaller step by step while the texts would be cut in the columns
    // the window leaves (a 1360 x 768 screen has no room for the widths asked for a 1920 one).
    QFont candidate = baseFont_;
    int first = 0;
    int width = 0;
    for (;;) {
        int textFirst = widestText(0, 0, candidate);
        int textOthers = widestText(1, columnCount() - 1, candidate);
        first = std::max(firstWidth_, textFirst);
        width = std::max(defaultWidth_, textOthers);
        if (others > 0 && first + others * width > available) {
            // First the widths that were specified, then what is left shared by the other columns.
            first = std::min(first, std::max(firstWidth_, available - others * defaultWidth_));
            width = std::max(kNarrowestColumn, std::min(width, (available - first) / others));
        }
        if ((textFirst <= first && textOthers <= width) || !smallerFont(candidate))
            break;
    }
    if (candidate != font()) {
        chosenFont_ = candidate;
        setFont(candidate);
    }
    if (columnCount() > 0)
        setColumnWidth(0, first);
    for (int c = 1; c < columnCount(); ++c)
        setColumnWidth(c, width);
}

bool DashGrid::smallerFont(QFont& font) {
    constexpr int kSmallestPoints = 7;
    constexpr int kSmallestPixels = 10;
    if (font.pixelSize() > 0) {
        if (font.pixelSize() <= kSmallestPixels)
            return false;
        font.setPixelSize(font.pixelSize() - 1);
        return true;
    }
    if (font.pointSize() <= kSmallestPoints)
        return false;
    font.setPointSize(font.pointSize() - 1);
    return true;
}

} // namespace pinstage
