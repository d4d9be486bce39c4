// The contest's rules without windows.
#include "players/ContestRules.h"

#include "platform/Cp1252.h"

#include <charconv>

namespace pinstage {

KeyPositionTable contestKeyPositions(int32_t left, int32_t bottom) {
    KeyPositionTable t{};
    const int32_t x0 = left + 15;
    const std::array<int32_t, 5> rise = {175, 139, 103, 67, 31};
    const std::array<std::array<int32_t, 3>, 4> tails = {
        {{452, 554, -1}, {448, 542, -1}, {428, 487, -1}, {351, 394, 445}}};
    for (int r = 0; r < 4; ++r) {
        const int32_t y = bottom - rise[size_t(r)];
        const int letters = r == 3 ? 10 : 12;
        int c = 0;
        for (; c < letters; ++c)
            t[size_t(r)][size_t(c)] = {x0 + 34 * c, y};
        for (int32_t dx : tails[size_t(r)])
            if (dx >= 0)
                t[size_t(r)][size_t(c++)] = {x0 + dx, y};
    }
    t[4][0] = {left + 250, bottom - 31};
    t[4][1] = {left + 560, bottom - 31};
    return t;
}

int contestKeyCode(std::string_view buffer) {
    int value = 0;
    auto [end, ec] = std::from_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (buffer.empty() || ec != std::errc() || end != buffer.data() + buffer.size())
        return 20;
    return value;
}

ContestKey contestKeyOf(int code) {
    if (code < 10 || code > 19)
        return ContestKey::Character;
    return ContestKey(code - 10);
}

std::string photoStamp(std::string_view dateText) {
    std::string s(dateText);
    for (size_t pos : {3u, 5u, 9u, 11u, 13u})
        if (s.size() >= pos)
            s.erase(pos - 1, 1);
    return s;
}

std::string contestPhotoName(int player, std::string_view dateText) {
    return "Joueur-" + std::to_string(player - 1) + "_" + photoStamp(dateText) + ".bmp";
}

namespace {

// Length of the UTF-8 sequence starting with byte b (1 for a stray byte).
size_t sequenceLength(unsigned char b) {
    if (b >= 0xF0 && b < 0xF8)
        return 4;
    if (b >= 0xE0)
        return b < 0xF0 ? 3 : 1;
    if (b >= 0xC0)
        return 2;
    return 1;
}

} // namespace

int utf8CharacterCount(std::string_view utf8) {
    int n = 0;
    for (size_t i = 0; i < utf8.size(); ++n)
        i += sequenceLength(static_cast<unsigned char>(utf8[i]));
    return n;
}

std::string storedContestName(std::string_view utf8) {
    size_t i = 0;
    for (int n = 0; i < utf8.size() && n < kNameMaxCharacters; ++n)
        i += sequenceLength(static_cast<unsigned char>(utf8[i]));
    return utf8ToCp1252(utf8.substr(0, std::min(i, utf8.size())));
}

KeyStroke strokeForCaption(std::string_view utf8Caption) {
    KeyStroke k;
    if (utf8Caption.empty())
        return k;
    const auto b = static_cast<unsigned char>(utf8Caption[0]);
    const size_t len = std::min(sequenceLength(b), utf8Caption.size());
    if (len == 1) {
        k.character = b;
    } else {
        // Decoded through Windows-1252 and back, a lone character keeps its code point.
        const std::string cp = utf8ToCp1252(utf8Caption.substr(0, len));
        const std::string back = cp1252ToUtf8(cp);
        char32_t c = static_cast<unsigned char>(back[0]) & (0xFF >> (back.size() + 1));
        for (size_t j = 1; j < back.size(); ++j)
            c = (c << 6) | (static_cast<unsigned char>(back[j]) & 0x3F);
        k.character = c;
    }
    constexpr std::string_view shifted = ")!@#$%^&*(_+|:\"{}<>?~";
    k.shift = (k.character >= 'A' && k.character <= 'Z') ||
              (k.character < 128 && shifted.find(char(k.character)) != std::string_view::npos);
    return k;
}

StartPress contestStartPress(ContestFlow& f) {
    if (!f.active || f.finished)
        return StartPress::Ignored;
    if (f.ignoreNextStart) {
        f.ignoreNextStart = false;
        return StartPress::Swallowed;
    }
    return StartPress::Click;
}

} // namespace pinstage
