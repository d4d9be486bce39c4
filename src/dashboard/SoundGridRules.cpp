// The sounds grid's rows and typing rules.
#include "dashboard/SoundGridRules.h"

#include "config/SoundsRecord.h"
#include "dashboard/GridMapping.h"
#include "platform/Cp1252.h"

#include <cctype>

namespace pinstage {

namespace {
std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}
} // namespace

int soundEntryOfRow(int row) {
    return (row >= 1 && row < kSoundGridRows) ? row - 1 : -1;
}

int testSoundOfRow(int row) {
    return (row >= 1 && row <= kSoundCount) ? row - 1 : -1;
}

TypedSoundNumber typedSoundNumber(std::string_view text) {
    std::string_view t = trimmed(text);
    if (t.empty())
        return {TypedSoundNumber::Silenced, kNoSound};
    // A whole number: an optional sign, then digits only.
    std::string_view digits = t;
    bool negative = false;
    if (digits.front() == '-' || digits.front() == '+') {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty())
        return {TypedSoundNumber::NotANumber, 0};
    for (char c : digits)
        if (c < '0' || c > '9')
            return {TypedSoundNumber::NotANumber, 0};
    // The cell takes two characters: anything longer silences the function, as do numbers
    // outside the 64 sounds.
    if (t.size() > 2 || negative)
        return {TypedSoundNumber::Silenced, kNoSound};
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    if (value >= kSoundCount)
        return {TypedSoundNumber::Silenced, kNoSound};
    return {TypedSoundNumber::Accepted, value};
}

bool typedSoundFileAccepted(std::string_view utf8) {
    int n = characterCount(utf8);
    return n >= 1 && n <= kTypedSoundFileMax;
}

std::string bareFileName(std::string_view path) {
    size_t cut = path.find_last_of("\\/");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string chosenSoundFileProblem(std::string_view bareUtf8) {
    if (characterCount(bareUtf8) > kChosenSoundFileMax)
        return "Le nom du fichier " + std::string(bareUtf8) +
               " est trop long : " + std::to_string(kChosenSoundFileMax) + " caractères au plus.";
    if (cp1252ToUtf8(utf8ToCp1252(bareUtf8)) != bareUtf8)
        return "Le nom du fichier " + std::string(bareUtf8) +
               " contient des caractères qui ne peuvent pas être enregistrés.";
    return {};
}

} // namespace pinstage
