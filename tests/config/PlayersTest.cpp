#include "config/Players.h"

#include "ConfigTestSupport.h"
#include "platform/PinError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

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

fs::path playersPath(const ScratchRoot& s, int config) {
    return playersFile(s.root(), config);
}

FicheJoueur fiche(const char* name, uint32_t score, int32_t id = 0) {
    FicheJoueur f;
    f.nomDuJoueur.setUtf8(name);
    f.score = score;
    f.idClassement = id;
    return f;
}

std::vector<FicheJoueur> readAll(const fs::path& file) {
    std::vector<FicheJoueur> v(64);
    v.resize(size_t(LireFichesJoueurs(file, v, 0, 64)));
    return v;
}

const char* const kBeyond =
    "l'enregistrement index demandé est supérieur \n au nombre d'enregistrements du fichier";

} // namespace

TEST(PlayersDefaults, SevenStartUpRecords) {
    auto r = defaultPlayerRecords("01/02/2025 03:04:05");
    const int32_t ids[] = {-1, 1, 2, 3, 4, 5, 6};
    const char* names[] = {"Lumiscope Brindlework",      "Brindlework",    "Vuvevodivo Verered",
                           "Radoder Evededuzed",         "transformation", "Tous flippers",
                           "mecaniques et electroniques"};
    const uint32_t scores[] = {1000000, 1, 2, 3, 4, 5, 6};
    for (size_t k = 0; k < r.size(); ++k) {
        EXPECT_EQ(r[k].idClassement, ids[k]);
        EXPECT_EQ(r[k].nomDuJoueur.utf8(), names[k]);
        EXPECT_EQ(r[k].score, scores[k]);
        EXPECT_EQ(r[k].dateFin.utf8(), "01/02/2025 03:04:05");
    }
    EXPECT_EQ(r[0].dateDebut.utf8(), "20/07/2017 08:02:00");
    EXPECT_EQ(r[3].dateDebut.utf8(), "22/10/2017 18:05:00");
    EXPECT_EQ(r[6].dateDebut.utf8(), "17/01/2018 18:45:00");
    EXPECT_EQ(r[0].cheminPhoto.utf8(), "bases de donnees/Photos/accueil.bmp");
    EXPECT_EQ(r[6].cheminPhoto.utf8(), "bases de donnees/Photos/bas6.bmp");
    EXPECT_STREQ(playerGridTitles[4], "Score réalise");
    EXPECT_STREQ(playerGridTitles[6], " ");
}

TEST(PlayersFile, CreatedOnceWithTheWritersNumbering) {
    ScratchRoot s("pin-cfgm-players-create");
    std::vector<std::string> created;
    loadOrCreatePlayers(s.root(), 3, &created);
    EXPECT_EQ(created, std::vector<std::string>{"Joueurs3.db"});
    fs::path file = s.root().dir(DataDir::BasesDeDonnees) / "Joueurs3.db";
    auto bytes = fileBytes(file);
    ASSERT_EQ(bytes.size(), 7u * 168);
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(int32_t(le32(bytes, 168 * size_t(k))), k - 1) << k;
    EXPECT_EQ(slotText(bytes, 168 + 4, 30), "Brindlework");
    EXPECT_EQ(slotText(bytes, 168 + 34, 20), "21/08/2017 08:03:00");
    EXPECT_EQ(slotText(bytes, 168 + 54, 22).size(), 19u);
    EXPECT_EQ(le32(bytes, 76), 1000000u);
    EXPECT_EQ(slotText(bytes, 168 * 2 + 80, 88), "bases de donnees/Photos/bas2.bmp");

    // A file already there is left alone.
    writeBytes(file, std::vector<uint8_t>(168, 0));
    created.clear();
    loadOrCreatePlayers(s.root(), 3, &created);
    EXPECT_TRUE(created.empty());
    EXPECT_EQ(fileBytes(file).size(), 168u);
    loadOrCreatePlayers(s.root(), 0, nullptr);
    EXPECT_TRUE(fs::exists(playersPath(s, 0)));
}

