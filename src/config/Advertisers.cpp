// Advertisers file: 192-byte records read and written with the writer's numbering (power-safe),
// and the default file of 19 internet advertisers.
#include "config/Advertisers.h"

#include "config/FileNames.h"
#include "config/Players.h"
#include "config/RecordFile.h"
#include "platform/FileIo.h"
#include "platform/PinError.h"

#include <algorithm>
#include <cstdio>

namespace pinstage {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCreateError = "Impossible de créer le fichier des annonceurs";
constexpr const char* kDefaultAdvertiserName = "Lumiscope Brindlework";

enum : size_t {
    oId = 0,
    oNom = 4,
    oType = 28,
    oAdresse = 32,
    oAttente = 92,
    oPayees = 124,
    oEffectives = 128,
    oDuree = 132,
    oDate = 136,
    oPeriode = 176,
    oDebut = 180,
    oTemps = 184,
    oEnDiffusion = 188,
    oAlignment = 189,
};

int clampCount(int count, size_t buffers) {
    return std::clamp(count, 0, int(std::min<size_t>(buffers, INT32_MAX)));
}

} // namespace

std::vector<uint8_t> encodeFicheAnnonceur(const FicheAnnonceur& f) {
    std::vector<uint8_t> bytes(kFicheAnnonceurSize, 0);
    ByteWriter w(bytes);
    w.i32(oId, f.identificateur);
    w.raw(oNom, f.nomAnnonceur.bytes);
    w.i32(oType, f.typeAnnonce);
    w.raw(oAdresse, f.adresseConnection.bytes);
    w.raw(oAttente, f.fichierAttente.bytes);
    w.i32(oPayees, f.diffusionsPayees);
    w.i32(oEffectives, f.diffusionsEffectives);
    w.i32(oDuree, f.dureeMiniDiffusion);
    w.raw(oDate, f.dateDerniereDiffusion.bytes);
    w.i32(oPeriode, f.periodePassage);
    w.u32(oDebut, f.debutDiffusion);
    w.i32(oTemps, f.tempsAffichage);
    w.u8(oEnDiffusion, f.enDiffusion);
    w.raw(oAlignment, f.alignment);
    return bytes;
}

FicheAnnonceur decodeFicheAnnonceur(std::span<const uint8_t> bytes) {
    FicheAnnonceur f;
    ByteReader rd(bytes.first(std::min(bytes.size(), kFicheAnnonceurSize)));
    f.identificateur = rd.i32(oId);
    rd.raw(oNom, f.nomAnnonceur.bytes);
    f.typeAnnonce = rd.i32(oType);
    rd.raw(oAdresse, f.adresseConnection.bytes);
    rd.raw(oAttente, f.fichierAttente.bytes);
    f.diffusionsPayees = rd.i32(oPayees);
    f.diffusionsEffectives = rd.i32(oEffectives);
    f.dureeMiniDiffusion = rd.i32(oDuree);
    rd.raw(oDate, f.dateDerniereDiffusion.bytes);
    f.periodePassage = rd.i32(oPeriode);
    f.debutDiffusion = rd.u32(oDebut);
    f.tempsAffichage = rd.i32(oTemps);
    f.enDiffusion = rd.u8(oEnDiffusion);
    rd.raw(oAlignment, f.alignment);
    return f;
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
    std::error_code ec;
    auto image = fs::is_regular_file(file, ec) ? readWholeFile(file) : std::nullopt;
    int n = image ? int(std::min<size_t>(image->size() / kFicheAnnonceurSize, INT32_MAX)) : 0;
    if (recordCount)
        *recordCount = n;
    int index = std::clamp(firstIndex, 0, n);
    int wanted = clampCount(count, buffers.size());
    int read = 0;
    for (; read < wanted && index + read < n; ++read) {
        size_t at = size_t(index + read) * kFicheAnnonceurSize;
        buffers[size_t(read)] = decodeFicheAnnonceur(std::span(*image).subspan(at, kFicheAnnonceurSize));
    }
    return read;
}

