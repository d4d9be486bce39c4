// Built-in texts of the advertisers: grid titles, per-column limits, the kiosk's public addresses
// and the default waiting site.
#include "config/Advertisers.h"

namespace pinstage {

const std::array<const char*, 11> advertiserGridTitles = {
    "Identificateur",
    "Nom annonceur",
    "Type d'annonce :  0=pub incrustée locale, 1=internet ",
    "Adresse de connection",
    "Fichier attente ou par défaut",
    "Nombre de diffusions payées",
    "Nombre de diffusions effectives",
    "durée mini diffusion",
    "date et heure dernière diffusion",
    "Période de passage 0=jeu 1=game over 2=indifférent",
    " ",
};

// Free-text columns have no limits; the showing time is between one second and ten minutes.
const std::array<const char*, 11> advertiserMinimums = {"", "", "0", "", "", "0", "0", "1000", "", "0", " "};
const std::array<const char*, 11> advertiserMaximums = {
    "", "", "1", "", "", "1000000", "1000000", "600000", "", "2", " ",
};

const std::array<const char*, 24> defaultKioskAddresses = {
    "https://www.wikipedia.org",
    "https://fr.wikipedia.org",
    "https://meteofrance.com",
    "https://www.radiofrance.fr",
    "https://www.france.tv",
    "https://www.arte.tv",
    "https://www.louvre.fr",
    "https://www.musee-orsay.fr",
    "https://www.centrepompidou.fr",
    "https://www.bnf.fr",
    "https://www.cite-sciences.fr",
    "https://www.service-public.fr",
    "https://www.openstreetmap.org",
    "https://www.gutenberg.org",
    "https://www.bbc.co.uk",
    "https://www.britishmuseum.org",
    "https://www.metmuseum.org",
    "https://www.rijksmuseum.nl",
    "https://www.nasa.gov",
    "https://www.esa.int",
    "https://www.unesco.org",
    "https://www.who.int",
    "https://www.un.org",
    "https://www.insee.fr",
};

const char* const kDefaultAdvertiserWaitingSite = "www.wikipedia.org";

} // namespace pinstage