TEST(PlayersFile, CountAndReadIgnoreAPartialTail) {
    ScratchRoot s("pin-cfgm-players-read");
    fs::path file = playersPath(s, 0);
    EXPECT_EQ(messageOf([&] { CompterFichesJoueurs(file); }), "fichier des records des joueurs introuvable");
    std::vector<FicheJoueur> buf(8);
    EXPECT_EQ(messageOf([&] { LireFichesJoueurs(file, buf, 0, 8); }),
              "fichier des scores des joueurs introuvable");
    EXPECT_EQ(messageOf([&] { LireFichesJoueurs(s.root().dir(DataDir::Photos), buf, 0, 8); }),
              "fichier des scores des joueurs introuvable");

    loadOrCreatePlayers(s.root(), 0, nullptr);
    auto bytes = fileBytes(file);
    bytes.resize(bytes.size() + 100, 0x41);
    writeBytes(file, bytes);
    EXPECT_EQ(CompterFichesJoueurs(file), 7);

    int count = -1;
    EXPECT_EQ(LireFichesJoueurs(file, buf, 5, 8, &count), 2);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(buf[0].score, 5u);
    EXPECT_EQ(buf[1].nomDuJoueur.utf8(), "mecaniques et electroniques");
    EXPECT_EQ(LireFichesJoueurs(file, buf, 9, 8), 0);  // first index beyond the end: nothing
    EXPECT_EQ(LireFichesJoueurs(file, buf, -3, 2), 2); // a negative index starts at 0
    EXPECT_EQ(buf[0].idClassement, -1);
    EXPECT_EQ(LireFichesJoueurs(file, std::span(buf).first(3), 0, 7), 3); // never past the buffers
    EXPECT_EQ(LireFichesJoueurs(file, buf, 0, -1), 0);
}

TEST(PlayersFile, WriterNumbering) {
    ScratchRoot s("pin-cfgm-players-write");
    fs::path file = playersPath(s, 1);
    std::vector<FicheJoueur> three{fiche("a", 10, 42), fiche("b", 20, 0), fiche("c", 30, 0)};
    EXPECT_TRUE(EcrireFichesJoueurs(file, three, false, 0, 3));
    // An empty file numbers from the first buffer's own id, and the buffers receive their numbers.
    EXPECT_EQ(three[0].idClassement, 42);
    EXPECT_EQ(three[2].idClassement, 44);
    std::vector<FicheJoueur> one{fiche("d", 40, 99)};
    EcrireFichesJoueurs(file, one, true, 0, 1);
    EXPECT_EQ(one[0].idClassement, 3); // appended: its own index
    one[0] = fiche("e", 50, 99);
    EcrireFichesJoueurs(file, one, false, 1, 1);
    EXPECT_EQ(one[0].idClassement, 1);
    one[0] = fiche("f", 60, 99);
    EcrireFichesJoueurs(file, one, false, 4, 1); // index == n writes at the end
    auto all = readAll(file);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[0].idClassement, 42);
    EXPECT_EQ(all[1].nomDuJoueur.utf8(), "e");
    EXPECT_EQ(all[2].nomDuJoueur.utf8(), "c");
    EXPECT_EQ(all[3].score, 40u);
    EXPECT_EQ(all[4].idClassement, 4);

    one[0] = fiche("g", 70, 99);
    EXPECT_EQ(messageOf([&] { EcrireFichesJoueurs(file, one, false, 6, 1); }), kBeyond);
    EXPECT_EQ(messageOf([&] { EcrireFichesJoueurs(file, one, true, 6, 1); }), kBeyond);
    EXPECT_EQ(messageOf([&] { EcrireFichesJoueurs(file, one, false, -1, 1); }), kBeyond);
    EXPECT_EQ(one[0].idClassement, 99);
    EXPECT_EQ(readAll(file).size(), 5u);
}

TEST(PlayersFile, AppendAfterAPartialTailKeepsRecordsAligned) {
    ScratchRoot s("pin-cfgm-players-tail");
    fs::path file = playersPath(s, 0);
    loadOrCreatePlayers(s.root(), 0, nullptr);
    auto bytes = fileBytes(file);
    bytes.resize(bytes.size() + 60, 0x5A);
    writeBytes(file, bytes);
    std::vector<FicheJoueur> one{fiche("nouveau", 777)};
    EcrireFichesJoueurs(file, one, true, 0, 1);
    EXPECT_EQ(fileBytes(file).size(), 8u * 168);
    auto all = readAll(file);
    ASSERT_EQ(all.size(), 8u);
    EXPECT_EQ(all[7].idClassement, 7);
    EXPECT_EQ(all[7].nomDuJoueur.utf8(), "nouveau");
}

