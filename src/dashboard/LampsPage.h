// Page 2: the lamp matrix (one grid column per lamp byte) with the lamp names; in test mode a
// click switches the named lamp on or off.
#pragma once

#include "dashboard/PlayfieldPage.h"

namespace pinstage {

class LampsPage final : public PlayfieldPage {
    Q_OBJECT
public:
    explicit LampsPage(Machine& machine, QWidget* parent = nullptr);

protected:
    void fill() override;
    void applyEdit(int column, int row, const QString& text) override;
    void testClick(int column, int row) override;
    bool cellEditable(int column, int row) const override;

private:
    void paintLamp(int column, int row);
};

} // namespace pinstage
