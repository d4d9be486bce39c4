// What the contacts, coils and lamps pages share: a grid laid out like the hardware, the mode
// button ("Mode Test" / "Mode édition") with the page's own mode flag, and the edition of names.
#pragma once

#include "dashboard/DashGrid.h"

#include <QWidget>

class QPushButton;

namespace pinstage {

struct Machine;

class PlayfieldPage : public QWidget {
    Q_OBJECT
public:
    PlayfieldPage(Machine& machine, DashGrid* grid, QWidget* parent = nullptr);

    // Mode flag: false = test (cells locked, clicks drive the board), true = edition.
    bool editing() const { return editing_; }
    DashGrid* grid() const { return grid_; }
    QPushButton* modeButton() const { return modeButton_; }

    // The page comes on show: every output off, test mode, grid filled from the records.
    virtual void pageShown();
    // The mode button: test -> edition; edition -> test with the grid refilled from the records,
    // so that a rejected edit disappears.
    void toggleMode();

protected:
    // Titles and names from the records.
    virtual void fill() = 0;
    // A text the operator committed in a cell in edition mode.
    virtual void applyEdit(int column, int row, const QString& text) = 0;
    // A click in test mode on a movable cell.
    virtual void testClick(int column, int row) = 0;
    virtual bool cellEditable(int column, int row) const = 0;
    // Called once the mode flag changed.
    virtual void modeChanged() {}

    void resetAllOutputs();
    // Writes cells without their change being taken as an edit.
    class Filling {
    public:
        explicit Filling(PlayfieldPage& page) : page_(page), was_(page.filling_) { page_.filling_ = true; }
        ~Filling() { page_.filling_ = was_; }
        Filling(const Filling&) = delete;
        Filling& operator=(const Filling&) = delete;

    private:
        PlayfieldPage& page_;
        bool was_;
    };

    Machine& m_;
    DashGrid* grid_;

private:
    void setMode(bool editing);
    void cellChanged(QTableWidgetItem* item);
    void cellClicked(int row, int column);

    QPushButton* modeButton_;
    bool editing_ = false;
    bool filling_ = false;
};

} // namespace pinstage