TEST(PlayersFile, AFileWithoutAWholeRecordNumbersFromTheFirstBuffer) {
    ScratchRoot s("pin-cfgm-players-short");
    fs::path file = playersPath(s, 0);
    writeBytes(file, std::vector<uint8_t>(50, 0x77));
    EXPECT_EQ(CompterFichesJoueurs(file), 0);
    std::vector<FicheJoueur> two{fiche("x", 1, -1), fiche("y", 2, 9)};
    EcrireFichesJoueurs(file, two, true, 0, 2);
    EXPECT_EQ(two[0].idClassement, -1);
    EXPECT_EQ(two[1].idClassement, 0);
    EXPECT_EQ(fileBytes(file).size(), 2u * 168);
    EXPECT_EQ(readAll(file)[1].nomDuJoueur.utf8(), "y");
}

TEST(PlayersFile, FailedWriteLeavesTheFile) {
    ScratchRoot s("pin-cfgm-players-ro");
    fs::path file = playersPath(s, 0);
    loadOrCreatePlayers(s.root(), 0, nullptr);
    auto before = fileBytes(file);
    fs::permissions(file, fs::perms::owner_read);
    std::vector<FicheJoueur> one{fiche("x", 1)};
    EXPECT_EQ(messageOf([&] { EcrireFichesJoueurs(file, one, true, 0, 1); }),
              "Impossible d'écrire le fichier des records des joueurs");
    EXPECT_EQ(messageOf([&] { TrierFichesJoueurs(file); }),
              "Impossible d'écrire le fichier des records des joueurs");
    EXPECT_EQ(fileBytes(file), before);
}

TEST(PlayersSort, FreshFileRanksByDescendingScore) {
    ScratchRoot s("pin-cfgm-players-sort");
    fs::path file = playersPath(s, 0);
    loadOrCreatePlayers(s.root(), 0, nullptr);
    auto head = fileBytes(file);
    head.resize(168);
    TrierFichesJoueurs(file);
    auto all = readAll(file);
    ASSERT_EQ(all.size(), 7u);
    for (int place = 1; place <= 6; ++place) {
        EXPECT_EQ(all[size_t(place)].score, uint32_t(7 - place)) << place;
        EXPECT_EQ(all[size_t(place)].idClassement, place) << place;
    }
    EXPECT_EQ(all[1].nomDuJoueur.utf8(), "mecaniques et electroniques");
    auto after = fileBytes(file);
    EXPECT_TRUE(std::equal(head.begin(), head.end(), after.begin())); // record 0 untouched
}

TEST(PlayersSort, EqualScoresStayAndUnmovedRecordsKeepTheirIds) {
    ScratchRoot s("pin-cfgm-players-ties");
    fs::path file = playersPath(s, 0);
    std::vector<FicheJoueur> recs{fiche("tête", 1), fiche("A", 5),           fiche("B", 5),
                                  fiche("C", 9),    fiche("D", 0x80000000u), fiche("E", 9)};
    EcrireFichesJoueurs(file, recs, false, 0, int(recs.size()));
    // Give every record an id of its own so the sort's renumbering shows.
    auto bytes = fileBytes(file);
    for (size_t k = 0; k < recs.size(); ++k)
        bytes[168 * k] = uint8_t(100 + k);
    bytes.resize(bytes.size() + 20, 0x33);
    writeBytes(file, bytes);

    TrierFichesJoueurs(file);
    auto all = readAll(file);
    ASSERT_EQ(all.size(), 6u);
    // Scores compare unsigned: 0x80000000 is the highest.
    std::vector<std::string> order;
    for (auto& f : all)
        order.push_back(f.nomDuJoueur.utf8());
    EXPECT_EQ(order, (std::vector<std::string>{"tête", "D", "C", "E", "B", "A"}));
    EXPECT_EQ(all[0].idClassement, 100);
    EXPECT_EQ(all[1].idClassement, 1);
    EXPECT_EQ(all[2].idClassement, 2);
    EXPECT_EQ(all[3].idClassement, 3);
    EXPECT_EQ(all[4].idClassement, 4);
    EXPECT_EQ(all[5].idClassement, 5);
    auto after = fileBytes(file);
    EXPECT_EQ(after.size(), 6u * 168 + 20);
    EXPECT_EQ(after.back(), 0x33);

    // Already sorted: nothing exchanged, every id kept.
    bytes = fileBytes(file);
    for (size_t k = 1; k < 6; ++k)
        bytes[168 * k] = uint8_t(200 + k);
    writeBytes(file, bytes);
    TrierFichesJoueurs(file);
    all = readAll(file);
    for (size_t k = 1; k < 6; ++k)
        EXPECT_EQ(all[k].idClassement, int32_t(200 + k));

    EXPECT_EQ(messageOf([&] { TrierFichesJoueurs(playersPath(s, 5)); }),
              "fichier des scores des joueurs introuvable");
}

