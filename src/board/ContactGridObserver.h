// The dashboard's contact test grid as the switch scan sees it: shown or not, and cells to paint.
#pragma once

#include <cstdint>

namespace pinstage {

struct GridColour {
    uint8_t red, green, blue;
    friend bool operator==(const GridColour&, const GridColour&) = default;
};

inline constexpr GridColour kGridBlue{0, 0, 255};
inline constexpr GridColour kGridGreen{0, 128, 0};
inline constexpr GridColour kGridYellow{255, 255, 0};

// Row of the direct-switch names and row of their levels in the grid.
constexpr int kGridDirectNameRow = 9;
constexpr int kGridDirectStateRow = 10;
constexpr int kNoContactName = -1;

class ContactGridObserver {
public:
    virtual ~ContactGridObserver() = default;
    // True while the contacts page is on show; the scan then paints and consumes the events.
    virtual bool contactGridShown() const = 0;
    // Paints cell (column, row) and writes in it the built-in name of the contact, or leaves its text
    // alone when contact is kNoContactName.
    virtual void paintContactCell(int column, int row, GridColour colour, int contact) = 0;
};

} // namespace pinstage
