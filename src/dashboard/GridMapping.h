// Where each contact, coil and lamp sits in the dashboard's playfield grids (column, row as the
// grids count them, fixed row and column included), and the length rules of their names.
#pragma once

#include <string_view>

namespace pinstage {

constexpr int kNoCell = -1;

// Contacts grid: 9 columns x 11 rows; row 9 names the direct switches, row 10 shows their levels.
constexpr int kContactGridColumns = 9;
constexpr int kContactGridRows = 11;
// Coils grid: 9 columns x 4 rows (ports 3-5 by bits 0-7).
constexpr int kCoilGridColumns = 9;
constexpr int kCoilGridRows = 4;
// Lamps grid: 9 columns x 9 rows, one grid column per lamp byte.
constexpr int kLampGridColumns = 9;
constexpr int kLampGridRows = 9;

// The contact of a cell: matrix cells give 8 x (column - 1) + row - 1, the direct-switch name row
// 63 + column; kNoCell elsewhere.
int contactOfCell(int column, int row);
// Cells the operator may rename: the matrix and the direct-switch names, except the two inputs
// that are not wired (contacts 66 and 67).
bool contactCellEditable(int column, int row);

// 8 x (row - 1) + column - 1 for rows 1-3, columns 1-8; kNoCell elsewhere.
int coilOfCell(int column, int row);
// 8 x (column - 1) + row - 1 for rows and columns 1-8; kNoCell elsewhere.
int lampOfCell(int column, int row);

// Name rules of the edition mode, counted in characters (each one byte in the files):
// a contact takes fewer than 25, a coil 1 to 25, a lamp 1 to 24.
bool contactNameAccepted(std::string_view utf8);
bool coilNameAccepted(std::string_view utf8);
bool lampNameAccepted(std::string_view utf8);

// Characters of a UTF-8 text (continuation bytes not counted).
int characterCount(std::string_view utf8);

} // namespace pinstage
