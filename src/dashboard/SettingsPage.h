// Page 5: the adjustments of the configuration in use, one row per adjustment. A value typed in a
// cell is stored in the record at once when its row takes it; the save validates every row
// against the limit tables first.
#pragma once

#include "dashboard/DashGrid.h"

#include <QWidget>

namespace pinstage {

struct Machine;
class DashboardUi;

// Rows of the grid after the title row: the 22 adjustments, or all 30 with the media options.
constexpr int kSettingsRowsPlain = 22;
constexpr int kSettingsRowsWithMedia = 30;

class SettingsPage final : public QWidget {
    Q_OBJECT
public:
    SettingsPage(Machine& machine, DashboardUi& ui, bool mediaOptions, QWidget* parent = nullptr);

    DashGrid* grid() const { return grid_; }
    // The last adjustment row shown and checked.
    int lastRow() const { return lastRow_; }

    // After the password: the numbered "Réglages.fli" read into the record, then the grid.
    void fillFromFile();
    // After a failed save: the grid from the record in memory.
    void fillFromRecord();
    // Rows 1 to lastRow() in order; the first wrong cell is painted red and reported in a
    // "Valeur Incorrecte" box. True when every row is valid.
    bool validate();
    // "Enregistrer": validate, then save the record; a failed validation refills the grid.
    // Returns true when the file was written.
    bool save();

private:
    void cellChanged(QTableWidgetItem* item);
    void clearMarks();

    Machine& m_;
    DashboardUi& ui_;
    DashGrid* grid_;
    int lastRow_;
    bool filling_ = false;
};

} // namespace pinstage
