#include "WavFixtures.h"

#include "sound/DefaultSoundNames.h"
#include "sound/SoundFileLookup.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace pinstage;
using namespace pinstage::testing;

TEST(DefaultSoundNames, BuiltInTable) {
    EXPECT_EQ(defaultSoundFileName(0), "rouleau.wav");
    EXPECT_EQ(defaultSoundFileName(1), "bob2.wav");
    EXPECT_EQ(defaultSoundFileName(10), "chanson.wav");
    EXPECT_EQ(defaultSoundFileName(13), "Tilt.wav");
    EXPECT_EQ(defaultSoundFileName(27), "ting.wav");
    EXPECT_EQ(defaultSoundFileName(32), "rebond1.wav");
    EXPECT_EQ(defaultSoundFileName(48), "5_clochettes.wav");
    EXPECT_EQ(defaultSoundFileName(49), "Cloche_flipper.wav");
    for (int n : {33, 40, 47, 50, 63})
        EXPECT_EQ(defaultSoundFileName(n), "sonpiece.wav") << n;
    EXPECT_EQ(defaultSoundFileName(64), "");
    EXPECT_EQ(defaultSoundFileName(-1), "");
    // Every name fits the 25-byte slot with its terminator.
    for (int n = 0; n < 64; ++n)
        EXPECT_LT(defaultSoundFileName(n).size(), 25u);
}

TEST(DefaultSoundNames, DistinctFilesIncludeTheSystemSounds) {
    auto files = defaultSoundFiles();
    EXPECT_EQ(files.size(), 36u); // 33 + 2 bells + "gongo.wav" ("ting.wav" is sound 27)
    EXPECT_EQ(files.front(), "rouleau.wav");
    EXPECT_NE(std::find(files.begin(), files.end(), "gongo.wav"), files.end());
    EXPECT_EQ(std::count(files.begin(), files.end(), "ting.wav"), 1);
    EXPECT_EQ(std::count(files.begin(), files.end(), "sonpiece.wav"), 1);
}

TEST(SoundFileLookup, FindsPlainNamesOnlyInsideTheDirectory) {
    auto dir = freshTempDir("lookup");
    std::ofstream(dir / "Cloche_flipper.wav") << "x";
    std::ofstream(dir / "Été.wav") << "x";
    std::filesystem::create_directory(dir / "dossier.wav");
    EXPECT_EQ(findSoundFile(dir, "Cloche_flipper.wav"), dir / "Cloche_flipper.wav");
    EXPECT_EQ(findSoundFile(dir, "cloche_FLIPPER.WAV"), dir / "Cloche_flipper.wav");
    EXPECT_EQ(findSoundFile(dir, "Été.wav"), dir / "Été.wav");
    EXPECT_FALSE(findSoundFile(dir, "dossier.wav"));
    EXPECT_FALSE(findSoundFile(dir, "absent.wav"));
    EXPECT_FALSE(findSoundFile(dir, ""));
    EXPECT_FALSE(findSoundFile(dir, "."));
    EXPECT_FALSE(findSoundFile(dir, ".."));
    EXPECT_FALSE(findSoundFile(dir / "dossier.wav", "../Cloche_flipper.wav"));
    EXPECT_FALSE(findSoundFile(dir / "dossier.wav", "..\\Cloche_flipper.wav"));
    EXPECT_FALSE(findSoundFile(dir, (dir / "Cloche_flipper.wav").string()));
    EXPECT_FALSE(findSoundFile(dir / "absent", "Cloche_flipper.wav"));
    std::filesystem::remove_all(dir);
}