bool EcrireAnnonceurs(const fs::path& file, std::span<FicheAnnonceur> buffers, bool append, int index,
                      int count) {
    std::vector<uint8_t> image;
    if (fs::exists(file)) {
        std::error_code ec;
        auto existing = fs::is_regular_file(file, ec) ? readWholeFile(file) : std::nullopt;
        if (!existing)
            throw PinError(kCreateError);
        image = std::move(*existing);
    }
    size_t howMany = size_t(clampCount(count, buffers.size()));
    int32_t firstOwnId = buffers.empty() ? 0 : buffers[0].identificateur;
    NumberedWrite plan = planNumberedWrite(image.size(), kFicheAnnonceurSize, append, index, firstOwnId);
    image.resize(std::max(image.size(), plan.offset + howMany * kFicheAnnonceurSize));
    int32_t id = plan.firstId;
    for (size_t k = 0; k < howMany; ++k) {
        buffers[k].identificateur = id++;
        auto bytes = encodeFicheAnnonceur(buffers[k]);
        std::copy(bytes.begin(), bytes.end(),
                  image.begin() + std::ptrdiff_t(plan.offset + k * kFicheAnnonceurSize));
    }
    writeRecordFile(file, image, kCreateError);
    return true;
}

void loadOrCreateAdvertisers(const DataRoot& root, int config, AdvertisersTable& t,
                             std::vector<std::string>* created) {
    fs::path file = advertisersFile(root, config);
    if (!fs::exists(file))
        CreerAnnonceursDefaut(root, config, created);
    int n = 0;
    LireAnnonceurs(file, {}, 0, 0, &n);
    std::vector<FicheAnnonceur> fiches(static_cast<size_t>(n));
    int read = LireAnnonceurs(file, fiches, 0, n, &t.recordCount);
    fiches.resize(size_t(read));
    t.fiches = std::move(fiches);
}

bool isInternetAdvert(const FicheAnnonceur& f) {
    return f.typeAnnonce == kAdvertInternet;
}

std::vector<FieldLine> describeAdvertisers(std::span<const uint8_t> bytes) {
    std::vector<FieldLine> lines;
    size_t n = bytes.size() / kFicheAnnonceurSize; // a partial tail is no record
    for (size_t i = 0; i < n; ++i) {
        size_t b = i * kFicheAnnonceurSize;
        FicheAnnonceur f = decodeFicheAnnonceur(bytes.subspan(b, kFicheAnnonceurSize));
        std::string index = "[" + std::to_string(i) + "]";
        auto add = [&](size_t o, const char* name, std::string value) {
            lines.push_back({b + o, name + index, std::move(value)});
        };
        add(oId, "identificateur", std::to_string(f.identificateur));
        add(oNom, "nomAnnonceur", f.nomAnnonceur.utf8());
        add(oType, "typeAnnonce",
            std::to_string(f.typeAnnonce) + (isInternetAdvert(f) ? " (internet)" : " (locale)"));
        add(oAdresse, "adresseConnection", f.adresseConnection.utf8());
        add(oAttente, "fichierAttente", f.fichierAttente.utf8());
        add(oPayees, "diffusionsPayees", std::to_string(f.diffusionsPayees));
        add(oEffectives, "diffusionsEffectives", std::to_string(f.diffusionsEffectives));
        add(oDuree, "dureeMiniDiffusion", std::to_string(f.dureeMiniDiffusion));
        add(oDate, "dateDerniereDiffusion", f.dateDerniereDiffusion.utf8());
        add(oPeriode, "periodePassage", std::to_string(f.periodePassage));
        add(oDebut, "debutDiffusion", std::to_string(f.debutDiffusion));
        add(oTemps, "tempsAffichage", std::to_string(f.tempsAffichage));
        add(oEnDiffusion, "enDiffusion", std::to_string(f.enDiffusion));
        char hex[16];
        std::snprintf(hex, sizeof hex, "%02X %02X %02X", f.alignment[0], f.alignment[1], f.alignment[2]);
        add(oAlignment, "alignment", hex);
    }
    return lines;
}

} // namespace pinstage
