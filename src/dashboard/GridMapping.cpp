// Cell-to-output mapping and name rules of the playfield grids.
#include "dashboard/GridMapping.h"

namespace pinstage {

namespace {
bool inMatrix(int column, int row) {
    return column >= 1 && column <= 8 && row >= 1 && row <= 8;
}
constexpr int kDirectNameRow = 9;
} // namespace

int contactOfCell(int column, int row) {
    if (inMatrix(column, row))
        return 8 * (column - 1) + row - 1;
    if (row == kDirectNameRow && column >= 1 && column <= 8)
        return 63 + column;
    return kNoCell;
}

bool contactCellEditable(int column, int row) {
    int contact = contactOfCell(column, row);
    return contact != kNoCell && contact != 66 && contact != 67;
}

int coilOfCell(int column, int row) {
    if (column < 1 || column > 8 || row < 1 || row > 3)
        return kNoCell;
    return 8 * (row - 1) + column - 1;
}

int lampOfCell(int column, int row) {
    if (!inMatrix(column, row))
        return kNoCell;
    return 8 * (column - 1) + row - 1;
}

int characterCount(std::string_view utf8) {
    int n = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

bool contactNameAccepted(std::string_view utf8) {
    return characterCount(utf8) < 25;
}

bool coilNameAccepted(std::string_view utf8) {
    int n = characterCount(utf8);
    return n >= 1 && n <= 25;
}

bool lampNameAccepted(std::string_view utf8) {
    int n = characterCount(utf8);
    return n >= 1 && n <= 24;
}

} // namespace pinstage
