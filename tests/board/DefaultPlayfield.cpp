// Default coil and lamp tables: byte, mask, timings and names of every output.
#include "DefaultPlayfield.h"

#include <string>

namespace pinstage::test {

CoilsRecord defaultCoils() {
    struct Row {
        uint32_t rest, pulse;
        uint8_t autoRelease;
        const char* name;
    };
    static const Row rows[kCoilCount] = {
        {80, 80, 0, "Tilt relay"},
        {80, 80, 0, "Inutilisée"},
        {80, 80, 0, "Flipper relay"},
        {80, 80, 1, "Knocker"},
        {80, 80, 1, "Monte cibles droite"},
        {80, 80, 1, "Ejecteur bonus"},
        {80, 80, 1, "Monte cible G et Pent"},
        {100, 80, 0, "Ball in Play"},
        {80, 80, 1, "Bumper haut"},
        {80, 80, 1, "Bumper centre"},
        {20, 30, 1, "Kicking gauche"},
        {20, 30, 1, "Kicking droite"},
        {80, 80, 1, "inutilisée"},
        {80, 80, 1, "Inutilisée"},
        {80, 80, 1, "Inutilisée"},
        {80, 80, 1, "Inutilisée"},
        {80, 80, 1, "Inutilisée"},
        {80, 80, 1, "Inutilisée"},
        {20, 30, 1, "Inutilisée"},
        {20, 30, 1, "Inutilisée"},
        {80, 80, 1, "inutilisée"},
        {80, 80, 1, "Inutilisée"},
        {80, 80, 1, "Inutilisée"},
        {80, 80, 1, "Inutilisée"},
    };
    CoilsRecord r;
    for (size_t i = 0; i < size_t(kCoilCount); ++i) {
        r.byteIndex[i] = uint32_t(i / 8);
        r.mask[i] = 1u << (i % 8);
        r.restMs[i] = rows[i].rest;
        r.pulseMs[i] = rows[i].pulse;
        r.autoRelease[i] = rows[i].autoRelease;
        r.repeat[i] = 0;
        r.activatedAt[i] = 0;
        r.names[i].setUtf8(rows[i].name);
    }
    return r;
}

LampsRecord defaultLamps() {
    static const char* named[32] = {
        "Led 0 Bonus 1",         "Led 1 Bonus 2",           "Led 2 Bonus 3",
        "Led 3 Bonus 4",         "Led 4 Bonus 5",           "Led 5 Bonus 6",
        "Led 6 Bonus 7",         "Led 7 Bonus 8",           "Led 8 Bonus 9",
        "Led 9 Bonus 10",        "Led 10 Bonus 20",         "Led 11 Bonus X2",
        "Led 12 Bonus X3",       "Led 13 Bonus X4",         "Led 14 Bonus X5",
        "Led 15 x Ball bumper",  "Led 16 X ball W lit",     "Led 17 Score bonus W lit",
        "Led 18 Tourniquet",     "Led 19 Bonus multiplier", "Led 20 Etoile 9",
        "Led 21 Couloir 8",      "Led 22 Couloir 7",        "Led 23 Couloir 1",
        "Led 24 Spécial",        "Led 25 5000 cibles haut", "Led 26 Voyant extra ball",
        "Led 27 Inutilisée",     "Led 28 Inutilisée",       "Led 29 Led Inutilisée",
        "Led 30 Led Inutilisée", "Led 31 Led Inutilisée",
    };
    LampsRecord r;
    for (size_t n = 0; n < size_t(kLampCount); ++n) {
        r.flags[n] = 0;
        r.offMs[n] = 1;
        r.onMs[n] = 1;
        r.onStart[n] = 0;
        r.offStart[n] = 0;
        r.byteIndex[n] = uint8_t(n / 8);
        r.mask[n] = uint8_t(1u << (n % 8));
        r.names[n].setUtf8(n < 32 ? std::string(named[n]) : "Led " + std::to_string(n) + " Inutilisée");
    }
    return r;
}

} // namespace pinstage::test
