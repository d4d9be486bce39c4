#include "config/Advertisers.h"

#include "ConfigTestSupport.h"
#include "platform/PinError.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>

using namespace pinstage;
using namespace pinstage::test;
namespace fs = std::filesystem;

namespace {

std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const PinError& e) {
        return e.what();
    }
    return "(no error)";
}

FicheAnnonceur annonceur(const char* name, int32_t id = 0) {
    FicheAnnonceur f;
    f.nomAnnonceur.setUtf8(name);
    f.identificateur = id;
    return f;
}

const char* const kBeyond =
    "l'enregistrement index demandé est supérieur \n au nombre d'enregistrements du fichier";

} // namespace

TEST(AdvertisersDefaults, NineteenInternetAdvertisers) {
    auto v = defaultAdvertisers("02/03/2024 10:11:12");
    ASSERT_EQ(v.size(), 19u);
    for (size_t i = 0; i < v.size(); ++i) {
        const FicheAnnonceur& f = v[i];
        EXPECT_EQ(f.identificateur, int32_t(i));
        EXPECT_EQ(f.nomAnnonceur.utf8(), "Lumiscope Brindlework");
        EXPECT_EQ(f.typeAnnonce, 1);
        EXPECT_TRUE(isInternetAdvert(f));
        EXPECT_EQ(f.adresseConnection.utf8(), defaultKioskAddresses[i]);
        EXPECT_EQ(f.fichierAttente.utf8(), kDefaultAdvertiserWaitingSite);
        EXPECT_EQ(f.diffusionsPayees, 56);
        EXPECT_EQ(f.diffusionsEffectives, 0);
        EXPECT_EQ(f.dureeMiniDiffusion, 15000);
        EXPECT_EQ(f.dateDerniereDiffusion.utf8(), "02/03/2024 10:11:12");
        EXPECT_EQ(f.periodePassage, 2);
        EXPECT_EQ(f.debutDiffusion, 0u);
        EXPECT_EQ(f.tempsAffichage, 0);
        EXPECT_EQ(f.enDiffusion, 1);
    }
}

TEST(AdvertisersDefaults, TablesFitTheirSlots) {
    std::set<std::string> distinct;
    for (const char* a : defaultKioskAddresses) {
        EXPECT_LT(std::string(a).size(), 60u) << a;
        EXPECT_EQ(std::string(a).rfind("https://", 0), 0u) << a;
        distinct.insert(a);
    }
    EXPECT_EQ(distinct.size(), 24u);
    EXPECT_LT(std::string(kDefaultAdvertiserWaitingSite).size(), 32u);
    EXPECT_STREQ(advertiserGridTitles[2], "Type d'annonce :  0=pub incrustée locale, 1=internet ");
    EXPECT_STREQ(advertiserGridTitles[10], " ");
    for (size_t c = 0; c < 10; ++c) {
        std::string lo = advertiserMinimums[c], hi = advertiserMaximums[c];
        EXPECT_EQ(lo.empty(), hi.empty()) << c;
        if (!lo.empty()) {
            EXPECT_LE(std::atol(lo.c_str()), std::atol(hi.c_str())) << c;
        }
    }
}

TEST(AdvertisersFile, CreatedWithItsDefaultCopyAndRead) {
    ScratchRoot s("pin-cfgm-adverts-create");
    AdvertisersTable t;
    std::vector<std::string> created;
    loadOrCreateAdvertisers(s.root(), 2, t, &created);
    EXPECT_EQ(created, (std::vector<std::string>{"Annonceurs2.fli", "DefautAnnonceurs2.fli"}));
    auto bytes = fileBytes(s.datas("Annonceurs2.fli"));
    ASSERT_EQ(bytes.size(), 19u * 192);
    EXPECT_EQ(bytes, fileBytes(s.datas("DefautAnnonceurs2.fli")));
    ASSERT_EQ(t.fiches.size(), 19u);
    EXPECT_EQ(t.recordCount, 19);
    EXPECT_EQ(t.fiches[18].adresseConnection.utf8(), defaultKioskAddresses[18]);

    size_t r3 = 3 * 192;
    EXPECT_EQ(le32(bytes, r3), 3u);
    EXPECT_EQ(slotText(bytes, r3 + 4, 24), "Lumiscope Brindlework");
    EXPECT_EQ(le32(bytes, r3 + 28), 1u);
    EXPECT_EQ(slotText(bytes, r3 + 32, 60), defaultKioskAddresses[3]);
    EXPECT_EQ(slotText(bytes, r3 + 92, 32), kDefaultAdvertiserWaitingSite);
    EXPECT_EQ(le32(bytes, r3 + 124), 56u);
    EXPECT_EQ(le32(bytes, r3 + 128), 0u);
    EXPECT_EQ(le32(bytes, r3 + 132), 15000u);
    EXPECT_EQ(slotText(bytes, r3 + 136, 40).size(), 19u);
    EXPECT_EQ(le32(bytes, r3 + 176), 2u);
    EXPECT_EQ(le32(bytes, r3 + 180), 0u);
    EXPECT_EQ(le32(bytes, r3 + 184), 0u);
    EXPECT_EQ(bytes[r3 + 188], 1);
    EXPECT_EQ(bytes[r3 + 189] | bytes[r3 + 190] | bytes[r3 + 191], 0);

    // A file already there is read as it is, partial tail ignored.
    std::vector<FicheAnnonceur> two{annonceur("un"), annonceur("deux")};
    fs::remove(s.datas("Annonceurs2.fli"));
    EcrireAnnonceurs(s.datas("Annonceurs2.fli"), two, false, 0, 2);
    auto b = fileBytes(s.datas("Annonceurs2.fli"));
    b.resize(b.size() + 100, 9);
    writeBytes(s.datas("Annonceurs2.fli"), b);
    created.clear();
    loadOrCreateAdvertisers(s.root(), 2, t, &created);
    EXPECT_TRUE(created.empty());
    ASSERT_EQ(t.fiches.size(), 2u);
    EXPECT_EQ(t.recordCount, 2);
    EXPECT_EQ(t.fiches[1].nomAnnonceur.utf8(), "deux");
}

