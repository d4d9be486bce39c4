// The advertisers' file from the fuzzed bytes, read at start-up the way the program does it, then
// every record written back and read again unchanged.
#include "FuzzFile.h"

#include "config/Advertisers.h"
#include "platform/DataRoot.h"
#include "platform/PinError.h"

#include <cstdlib>

using namespace pinstage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const DataRoot root = [] {
        DataRoot r(fuzz::fuzzDir().path() / "root");
        r.ensureDirectories();
        return r;
    }();
    auto file = advertisersFile(root, 0);
    {
        std::FILE* f = std::fopen(file.c_str(), "wb");
        if (!f || (size && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0)
            std::abort();
    }
    (void)describeAdvertisers({data, size});
    AdvertisersTable table;
    try {
        loadOrCreateAdvertisers(root, 0, table, nullptr);
    } catch (const PinError&) {
        return 0;
    }
    if (table.recordCount != int(size / kFicheAnnonceurSize) ||
        table.fiches.size() > size_t(table.recordCount))
        std::abort();
    for (const FicheAnnonceur& f : table.fiches) {
        (void)isInternetAdvert(f);
        (void)f.nomAnnonceur.utf8();
        (void)f.adresseConnection.utf8();
    }
    if (table.fiches.empty())
        return 0;
    std::vector<FicheAnnonceur> copy = table.fiches;
    try {
        EcrireAnnonceurs(file, copy, false, 0, int(copy.size()));
    } catch (const PinError&) {
        return 0;
    }
    std::vector<FicheAnnonceur> back(copy.size());
    if (LireAnnonceurs(file, back, 0, int(back.size())) != int(back.size()))
        std::abort();
    for (size_t k = 0; k < back.size(); ++k)
        if (encodeFicheAnnonceur(back[k]) != encodeFicheAnnonceur(copy[k]))
            std::abort();
    return 0;
}
