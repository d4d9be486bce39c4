// Page 1: the three coil ports (ports x bits) with the coil names; in test mode a click pulses an
// auto-release coil (with a short red flash of its cell) or holds and releases any other.
#pragma once

#include "dashboard/PlayfieldPage.h"

namespace pinstage {

// How long a pulsed coil's cell stays red.
constexpr int kCoilFlashMs = 100;

class CoilsPage final : public PlayfieldPage {
    Q_OBJECT
public:
    explicit CoilsPage(Machine& machine, QWidget* parent = nullptr);

protected:
    void fill() override;
    void applyEdit(int column, int row, const QString& text) override;
    void testClick(int column, int row) override;
    bool cellEditable(int column, int row) const override;

private:
    // The cell in the colour of the coil's state: held on, or at rest.
    void paintCoil(int column, int row);
};

} // namespace pinstage
