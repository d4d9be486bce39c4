// Page 0: the switch matrix (strobes x returns) and the direct switches, with their names; in test
// mode the switch scan paints it through the ContactGridObserver hook.
#pragma once

#include "board/ContactGridObserver.h"
#include "dashboard/PlayfieldPage.h"

namespace pinstage {

class ContactsPage final : public PlayfieldPage, public ContactGridObserver {
    Q_OBJECT
public:
    explicit ContactsPage(Machine& machine, QWidget* parent = nullptr);

    // Every matrix cell green with its name, the corner blue, the direct-switch rows refreshed.
    void pageShown() override;
    // Whether this page is the one on show in the dashboard (set by the dashboard).
    void setOnShow(bool onShow) { onShow_ = onShow; }

    // ContactGridObserver: the scan paints the grid only while it shows the test mode.
    bool contactGridShown() const override;
    void paintContactCell(int column, int row, GridColour colour, int contact) override;

protected:
    void fill() override;
    void applyEdit(int column, int row, const QString& text) override;
    void testClick(int, int) override {}
    bool cellEditable(int column, int row) const override;

private:
    QString contactName(int contact) const;

    bool onShow_ = false;
};

} // namespace pinstage
