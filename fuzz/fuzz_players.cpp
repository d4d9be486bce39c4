// The records table ("Joueurs" file) from the fuzzed bytes: counted, read, sorted and read again
// the way the records page does it; the sort keeps the record count and orders the scores.
#include "FuzzFile.h"

#include "config/Players.h"
#include "platform/DataRoot.h"
#include "platform/PinError.h"

#include <array>
#include <cstdlib>

using namespace pinstage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto file = fuzz::fuzzDir().write("Joueurs0.db", data, size);
    (void)describePlayers({data, size});
    std::array<FicheJoueur, 16> buffers{};
    try {
        int n = CompterFichesJoueurs(file);
        int total = 0;
        int read = LireFichesJoueurs(file, buffers, size > 0 ? data[0] % 4 : 0, int(buffers.size()), &total);
        if (total != n || read < 0 || read > int(buffers.size()))
            std::abort();
        DataRoot root(fuzz::fuzzDir().path());
        for (int k = 0; k < read; ++k) {
            (void)localPhotoPath(root, buffers[size_t(k)]);
            (void)buffers[size_t(k)].nomDuJoueur.utf8();
        }
        TrierFichesJoueurs(file);
        if (CompterFichesJoueurs(file) != n)
            std::abort();
        read = LireFichesJoueurs(file, buffers, 1, int(buffers.size()));
        for (int k = 1; k < read; ++k)
            if (buffers[size_t(k - 1)].score < buffers[size_t(k)].score)
                std::abort();
    } catch (const PinError&) {
    }
    return 0;
}
