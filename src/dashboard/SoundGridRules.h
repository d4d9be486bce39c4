// Where the sounds grid keeps each sound and game function, and what a typed or chosen text does
// to the sound table: file names, sound numbers. Plain C++, no Qt.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pinstage {

// 5 columns x 96 rows: the title row, then one row per stored entry of the sound table.
constexpr int kSoundGridColumns = 5;
constexpr int kSoundGridRows = 96;
constexpr int kSoundNumberColumn = 0;
constexpr int kSoundFileColumn = 1;
constexpr int kSoundTestColumn = 2;
constexpr int kSoundLabelColumn = 3;
constexpr int kFunctionSoundColumn = 4;

// A typed file name holds 1 to 20 characters; a chosen one at most what its slot holds.
constexpr int kTypedSoundFileMax = 20;
constexpr int kChosenSoundFileMax = 24;

// The sound-table entry a grid row shows (row - 1), or -1 outside rows 1-95.
int soundEntryOfRow(int row);
// The sound (0-63) whose file, chooser and TEST button a row carries (rows 1-64), or -1.
int testSoundOfRow(int row);

// A sound number typed for a game function.
struct TypedSoundNumber {
    enum Kind {
        Accepted,  // 0-63: the function plays that sound
        Silenced,  // empty, longer than 2 characters, negative or above 63: 255, the cell emptied
        NotANumber // the record keeps its number
    };
    Kind kind;
    int32_t value; // the number to store (Accepted, Silenced)
};
TypedSoundNumber typedSoundNumber(std::string_view text);

// A typed file name is taken when it holds 1 to 20 characters.
bool typedSoundFileAccepted(std::string_view utf8);

// The bare name of a chosen path: what follows its last '\' or '/'.
std::string bareFileName(std::string_view path);

// Why a chosen file name cannot be stored in the table (French), or empty when it can: longer
// than its slot, or holding characters the file's code page cannot write.
std::string chosenSoundFileProblem(std::string_view bareUtf8);

} // namespace pinstage
