#include "platform/DataRoot.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace pinstage;
namespace fs = std::filesystem;

TEST(DataRoot, NumberedNamesInsertTheDigitBeforeTheExtension) {
    EXPECT_EQ(numberedName("Réglages.fli", 3), "Réglages3.fli");
    EXPECT_EQ(numberedName("Joueurs.db", 3), "Joueurs3.db");
    EXPECT_EQ(numberedName("Réglages.fli", 0), "Réglages0.fli");
    EXPECT_EQ(numberedName("SonsParam.fli", 7), "SonsParam7.fli");
}

TEST(DataRoot, CreatesEverySubDirectory) {
    fs::path tmp = fs::temp_directory_path() / ("pin-root-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(tmp);
    DataRoot root(tmp / "nested");
    root.ensureDirectories();
    EXPECT_TRUE(fs::is_directory(tmp / "nested" / "fichiers datas"));
    EXPECT_TRUE(fs::is_directory(tmp / "nested" / "bases de donnees" / "Photos"));
    EXPECT_TRUE(fs::is_directory(tmp / "nested" / "fichiers pub vidéo"));
    EXPECT_TRUE(fs::is_directory(tmp / "nested" / "fichiers pub images"));
    root.ensureDirectories(); // twice is harmless
    fs::remove_all(tmp);
}

TEST(DataRoot, StoredPathsMapOntoTheRoot) {
    DataRoot root("/data/pin");
    EXPECT_EQ(root.resolveStored("C:\\Dodu_Test_Logiciel_Lumiscope\\bases de donnees\\Photos\\x.bmp"),
              fs::path("/data/pin/bases de donnees/Photos/x.bmp"));
    EXPECT_EQ(root.resolveStored("bases de donnees/Photos/accueil.bmp"),
              fs::path("/data/pin/bases de donnees/Photos/accueil.bmp"));
    EXPECT_EQ(root.toStored("/data/pin/bases de donnees/Photos/a.bmp"), "bases de donnees/Photos/a.bmp");
    EXPECT_EQ(root.toStored("/elsewhere/a.bmp"), "/elsewhere/a.bmp");
}
