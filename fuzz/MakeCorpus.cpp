// Writes the seed files of every fuzz target into DIR/<target>/: the files the default writers
// make, and a few short texts for the text parsers.
//
//   fuzz_make_corpus DIR
#include "config/Accounting.h"
#include "config/Adjustments.h"
#include "config/Advertisers.h"
#include "config/CoilsParams.h"
#include "config/CombinationsParams.h"
#include "config/ContactsParams.h"
#include "config/FrontonParams.h"
#include "config/GameRuleParams.h"
#include "config/LampsParams.h"
#include "config/Players.h"
#include "config/SoundParams.h"
#include "platform/DataRoot.h"
#include "platform/FileIo.h"
#include "sound/WavWriter.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

using namespace pinstage;
namespace fs = std::filesystem;

namespace {

void put(const fs::path& dir, const std::string& name, std::span<const uint8_t> bytes) {
    fs::create_directories(dir);
    std::FILE* f = std::fopen((dir / name).c_str(), "wb");
    if (!f || (bytes.size() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) ||
        std::fclose(f) != 0)
        throw std::runtime_error("cannot write " + (dir / name).string());
}

void putText(const fs::path& dir, const std::string& name, std::string_view text) {
    put(dir, name, {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

// The parameter target reads the record kind from the first byte.
void putRecord(const fs::path& dir, const std::string& name, uint8_t kind,
               const std::vector<uint8_t>& image) {
    std::vector<uint8_t> bytes{kind};
    bytes.insert(bytes.end(), image.begin(), image.end());
    put(dir, name, bytes);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_corpus DIR\n");
        return 2;
    }
    fs::path out = argv[1];
    fs::path params = out / "fuzz_params";
    putRecord(params, "contacts", 0, encodeContacts(defaultContacts()));
    putRecord(params, "coils", 1, encodeCoils(defaultCoils()));
    putRecord(params, "lamps", 2, encodeLamps(defaultLamps()));
    putRecord(params, "game_rule", 3, encodeGameRule(defaultGameRule()));
    putRecord(params, "combinations", 4, encodeCombinations(defaultCombinations()));
    putRecord(params, "accounting", 5, encodeAccounting(AccountingRecord{}));
    putRecord(params, "sounds", 6, encodeSoundParams(defaultSoundParams(defaultContacts())));
    putRecord(params, "adjustments", 7, encodeAdjustments(defaultAdjustments()));
    putRecord(params, "fronton", 8, encodeFronton(defaultFronton()));

    put(out / "fuzz_fronton", "default", encodeFronton(defaultFronton()));

    // The players and advertisers files as the start-up creates them.
    fs::path rootDir = fs::temp_directory_path() / ("pinstage-corpus-" + std::to_string(::getpid()));
    DataRoot root(rootDir);
    root.ensureDirectories();
    loadOrCreatePlayers(root, 0, nullptr);
    put(out / "fuzz_players", "default", *readWholeFile(playersFile(root, 0)));
    CreerAnnonceursDefaut(root, 0);
    put(out / "fuzz_advertisers", "default", *readWholeFile(advertisersFile(root, 0)));
    fs::remove_all(rootDir);

    const std::vector<int16_t> stereo{0, 0, 1000, -1000, 32767, -32768, 12, -12};
    put(out / "fuzz_wav", "s16_stereo", encodeWav16(22050, 2, stereo));
    const std::vector<uint8_t> mono8{128, 200, 50, 128, 255, 0};
    put(out / "fuzz_wav", "u8_mono", encodeWav(PcmFormat{1, 11025, 8}, mono8));

    putText(out / "fuzz_script", "game",
            "# two coins, a start, a drain\n100 pulse c4\n600 pulse c4 80\n1500 close c5\n1600 open c5\n"
            "7000 pulse c47\n");

    putText(out / "fuzz_cp1252", "utf8", "R\xC3\xA9glages \xE2\x82\xAC \xC5\x93uvre");
    putText(out / "fuzz_cp1252", "cp1252",
            "R\xE9glages \x80 \x9C"
            "uvre");

    const char simulate[] = "--simulate\0--script\0scenario.script\0--trace\0journal.txt\0--quit-after\0"
                            "60000";
    put(out / "fuzz_command_line", "simulate",
        {reinterpret_cast<const uint8_t*>(simulate), sizeof simulate - 1});
    const char render[] = "--render-backglass\0out.png\0--scores\0001,20,300,4000\0--credits\00012";
    put(out / "fuzz_command_line", "render", {reinterpret_cast<const uint8_t*>(render), sizeof render - 1});
    return 0;
}
