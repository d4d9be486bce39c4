// The backglass editor's grid: 14 columns x 91 rows (two title rows, then one row per element
// 0-88), what each cell shows, which cells the operator may type in and what a typed text does.
// Plain C++: the page widget only relays texts.
#pragma once

#include "config/FrontonParams.h"

#include <string>
#include <string_view>

namespace pinstage {

constexpr int kFrontonGridColumns = 14;
constexpr int kFrontonGridTitleRows = 2;
constexpr int kFrontonGridRows = kFrontonGridTitleRows + kFrontonElementCount; // 91

namespace fronton_col {
constexpr int kNumber = 0;
constexpr int kChooser = 1;
constexpr int kSourceLeft = 2;
constexpr int kSourceBottom = 5;
constexpr int kLabel = 6;
constexpr int kPicture = 7;
constexpr int kDisplayLeft = 8;
constexpr int kDisplayBottom = 11;
constexpr int kLayer = 12;
constexpr int kParent = 13;
} // namespace fronton_col

// Typed layers and parents are element numbers; anything beyond is refused.
constexpr int kHighestLayer = kFrontonElementCount - 1;

// The element of a grid row, -1 for the title rows and outside the grid.
int frontonElementOfRow(int row);
// Title texts (UTF-8) of rows 0 and 1.
const char* frontonGridTitle(int column, int row);
// What a cell of an element row shows (UTF-8).
std::string frontonCellText(const FrontonRecord& layout, int column, int row);

// Elements whose picture number or place follow the first member of their counter or digit row.
bool followsPictureOfGroup(int element); // reels other than a counter's units, record digits 69-73
bool followsPlaceOfGroup(int element);   // those, plus the credit tens reel and record digit 74
// The first element of the counter or record-digit group an element belongs to, -1 when none.
int groupFirstElement(int element);
// True for the element rows whose picture can be chosen (the picture list, 0-50).
bool isPictureRow(int row);
bool frontonCellEditable(int column, int row);

enum class CellOutcome {
    Stored,     // the field took the value; the cell shows it as stored
    Emptied,    // refused: the cell is emptied and the field keeps its value
    Cleared,    // picture number out of the list: cell and picture number both emptied
    NotANumber, // not a number: the operator is told, the cell and the field keep the old value
    ReadOnly,   // not a cell the operator may change
};
struct CellEdit {
    CellOutcome outcome;
    std::string shown; // what the cell shows afterwards (UTF-8)
};
// Applies a typed text (UTF-8) to the layout.
CellEdit applyFrontonCell(FrontonRecord& layout, int column, int row, std::string_view typed);

} // namespace pinstage