TEST(PlayersSort, EqualScoresAreNeverExchanged) {
    ScratchRoot s("pin-cfgm-players-equal");
    fs::path file = playersPath(s, 0);
    std::vector<FicheJoueur> recs{fiche("tête", 0), fiche("premier", 3), fiche("second", 3)};
    EcrireFichesJoueurs(file, recs, false, 0, 3);
    TrierFichesJoueurs(file);
    auto all = readAll(file);
    EXPECT_EQ(all[1].nomDuJoueur.utf8(), "premier");
    EXPECT_EQ(all[2].nomDuJoueur.utf8(), "second");
}

TEST(PlayersRecord, RoundTripAndPhotoPaths) {
    auto noise = noiseBytes(168, 17);
    FicheJoueur f = decodeFicheJoueur(noise);
    EXPECT_EQ(encodeFicheJoueur(f), noise);

    DataRoot root("/data/pin");
    FicheJoueur g;
    EXPECT_EQ(localPhotoPath(root, g), fs::path());
    g.cheminPhoto.setUtf8("bases de donnees/Photos/accueil.bmp");
    EXPECT_EQ(localPhotoPath(root, g), fs::path("/data/pin/bases de donnees/Photos/accueil.bmp"));
    g.cheminPhoto.setUtf8("C:\\DODU_Test_Logiciel_Lumiscope\\bases de donnees\\Photos\\bas1.bmp");
    EXPECT_EQ(localPhotoPath(root, g), fs::path("/data/pin/bases de donnees/Photos/bas1.bmp"));
    EXPECT_TRUE(setPhotoPath(root, g, "/data/pin/bases de donnees/Photos/joueur12.bmp"));
    EXPECT_EQ(g.cheminPhoto.utf8(), "bases de donnees/Photos/joueur12.bmp");
    EXPECT_FALSE(setPhotoPath(root, g, "/elsewhere/" + std::string(100, 'p') + ".bmp"));
    EXPECT_EQ(g.cheminPhoto.utf8().size(), 87u);
}

TEST(PlayersRecord, DateTextAndListing) {
    std::tm t{};
    t.tm_mday = 5;
    t.tm_mon = 2;
    t.tm_year = 124;
    t.tm_hour = 7;
    t.tm_min = 8;
    t.tm_sec = 9;
    EXPECT_EQ(dateTimeText(t), "05/03/2024 07:08:09");
    EXPECT_EQ(currentDateTimeText().size(), 19u);

    auto recs = defaultPlayerRecords("05/03/2024 07:08:09");
    std::vector<uint8_t> bytes;
    for (auto& f : recs) {
        auto b = encodeFicheJoueur(f);
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    bytes.resize(bytes.size() + 50, 1);
    auto lines = describePlayers(bytes);
    ASSERT_EQ(lines.size(), 7u * 6);
    EXPECT_EQ(lines[0].name, "idClassement[0]");
    EXPECT_EQ(lines[0].value, "-1");
    EXPECT_EQ(lines[6 + 4].offset, 168u + 76);
    EXPECT_EQ(lines[6 + 4].value, "1");
    EXPECT_EQ(lines[41].name, "cheminPhoto[6]");
    EXPECT_EQ(lines[41].offset, 6u * 168 + 80);
}
