// Page 6: the accounting statistics, read only, read from the numbered "Comptabilite.fli" each
// time the page is shown.
#pragma once

#include "config/AccountingRecord.h"
#include "dashboard/DashGrid.h"

#include <QWidget>

namespace pinstage {

struct Machine;

constexpr int kAccountingGridRows = 43;

class AccountingPage final : public QWidget {
    Q_OBJECT
public:
    explicit AccountingPage(Machine& machine, QWidget* parent = nullptr);

    DashGrid* grid() const { return grid_; }
    // Reads the file and shows it. The file is read into a record of the page's own: the machine's
    // record keeps the counts the game made since the last credit change, which the file lacks.
    // A file that cannot be read leaves the values empty and raises its message.
    void pageShown();
    const AccountingRecord& shownRecord() const { return shown_; }

private:
    void fillValues(bool known);

    Machine& m_;
    DashGrid* grid_;
    AccountingRecord shown_{};
};

} // namespace pinstage
