// Cell texts and typing rules of the backglass editor's grid.
#include "dashboard/FrontonGridRules.h"

#include "dashboard/GridMapping.h"

#include <array>
#include <charconv>
#include <optional>

namespace pinstage {

namespace {

using namespace fronton_col;

constexpr std::array<const char*, kFrontonGridColumns> kTitles0 = {
    "Numéro",         "Aperçu",    "Source",    "Source",    "Source",    "Source", "",
    "N°d'image pour", "Affichage", "Affichage", "Affichage", "Affichage", "N° de",  "N° Image"};
constexpr std::array<const char*, kFrontonGridColumns> kTitles1 = {
    "d'image",        "Paramétrage", "gauche", "droite", "haut", "bas",    "Fonction de l'image",
    "cette fonction", "gauche",      "droite", "haut",   "bas",  "calque", "Parent"};

int32_t* sourceField(FrontonElement& e, int column) {
    std::array<int32_t*, 4> f = {&e.sourceLeft, &e.sourceRight, &e.sourceTop, &e.sourceBottom};
    return f[size_t(column - kSourceLeft)];
}
int32_t* displayField(FrontonElement& e, int column) {
    std::array<int32_t*, 4> f = {&e.displayLeft, &e.displayRight, &e.displayTop, &e.displayBottom};
    return f[size_t(column - kDisplayLeft)];
}
int32_t* numberField(FrontonElement& e, int column) {
    if (column >= kSourceLeft && column <= kSourceBottom)
        return sourceField(e, column);
    if (column >= kDisplayLeft && column <= kDisplayBottom)
        return displayField(e, column);
    if (column == kLayer)
        return &e.layer;
    if (column == kParent)
        return &e.parent;
    return nullptr;
}

std::string_view trimmed(std::string_view t) {
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    return t;
}

// A whole decimal number with an optional sign; nullopt for anything else.
std::optional<long> parseNumber(std::string_view t) {
    t = trimmed(t);
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    long value = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size())
        return std::nullopt;
    return value;
}

bool between(int e, int first, int last) {
    return e >= first && e <= last;
}

} // namespace

int frontonElementOfRow(int row) {
    int e = row - kFrontonGridTitleRows;
    return (e >= 0 && e < kFrontonElementCount) ? e : -1;
}

const char* frontonGridTitle(int column, int row) {
    if (column < 0 || column >= kFrontonGridColumns || row < 0 || row >= kFrontonGridTitleRows)
        return "";
    return row == 0 ? kTitles0[size_t(column)] : kTitles1[size_t(column)];
}

std::string frontonCellText(const FrontonRecord& layout, int column, int row) {
    int e = frontonElementOfRow(row);
    if (e < 0)
        return frontonGridTitle(column, row);
    FrontonElement el = layout.elements[size_t(e)];
    switch (column) {
    case kNumber:
        return std::to_string(e);
    case kChooser:
        return e < kFrontonPictureCount ? el.pictureFile.utf8() : std::string();
    case kLabel:
        return el.functionLabel.utf8();
    case kPicture:
        return el.pictureNumber.utf8();
    default:
        if (int32_t* field = numberField(el, column))
            return std::to_string(*field);
        return {};
    }
}

bool followsPictureOfGroup(int e) {
    return between(e, 3, 8) || between(e, 10, 15) || between(e, 17, 22) || between(e, 24, 29) ||
           between(e, 69, 73);
}

bool followsPlaceOfGroup(int e) {
    return followsPictureOfGroup(e) || e == 31 || e == 74;
}

int groupFirstElement(int e) {
    for (size_t c = 0; c < element::kCounterFirstReels.size(); ++c) {
        int first = element::kCounterFirstReels[c];
        if (e >= first && e < first + element::kCounterReelCounts[c])
            return first;
    }
    if (e >= element::kRecordMillions && e < element::kRecordMillions + element::kRecordDigits)
        return element::kRecordMillions;
    return -1;
}

bool isPictureRow(int row) {
    int e = frontonElementOfRow(row);
    return e >= 0 && e < kFrontonPictureCount;
}

bool frontonCellEditable(int column, int row) {
    int e = frontonElementOfRow(row);
    if (e < 0)
        return false;
    if (column >= kSourceLeft && column <= kSourceBottom)
        return e < kFrontonPictureCount;
    if (column == kPicture)
        return !followsPictureOfGroup(e);
    if (column >= kDisplayLeft && column <= kDisplayBottom)
        return !followsPlaceOfGroup(e);
    return column == kLayer || column == kParent;
}

CellEdit applyFrontonCell(FrontonRecord& layout, int column, int row, std::string_view typed) {
    if (!frontonCellEditable(column, row))
        return {CellOutcome::ReadOnly, frontonCellText(layout, column, row)};
    FrontonElement& e = layout.elements[size_t(frontonElementOfRow(row))];
    const int longest = (column == kPicture || column == kLayer || column == kParent) ? 2 : 4;
    const int length = characterCount(typed);
    const bool refused = typed.empty() || length > longest;
    std::optional<long> value = refused ? std::nullopt : parseNumber(typed);
    if (!refused && !value)
        return {CellOutcome::NotANumber, frontonCellText(layout, column, row)};

    if (column == kPicture) {
        if (refused || *value < 0 || *value >= kFrontonPictureCount) {
            e.pictureNumber.setCp1252("");
            return {CellOutcome::Cleared, ""};
        }
        e.pictureNumber.setCp1252(std::to_string(*value));
        return {CellOutcome::Stored, std::to_string(*value)};
    }
    const long highest = (column == kLayer || column == kParent) ? kHighestLayer : 9999;
    if (refused || *value < 0 || *value > highest)
        return {CellOutcome::Emptied, ""};
    *numberField(e, column) = int32_t(*value);
    return {CellOutcome::Stored, std::to_string(*value)};
}

} // namespace pinstage
