// Advertisers file: 192-byte records read and written with the writer's numbering (power-safe),
// and the default file of 19 internet advertisers.
#include "config/Advertisers.h"

#include "config/FileNames.h"
#include "config/Players.h"
#include "config/RecordTable.h"

namespace pinstage {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCreateError = "Impossible de créer le fichier des annonceurs";
constexpr const char* kDefaultAdvertiserName = "Lumiscope Brindlework";

const char* typeNote(int32_t type) {
    return type == kAdvertInternet ? " (internet)" : " (locale)";
}

template <class V, class F> void layoutFiche(V& v, F& f) {
    v.i32(0, FieldName{"identificateur"}, f.identificateur);
    v.text(4, FieldName{"nomAnnonceur"}, f.nomAnnonceur);
    v.i32(28, FieldName{"typeAnnonce"}, f.typeAnnonce, typeNote);
    v.text(32, FieldName{"adresseConnection"}, f.adresseConnection);
    v.text(92, FieldName{"fichierAttente"}, f.fichierAttente);
    v.i32(124, FieldName{"diffusionsPayees"}, f.diffusionsPayees);
    v.i32(128, FieldName{"diffusionsEffectives"}, f.diffusionsEffectives);
    v.i32(132, FieldName{"dureeMiniDiffusion"}, f.dureeMiniDiffusion);
    v.text(136, FieldName{"dateDerniereDiffusion"}, f.dateDerniereDiffusion);
    v.i32(176, FieldName{"periodePassage"}, f.periodePassage);
    v.u32(180, FieldName{"debutDiffusion"}, f.debutDiffusion);
    v.i32(184, FieldName{"tempsAffichage"}, f.tempsAffichage);
    v.u8(188, FieldName{"enDiffusion"}, f.enDiffusion);
    v.raw(189, FieldName{"alignment"}, f.alignment);
}
constexpr auto kLayout = [](auto& v, auto& f) { layoutFiche(v, f); };

} // namespace

std::vector<uint8_t> encodeFicheAnnonceur(const FicheAnnonceur& f) {
    return encodeRecord(f, kFicheAnnonceurSize, kLayout);
}

FicheAnnonceur decodeFicheAnnonceur(std::span<const uint8_t> bytes) {
    return decodeRecord<FicheAnnonceur>(bytes, kFicheAnnonceurSize, kLayout);
}

fs::path advertisersFile(const DataRoot& root, int config) {
    return root.file(DataDir::Datas, numberedName(kAdvertisersFileName, config));
}

std::vector<FicheAnnonceur> defaultAdvertisers(const std::string& creationDate) {
    std::vector<FicheAnnonceur> fiches(kDefaultAdvertiserCount);
    for (size_t i = 0; i < fiches.size(); ++i) {
        FicheAnnonceur& f = fiches[i];
        f.identificateur = int32_t(i);
        f.nomAnnonceur.setUtf8(kDefaultAdvertiserName);
        f.typeAnnonce = kAdvertInternet;
        f.adresseConnection.setUtf8(defaultKioskAddresses[i]);
        f.fichierAttente.setUtf8(kDefaultAdvertiserWaitingSite);
        f.diffusionsPayees = 56;
        f.diffusionsEffectives = 0;
        f.dureeMiniDiffusion = 15000;
        f.dateDerniereDiffusion.setUtf8(creationDate);
        f.periodePassage = 2;
        f.debutDiffusion = 0;
        f.tempsAffichage = 0;
        f.enDiffusion = 1;
    }
    return fiches;
}

void CreerAnnonceursDefaut(const DataRoot& root, int config, std::vector<std::string>* created) {
    auto fiches = defaultAdvertisers(currentDateTimeText());
    for (const char* base : {kAdvertisersFileName, kAdvertisersDefaultCopyName}) {
        std::string name = numberedName(base, config);
        EcrireAnnonceurs(root.file(DataDir::Datas, name), fiches, false, 0, kDefaultAdvertiserCount);
        if (created)
            created->push_back(name);
    }
}

int LireAnnonceurs(const fs::path& file, std::span<FicheAnnonceur> buffers, int firstIndex, int count,
                   int* recordCount) {
    auto image = readRegularFile(file).value_or(std::vector<uint8_t>{});
    if (recordCount)
        *recordCount = wholeRecords(image.size(), kFicheAnnonceurSize);
    return readRecords(std::span<const uint8_t>(image), kFicheAnnonceurSize, kLayout, buffers, firstIndex,
                       count);
}

bool EcrireAnnonceurs(const fs::path& file, std::span<FicheAnnonceur> buffers, bool append, int index,
                      int count) {
    writeNumberedRecords(file, kFicheAnnonceurSize, kLayout, &FicheAnnonceur::identificateur, buffers, append,
                         index, count, kCreateError);
    return true;
}

void readAdvertisersTable(const fs::path& file, AdvertisersTable& t) {
    int n = 0;
    LireAnnonceurs(file, {}, 0, 0, &n);
    std::vector<FicheAnnonceur> fiches(static_cast<size_t>(n));
    int read = LireAnnonceurs(file, fiches, 0, n, &t.recordCount);
    fiches.resize(size_t(read));
    t.fiches = std::move(fiches);
}

void loadOrCreateAdvertisers(const DataRoot& root, int config, AdvertisersTable& t,
                             std::vector<std::string>* created) {
    fs::path file = advertisersFile(root, config);
    if (!fs::exists(file))
        CreerAnnonceursDefaut(root, config, created);
    readAdvertisersTable(file, t);
}

bool isInternetAdvert(const FicheAnnonceur& f) {
    return f.typeAnnonce == kAdvertInternet;
}

std::vector<FieldLine> describeAdvertisers(std::span<const uint8_t> bytes) {
    return describeRecords<FicheAnnonceur>(bytes, kFicheAnnonceurSize, kLayout);
}

} // namespace pinstage
