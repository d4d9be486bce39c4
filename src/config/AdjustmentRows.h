// The adjustments by settings-grid row (1-30): value as text, the typing rule of the grid, the
// validation against the limit tables, and the meanings the game flow reads.
#pragma once

#include "config/AdjustmentsRecord.h"

#include <optional>
#include <string>
#include <string_view>

namespace pinstage {

enum class AdjustmentKind { U16, U32, Text };

struct AdjustmentRowInfo {
    size_t offset; // in the file
    AdjustmentKind kind;
    size_t size;      // bytes of the field
    size_t maxDigits; // numeric rows: longest text the grid takes while typing
};

// nullopt outside rows 1-30.
std::optional<AdjustmentRowInfo> adjustmentRow(int row);

// The value of a row as the grid shows it: numbers in unsigned decimal, texts as stored (UTF-8).
// Empty outside rows 1-30.
std::string adjustmentText(const AdjustmentsRecord& r, int row);

// The grid's typing rule: numeric rows take 1 to maxDigits decimal digits; row 20 takes exactly
// "partie gratuite" or "bille suplémentaire"; the yes/no rows exactly "oui" or "non". A text
// taken is stored at once and true returned; otherwise the record is unchanged and false returned.
bool setAdjustmentFromText(AdjustmentsRecord& r, int row, std::string_view utf8);

// Stores a value without the typing rule (defaults, tools): numbers decimal or "0x" hex, texts
// cut to their slot. False when a number does not parse or the row does not exist.
bool storeAdjustment(AdjustmentsRecord& r, int row, std::string_view utf8);

// The settings page's check of one cell against the limit tables: nullopt when valid, else the
// error text (label + "\n ne doit pas être vide ", "\n doit être inférieur à " + max, ...).
std::optional<std::string> adjustmentError(int row, std::string_view cellUtf8);

// The yes/no options, by their row.
enum class AdjustmentOption {
    Lottery = 19,
    FreePlay = 22,
    PhotoAtGameOver = 23,
    RankingPhotos = 24,
    InternetAds = 25,
    Kiosk = 26,
    Videos = 27,
    Posters = 28,
    NameEntry = 29,
    StartupChoice = 30,
};

// True when the option's slot holds exactly "oui".
bool optionIsYes(const AdjustmentsRecord& r, AdjustmentOption option);
void setOption(AdjustmentsRecord& r, AdjustmentOption option, bool yes);
// The start-up override: the eight media and choice options set to "non" in memory (free play
// and the lottery keep their stored values).
void forceOptionalFeaturesOff(AdjustmentsRecord& r);
// The slots of those eight options copied from stored into r, byte for byte; the rest of r stays.
void copyOverriddenOptions(AdjustmentsRecord& r, const AdjustmentsRecord& stored);

// Balls per game; a stored 0 reads as 1 so that a game always ends.
int ballsPerGame(const AdjustmentsRecord& r);
// Free-game score threshold 0-2 (0 = threshold off); 0 for any other index.
uint32_t freeGameScore(const AdjustmentsRecord& r, int index);
// True when a reached score gives a free game: the first 15 characters are "partie gratuite".
bool awardIsFreeGame(const AdjustmentsRecord& r);

} // namespace pinstage
