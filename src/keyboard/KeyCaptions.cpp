// The four caption tables of the keyboard, indexed by TVKButton.
#include "clavpack/Claviervirtuel.h"

namespace pinstage {

namespace {

constexpr int CharacterKeys = vkbBackSlash + 1; // vkbReserved and the 46 character keys
constexpr int CommandKeys = VKButtonCount - CharacterKeys;

using CharacterCaptions = std::array<const char*, CharacterKeys>;
using CommandCaptions = std::array<const char*, CommandKeys>;

// vkbQuoteMark shows "," in lower case, the same caption as vkbComma.
constexpr CharacterCaptions LowerCase = {
    " ", "0", "1", "2", "3", "4", "5", "6",  "7", "8", "9", "a", "b", "c", "d", "e",
    "f", "g", "h", "i", "j", "k", "l", "m",  "n", "o", "p", "q", "r", "s", "t", "u",
    "v", "w", "x", "y", "z", "-", "=", "\\", ";", ",", "[", "]", ",", ".", "/",
};

constexpr CharacterCaptions UpperCase = {
    " ", ")", "!", "@", "#", "$", "%", "^", "&", "*",  "(", "A", "B", "C", "D", "E",
    "F", "G", "H", "I", "J", "K", "L", "M", "N", "O",  "P", "Q", "R", "S", "T", "U",
    "V", "W", "X", "Y", "Z", "_", "+", "|", ":", "\"", "{", "}", "<", ">", "?",
};

// vkbClear, vkbInternet, vkbBackSpace, vkbAbout, vkbShift, vkbClose, vkbSpace, vkbEntree, vkbHelp,
// vkbPhoto, vkbRefresh.
constexpr CommandCaptions TextCommands = {
    "Effacer Tout", "Internet",       "Retour Arrière", "Infos", "Majuscules",    "Entrée",
    "Espace",       "Ligne Suivante", "Aide",           "Photo", "Refaire Photo",
};

constexpr CommandCaptions InternetCommands = {
    "Effacer Tout", "Quitter Internet", "Retour Arrière",  "Page Suivante", "Majuscules",     "Entrée",
    "Espace",       "Page d'Accueil",   "Page Précédente", "Imprimer",      "Recharger Page",
};

constexpr TVKCaptions joinCaptions(const CharacterCaptions& characters, const CommandCaptions& commands) {
    TVKCaptions all{};
    for (int i = 0; i < CharacterKeys; ++i)
        all[i] = characters[i];
    for (int i = 0; i < CommandKeys; ++i)
        all[CharacterKeys + i] = commands[i];
    return all;
}

} // namespace

const TVKCaptions ButtonCaptions = joinCaptions(LowerCase, TextCommands);
const TVKCaptions ButtonCaptionsUp = joinCaptions(UpperCase, TextCommands);
const TVKCaptions ButtonCaptions1 = joinCaptions(LowerCase, InternetCommands);
const TVKCaptions ButtonCaptions1Up = joinCaptions(UpperCase, InternetCommands);

bool isKeyButton(int button) {
    return button > vkbReserved && button < VKButtonCount;
}

} // namespace pinstage
