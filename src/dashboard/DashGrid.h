// A string grid addressed as (column, row) with fixed title cells, per-cell colours, and column
// widths that shrink to the window when the specified widths do not fit.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QTableWidget>

namespace pinstage {

class DashGrid : public QTableWidget {
    Q_OBJECT
public:
    DashGrid(int columns, int rows, int fixedColumns, int fixedRows, QWidget* parent = nullptr);

    int fixedColumns() const { return fixedColumns_; }
    int fixedRows() const { return fixedRows_; }
    bool isFixed(int column, int row) const { return column < fixedColumns_ || row < fixedRows_; }

    // Nullptr outside the grid.
    QTableWidgetItem* cell(int column, int row) const;
    QString text(int column, int row) const;
    void setText(int column, int row, const QString& text);
    QColor background(int column, int row) const;
    QColor foreground(int column, int row) const;
    // Background, with the text colour chosen to stay readable unless one is given.
    void paint(int column, int row, const QColor& background, const QColor& foreground = QColor());
    void paintFixedCells(const QColor& background, const QColor& foreground = QColor());
    void paintMovableCells(const QColor& background, const QColor& foreground = QColor());

    // Specified widths: column 0 and every other column. A column is widened where its texts
    // would be cut and the window has room, and the other columns share the window when even the
    // specified widths do not fit; the font then gets smaller until the texts fit (down to a
    // smallest readable size).
    void setColumnWidths(int firstWidth, int defaultWidth);
    // Widths again after the texts changed.
    void refit();
    void setRowHeight(int height);
    // Lets the operator edit the movable cells for which editable says so, none when it is empty.
    template <class Pred> void setEditableWhere(Pred editable) {
        for (int r = 0; r < rowCount(); ++r)
            for (int c = 0; c < columnCount(); ++c)
                setCellEditable(c, r, !isFixed(c, r) && editable(c, r));
    }
    void setCellEditable(int column, int row, bool editable);
    bool cellEditable(int column, int row) const;

    // Width and height the grid needs to show every cell without scrolling.
    QSize contentSize() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitColumns();
    void takeAskedFont();
    // The widest text of the columns from first to last in font, with the cell margins.
    int widestText(int firstColumn, int lastColumn, const QFont& font) const;
    // One step smaller; false at the smallest readable size.
    static bool smallerFont(QFont& font);

    int fixedColumns_;
    int fixedRows_;
    QFont baseFont_;   // the font asked for
    QFont chosenFont_; // the font fitColumns chose last
    int firstWidth_ = 64;
    int defaultWidth_ = 64;
    // What the texts need, at least the specified widths.
    int neededFirst_ = 64;
    int neededOthers_ = 64;
};

} // namespace pinstage
