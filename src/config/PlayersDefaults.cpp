// Built-in texts of the records table: grid titles and the seven start-up records.
#include "config/Players.h"

namespace pinstage {

const std::array<const char*, 7> playerGridTitles = {
    "Id Classement",
    "Nom du Joueur",
    "Date début partie",
    "Date fin partie",
    "Score réalise",
    "Chemin accès Photo",
    " ",
};

// clang-format off
const std::array<const char*, 35> playerDefaultRows = {
    "Lumiscope Brindlework",       "20/07/2017 08:02:00", "1000000", "accueil.bmp", "-1",
    "Brindlework",                 "21/08/2017 08:03:00", "1",       "bas1.bmp",    "1",
    "Vuvevodivo Verered",          "22/09/2017 08:04:00", "2",       "bas2.bmp",    "2",
    "Radoder Evededuzed",          "22/10/2017 18:05:00", "3",       "bas3.bmp",    "3",
    "transformation",              "21/11/2017 18:55:00", "4",       "bas4.bmp",    "4",
    "Tous flippers",               "22/12/2017 18:45:00", "5",       "bas5.bmp",    "5",
    "mecaniques et electroniques", "17/01/2018 18:45:00", "6",       "bas6.bmp",    "6",
};
// clang-format on

} // namespace pinstage
