// The contest's rules without windows: where the pointer stops on each key of the on-screen
// keyboard, what a key press asks for, the photo's file name, the name's 20-character limit, and
// the contest's flags with the start button's swallowed press.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pinstage {

// Positions (x, y) of the pointer on the keys: rows 0-2 with 14, row 3 with 13, row 4 with 2.
using KeyPositionTable = std::array<std::array<std::array<int32_t, 2>, 14>, 5>;

// The table from the keyboard control's left edge and bottom (top + height), in screen pixels.
KeyPositionTable contestKeyPositions(int32_t left, int32_t bottom);

// The pointer rests on "Entrée" when the windows appear.
constexpr int kEnterKeyRow = 3;
constexpr int kEnterKeyColumn = 12;

// What a press asks for, from the keyboard's Buffer read as a number (20 when it is not one).
enum class ContestKey {
    Photo,       // 10
    BackSpace,   // 11
    ClearAll,    // 12
    Space,       // 13
    NextLine,    // 14
    Internet,    // 15
    Help,        // 16
    Info,        // 17
    Shift,       // 18
    RetakePhoto, // 19
    Character,   // anything else: the caption's first character
};
int contestKeyCode(std::string_view buffer);
ContestKey contestKeyOf(int code);

// "dd/mm/yyyy hh:mm:ss" -> "ddmmyyyyhhnnss": the characters at 3, 5, 9, 11 and 13 (from 1, each on
// the previous result) deleted. Text too short to hold them is returned with what could be deleted.
std::string photoStamp(std::string_view dateText);
// "Joueur-" + (player - 1) + "_" + stamp + ".bmp".
std::string contestPhotoName(int player, std::string_view dateText);

constexpr int kNameMaxCharacters = 20;
// Characters (not bytes) of a UTF-8 text.
int utf8CharacterCount(std::string_view utf8);
// The name as stored: Windows-1252, characters outside it as "?", at most 20 characters.
std::string storedContestName(std::string_view utf8);

// A character key to inject: the character and whether Shift is held around it (the captions
// follow a QWERTY face: upper-case letters and the shifted symbols need it).
struct KeyStroke {
    char32_t character = 0;
    bool shift = false;
};
// The first character of a caption; character 0 when the caption is empty.
KeyStroke strokeForCaption(std::string_view utf8Caption);

// The contest's flags for one player.
struct ContestFlow {
    bool active = false;
    bool finished = false;
    bool windowsPrepared = false;
    bool photoMode = false;
    bool instructionsShown = false;
    bool ignoreNextStart = false;
    bool pointerShown = false;
    int player = 0;
};

// A start press during the contest: swallowed (the first after the windows appear), a click at the
// pointer, or nothing once the contest is finished (the game flow then closes it).
enum class StartPress { Swallowed, Click, Ignored };
StartPress contestStartPress(ContestFlow& f);

} // namespace pinstage
