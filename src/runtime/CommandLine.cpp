// Option parsing: each option once, values checked, French messages.
#include "runtime/CommandLine.h"

#include "platform/PinError.h"

#include <charconv>
#include <limits>

namespace pinstage {

namespace {

const std::string& valueOf(const std::vector<std::string>& args, size_t& i) {
    if (i + 1 >= args.size() || args[i + 1].empty())
        throw PinError("option " + args[i] + " : valeur manquante");
    return args[++i];
}

uint32_t millisecondsOf(const std::string& option, const std::string& text) {
    uint64_t v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || text[0] == '-' || text[0] == '+' || ec != std::errc() ||
        end != text.data() + text.size() || v > std::numeric_limits<uint32_t>::max())
        throw PinError("option " + option + " : durée en millisecondes invalide « " + text + " »");
    return uint32_t(v);
}

uint32_t wholeNumberOf(const std::string& option, const std::string& text, uint32_t max) {
    uint64_t v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || v > max)
        throw PinError("option " + option + " : nombre invalide « " + text + " » (0 à " +
                       std::to_string(max) + ")");
    return uint32_t(v);
}

// "S1,S2,S3,S4": four scores of at most seven digits, as the reels show them.
std::array<uint32_t, 4> scoresOf(const std::string& option, const std::string& text) {
    std::array<uint32_t, 4> scores{};
    size_t start = 0;
    for (size_t k = 0; k < scores.size(); ++k) {
        size_t comma = text.find(',', start);
        if ((k + 1 < scores.size()) != (comma != std::string::npos))
            throw PinError("option " + option + " : quatre scores séparés par des virgules attendus");
        scores[k] = wholeNumberOf(option, text.substr(start, comma - start), 9999999);
        start = comma + 1;
    }
    return scores;
}

template <typename T> void once(std::optional<T>& slot, const std::string& option, T value) {
    if (slot)
        throw PinError("option " + option + " donnée deux fois");
    slot = std::move(value);
}

void flag(bool& slot, const std::string& option) {
    if (slot)
        throw PinError("option " + option + " donnée deux fois");
    slot = true;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine c;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--root")
            once(c.root, a, std::filesystem::path(valueOf(args, i)));
        else if (a == "--simulate")
            flag(c.simulate, a);
        else if (a == "--windowed")
            flag(c.windowed, a);
        else if (a == "--script")
            once(c.script, a, std::filesystem::path(valueOf(args, i)));
        else if (a == "--trace")
            once(c.trace, a, std::filesystem::path(valueOf(args, i)));
        else if (a == "--quit-after")
            once(c.quitAfterMs, a, millisecondsOf(a, valueOf(args, i)));
        else if (a == "--install-defaults")
            flag(c.installDefaults, a);
        else if (a == "--media-options")
            flag(c.mediaOptions, a);
        else if (a == "--render-backglass")
            once(c.renderBackglass, a, std::filesystem::path(valueOf(args, i)));
        else if (a == "--dumb-playfield")
            flag(c.dumbPlayfield, a);
        else if (a == "--camera") {
            if (valueOf(args, i) != "test")
                throw PinError("option --camera : seule la valeur « test » est reconnue");
            flag(c.testCamera, a);
        } else if (a == "--scores")
            once(c.scores, a, scoresOf(a, valueOf(args, i)));
        else if (a == "--credits")
            once(c.credits, a, wholeNumberOf(a, valueOf(args, i), 99));
        else if (a == "--seed")
            once(c.seed, a, wholeNumberOf(a, valueOf(args, i), std::numeric_limits<uint32_t>::max()));
        else if (a == "--help" || a == "-h")
            c.help = true;
        else
            throw PinError("option inconnue « " + a + " »");
    }
    if ((c.scores || c.credits) && !c.renderBackglass)
        throw PinError("options --scores et --credits : seulement avec --render-backglass");
    if (c.script && !c.simulate)
        throw PinError("option --script : seulement avec --simulate");
    return c;
}

std::string commandLineUsage() {
    return "usage : pinstage [options]\n"
           "  --root DIR              racine des données\n"
           "  --simulate              carte simulée et fenêtre du plateau simulé\n"
           "  --windowed              fenêtre 1360 x 768 au lieu du plein écran\n"
           "  --script FICHIER        événements de contacts datés (avec --simulate)\n"
           "  --trace FICHIER         journal des ports, voyants, sons et de l'état final\n"
           "  --quit-after MS         quitte MS millisecondes après l'initialisation\n"
           "  --install-defaults      écrit les images, sons et paramètres par défaut, puis quitte\n"
           "  --media-options         garde les huit options média enregistrées\n"
           "  --render-backglass PNG  dessine le fronton par défaut dans une image, puis quitte\n"
           "  --scores S1,S2,S3,S4    scores montrés par --render-backglass\n"
           "  --credits N             crédits montrés par --render-backglass (0 à 99)\n"
           "  --dumb-playfield        plateau simulé sans comportements automatiques\n"
           "  --camera test           caméra de test intégrée (images de synthèse)\n"
           "  --seed N                tirages au sort reproductibles (par défaut : selon l'heure)\n";
}

} // namespace pinstage