TEST(AdvertisersFile, ReadingAMissingFileReadsNothing) {
    ScratchRoot s("pin-cfgm-adverts-read");
    std::vector<FicheAnnonceur> buf(4);
    int n = -1;
    EXPECT_EQ(LireAnnonceurs(s.datas("Annonceurs7.fli"), buf, 0, 4, &n), 0);
    EXPECT_EQ(n, 0);
    CreerAnnonceursDefaut(s.root(), 7);
    EXPECT_EQ(LireAnnonceurs(s.datas("Annonceurs7.fli"), buf, 17, 4, &n), 2);
    EXPECT_EQ(n, 19);
    EXPECT_EQ(buf[1].identificateur, 18);
    EXPECT_EQ(LireAnnonceurs(s.datas("Annonceurs7.fli"), buf, 40, 4), 0);
    EXPECT_EQ(LireAnnonceurs(s.datas("Annonceurs7.fli"), buf, -2, 4), 4);
    EXPECT_EQ(buf[0].identificateur, 0);
    EXPECT_EQ(LireAnnonceurs(s.datas("Annonceurs7.fli"), std::span(buf).first(1), 0, 19), 1);
}

TEST(AdvertisersFile, WriterNumberingAndErrors) {
    ScratchRoot s("pin-cfgm-adverts-write");
    fs::path file = s.datas("Annonceurs0.fli");
    std::vector<FicheAnnonceur> v{annonceur("a", 7), annonceur("b", 0)};
    EXPECT_TRUE(EcrireAnnonceurs(file, v, true, 0, 2));
    EXPECT_EQ(v[0].identificateur, 7); // an empty file numbers from the first buffer
    EXPECT_EQ(v[1].identificateur, 8);
    std::vector<FicheAnnonceur> one{annonceur("c", 50)};
    EcrireAnnonceurs(file, one, true, 0, 1);
    EXPECT_EQ(one[0].identificateur, 2);
    one[0] = annonceur("d", 50);
    EcrireAnnonceurs(file, one, false, 0, 1);
    EXPECT_EQ(one[0].identificateur, 0);
    std::vector<FicheAnnonceur> all(8);
    ASSERT_EQ(LireAnnonceurs(file, all, 0, 8), 3);
    EXPECT_EQ(all[0].nomAnnonceur.utf8(), "d");
    EXPECT_EQ(all[1].identificateur, 8);
    EXPECT_EQ(all[2].nomAnnonceur.utf8(), "c");

    one[0] = annonceur("e", 50);
    EXPECT_EQ(messageOf([&] { EcrireAnnonceurs(file, one, false, 4, 1); }), kBeyond);
    EXPECT_EQ(one[0].identificateur, 50);
    auto before = fileBytes(file);
    fs::permissions(file, fs::perms::owner_read);
    EXPECT_EQ(messageOf([&] { EcrireAnnonceurs(file, one, true, 0, 1); }),
              "Impossible de créer le fichier des annonceurs");
    EXPECT_EQ(fileBytes(file), before);
    fs::permissions(s.datas(), fs::perms::owner_read | fs::perms::owner_exec);
    AdvertisersTable t;
    EXPECT_EQ(messageOf([&] { loadOrCreateAdvertisers(s.root(), 5, t, nullptr); }),
              "Impossible de créer le fichier des annonceurs");
    EXPECT_TRUE(t.fiches.empty());
}

TEST(AdvertisersRecord, RoundTripAndListing) {
    auto noise = noiseBytes(192, 29);
    FicheAnnonceur f = decodeFicheAnnonceur(noise);
    EXPECT_EQ(encodeFicheAnnonceur(f), noise);

    auto fiches = defaultAdvertisers("02/03/2024 10:11:12");
    fiches[1].typeAnnonce = 0;
    fiches[1].alignment = {0xAB, 0, 0x01};
    std::vector<uint8_t> bytes;
    for (auto& a : fiches) {
        auto b = encodeFicheAnnonceur(a);
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    bytes.resize(bytes.size() + 191, 0);
    auto lines = describeAdvertisers(bytes);
    ASSERT_EQ(lines.size(), 19u * 14);
    EXPECT_EQ(lines[14 + 2].name, "typeAnnonce[1]");
    EXPECT_EQ(lines[14 + 2].offset, 192u + 28);
    EXPECT_NE(lines[14 + 2].value.find("locale"), std::string::npos);
    EXPECT_NE(lines[2].value.find("internet"), std::string::npos);
    EXPECT_EQ(lines[14 + 13].value, "AB 00 01");
    EXPECT_EQ(lines[14 + 13].offset, 192u + 189);
    EXPECT_EQ(lines[14 * 18 + 3].value, defaultKioskAddresses[18]);
}
