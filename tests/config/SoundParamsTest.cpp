#include "config/SoundParams.h"

#include "ConfigTestSupport.h"
#include "platform/PinError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace pinstage;
using namespace pinstage::test;
namespace fs = std::filesystem;

namespace {

ContactsRecord namedContacts() {
    ContactsRecord c;
    for (int i = 0; i < kContactCount; ++i)
        c.names[size_t(i)].setUtf8("contact n°" + std::to_string(i));
    return c;
}

std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const PinError& e) {
        return e.what();
    }
    return "(no error)";
}

struct Expected {
    int function;
    const char* label;
    int32_t sound;
};

} // namespace

TEST(SoundParamsDefaults, FileNamesOfTheSixtyFourSounds) {
    SoundsRecord r = defaultSoundParams(namedContacts());
    EXPECT_EQ(r.entries[0].fileName.utf8(), "rouleau.wav");
    EXPECT_EQ(r.entries[10].fileName.utf8(), "chanson.wav");
    EXPECT_EQ(r.entries[11].fileName.utf8(), "Lorraine.wav");
    EXPECT_EQ(r.entries[31].fileName.utf8(), "rebonds.wav");
    EXPECT_EQ(r.entries[32].fileName.utf8(), "rebond1.wav");
    EXPECT_EQ(r.entries[48].fileName.utf8(), "5_clochettes.wav");
    EXPECT_EQ(r.entries[49].fileName.utf8(), "Cloche_flipper.wav");
    for (int i : {33, 40, 47, 50, 63})
        EXPECT_EQ(r.entries[size_t(i)].fileName.utf8(), "sonpiece.wav") << i;
    for (int i = kSoundCount; i < kSoundFunctionCount; ++i)
        EXPECT_EQ(r.entries[size_t(i)].fileName.utf8(), "") << i;
    EXPECT_STREQ(soundFileNames[64], " ");
}

TEST(SoundParamsDefaults, NamedGameFunctions) {
    const Expected named[] = {
        {0, "son bobine rouleau", 0},
        {1, "son transfert d'un rouleau à un autre", 1},
        {2, "son trou du bonus lorsque décomptage bonus", 3},
        {3, "son mise en jeu d'une bille", 4},
        {4, "son remontée 4 cibles voyant 'bonus multiplier' éteint", 8},
        {5, "son engagement d'une partie", 9},
        {6, "son sorties G et D et étoile 10.000", 11},
        {7, "son remontée 4 cibles quand voyant 'bonusmultiplier' allumé ", 10},
        {8, "son passage 1,7,8,9", 5},
        {9, "son contact rebond caoutchoucs", 12},
        {10, "son du Tilt", 13},
        {11, "son début des points du plateau multipliés", 15},
        {14, "son combinaison des cibles tombantes PENTACLE et cible Special", 22},
        {15, "son de remontée des 3 cibles bleu, blanc, rouge et cible Extra Ball", 23},
        {16, "son joué en continue lorsque les points du plateau sont multipliés", 28},
        {17, "Son Game Over", 31},
        {18, "Son cible bumper prisonnier", 26},
        {20, "son arrêté à la fin des points multipliés", 255},
        {30, "Musique de fonds", 20},
    };
    SoundsRecord r = defaultSoundParams(namedContacts());
    std::array<bool, 31> seen{};
    for (const Expected& e : named) {
        EXPECT_EQ(r.entries[size_t(e.function)].label.utf8(), e.label) << e.function;
        EXPECT_EQ(r.entries[size_t(e.function)].soundNumber, e.sound) << e.function;
        seen[size_t(e.function)] = true;
    }
    for (int f = 0; f < 31; ++f) {
        if (seen[size_t(f)])
            continue;
        EXPECT_EQ(r.entries[size_t(f)].label.utf8(), "inutilisé") << f;
        EXPECT_EQ(r.entries[size_t(f)].soundNumber, kNoSound) << f;
    }
}

TEST(SoundParamsDefaults, ContactFunctionsCarryTheContactNames) {
    ContactsRecord contacts = namedContacts();
    contacts.names[28].setUtf8("Bumper centre");
    contacts.names[64].setUtf8("Monnayeur 1");
    SoundsRecord r = defaultSoundParams(contacts);
    EXPECT_EQ(r.entries[31].label.utf8(), "strobe 0 return 0 Son pour contact    contact n°0");
    EXPECT_EQ(r.entries[59].label.utf8(), "strobe 3 return 4 Son pour contact    Bumper centre");
    EXPECT_EQ(r.entries[94].label.utf8(), "strobe 7 return 7 Son pour contact    contact n°63");
    EXPECT_EQ(r.entries[95].label.utf8(), "Dry 0 Son pour contact    Monnayeur 1");
    for (int f = 31; f < kSoundFunctionCount; ++f)
        EXPECT_EQ(r.entries[size_t(f)].soundNumber, f == 59 ? 30 : kNoSound) << f;
    // The table itself keeps the eight direct switches, of which only the first has a record.
    EXPECT_STREQ(soundFunctions[2 * 102], "Dry 7 Son pour contact ");
    EXPECT_STREQ(soundFunctions[2 * 59 + 1], "30");
}

TEST(SoundParamsFile, DefaultsLieAtTheirOffsets) {
    ScratchRoot s("pin-cfgm-sounds-offsets");
    SoundsRecord r;
    createSoundParamsDefaults(s.root(), 3, namedContacts(), r);
    auto bytes = fileBytes(s.datas("SonsParam3.fli"));
    ASSERT_EQ(bytes.size(), 10640u);
    EXPECT_EQ(bytes, fileBytes(s.datas("DefautSons3.fli")));
    EXPECT_EQ(slotText(bytes, 0, 25), "rouleau.wav");
    EXPECT_EQ(slotText(bytes, 112 * 10, 25), "chanson.wav");
    EXPECT_EQ(slotText(bytes, 112 * 1 + 25, 83), utf8ToCp1252("son transfert d'un rouleau à un autre"));
    EXPECT_EQ(le32(bytes, 112 * 2 + 108), 3u);
    EXPECT_EQ(le32(bytes, 112 * 59 + 108), 30u);
    EXPECT_EQ(le32(bytes, 112 * 94 + 108), 255u);
    EXPECT_EQ(slotText(bytes, 112 * 94 + 25, 83), "strobe 7 return 7 Son pour contact    contact n\xB0"
                                                  "63");
    EXPECT_EQ(encodeSoundParams(r), bytes);
    EXPECT_FALSE(fs::exists(s.datas("SonsParam0.fli")));
}

TEST(SoundParamsFile, RoundTripKeepsEveryByte) {
    ScratchRoot s("pin-cfgm-sounds-roundtrip");
    auto noise = noiseBytes(kSoundsFileSize, 7);
    SoundsRecord r;
    decodeSoundParams(noise, r);
    EXPECT_EQ(encodeSoundParams(r), noise);
    saveSoundParams(s.datas("SonsParam0.fli"), r);
    EXPECT_EQ(fileBytes(s.datas("SonsParam0.fli")), noise);
    SoundsRecord back;
    loadSoundParams(s.datas("SonsParam0.fli"), back);
    EXPECT_EQ(encodeSoundParams(back), noise);
}

TEST(SoundParamsFile, ShortFileLoadsWhatItHoldsEvenInsideANumber) {
    ScratchRoot s("pin-cfgm-sounds-short");
    SoundsRecord r = defaultSoundParams(namedContacts());
    auto noise = noiseBytes(112 + 110, 3); // ends after two bytes of entry 1's sound number
    writeBytes(s.datas("SonsParam0.fli"), noise);
    loadSoundParams(s.datas("SonsParam0.fli"), r);
    auto image = encodeSoundParams(r);
    EXPECT_TRUE(std::equal(noise.begin(), noise.end(), image.begin()));
    // Entry 1's default number is 1: its two high bytes stay 0.
    EXPECT_EQ(uint32_t(r.entries[1].soundNumber) & 0xFFFF0000u, 0u);
    EXPECT_EQ(r.entries[2].label.utf8(), "son trou du bonus lorsque décomptage bonus");
    EXPECT_EQ(r.entries[2].soundNumber, 3);
}

TEST(SoundParamsFile, LongerFileReadsOnlyTheRecordAndEntry95KeepsItsDefault) {
    ScratchRoot s("pin-cfgm-sounds-long");
    auto noise = noiseBytes(kSoundsFileSize + 600, 11);
    writeBytes(s.datas("SonsParam0.fli"), noise);
    SoundsRecord r = defaultSoundParams(namedContacts());
    std::string label95 = r.entries[95].label.utf8();
    r.entries[95].soundNumber = 12;
    loadSoundParams(s.datas("SonsParam0.fli"), r);
    EXPECT_EQ(encodeSoundParams(r), std::vector<uint8_t>(noise.begin(), noise.begin() + kSoundsFileSize));
    EXPECT_EQ(r.entries[95].soundNumber, kNoSound);
    EXPECT_EQ(r.entries[95].label.utf8(), label95);
}

TEST(SoundParamsFile, SaveOverwritesInPlaceKeepingALongerFilesTail) {
    ScratchRoot s("pin-cfgm-sounds-inplace");
    auto old = noiseBytes(kSoundsFileSize + 300, 13);
    writeBytes(s.datas("SonsParam0.fli"), old);
    SoundsRecord r = defaultSoundParams(namedContacts());
    saveSoundParams(s.datas("SonsParam0.fli"), r);
    auto bytes = fileBytes(s.datas("SonsParam0.fli"));
    ASSERT_EQ(bytes.size(), old.size());
    auto image = encodeSoundParams(r);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), bytes.begin()));
    EXPECT_TRUE(std::equal(old.begin() + kSoundsFileSize, old.end(), bytes.begin() + kSoundsFileSize));
}

TEST(SoundParamsFile, OutOfRangeSoundNumbersAreKeptButNeverIndex) {
    ScratchRoot s("pin-cfgm-sounds-range");
    SoundsRecord r = defaultSoundParams(namedContacts());
    r.entries[3].soundNumber = 300;
    r.entries[4].soundNumber = -2;
    saveSoundParams(s.datas("SonsParam0.fli"), r);
    SoundsRecord back;
    loadSoundParams(s.datas("SonsParam0.fli"), back);
    EXPECT_EQ(back.entries[3].soundNumber, 300);
    EXPECT_EQ(back.entries[4].soundNumber, -2);
    EXPECT_EQ(soundOfFunction(back, 3), -1);
    EXPECT_EQ(soundOfFunction(back, 4), -1);
    EXPECT_EQ(soundOfFunction(back, 0), 0);
    EXPECT_EQ(soundOfFunction(back, 96), -1);
}

TEST(SoundParamsFile, MissingFileAndFailedSaveRaiseTheirMessages) {
    ScratchRoot s("pin-cfgm-sounds-errors");
    SoundsRecord r = defaultSoundParams(namedContacts());
    auto before = encodeSoundParams(r);
    EXPECT_EQ(messageOf([&] { loadSoundParams(s.datas("SonsParam5.fli"), r); }),
              "fichier de paramétrage des sons introuvable");
    EXPECT_EQ(encodeSoundParams(r), before);

    auto old = noiseBytes(kSoundsFileSize, 5);
    writeBytes(s.datas("SonsParam0.fli"), old);
    fs::permissions(s.datas("SonsParam0.fli"), fs::perms::owner_read);
    EXPECT_EQ(messageOf([&] { saveSoundParams(s.datas("SonsParam0.fli"), r); }),
              "Impossible de créer le fichier de paramètrages du son");
    EXPECT_EQ(fileBytes(s.datas("SonsParam0.fli")), old);
}

TEST(SoundParamsFile, FailedCreationLeavesTheRecordUnchanged) {
    ScratchRoot s("pin-cfgm-sounds-create-ro");
    fs::permissions(s.datas(), fs::perms::owner_read | fs::perms::owner_exec);
    SoundsRecord r;
    r.entries[0].fileName.setUtf8("garde.wav");
    EXPECT_EQ(messageOf([&] { createSoundParamsDefaults(s.root(), 0, namedContacts(), r); }),
              "Impossible de créer le fichier de paramètrages du son");
    EXPECT_EQ(r.entries[0].fileName.utf8(), "garde.wav");
}

TEST(SoundParamsFile, RestoreReadsTheDefaultCopyOrCreatesBothFiles) {
    ScratchRoot s("pin-cfgm-sounds-restore");
    SoundsRecord r;
    restoreSoundParamsDefaults(s.root(), 2, namedContacts(), r);
    EXPECT_TRUE(fs::exists(s.datas("SonsParam2.fli")));
    EXPECT_TRUE(fs::exists(s.datas("DefautSons2.fli")));
    EXPECT_EQ(r.entries[10].fileName.utf8(), "chanson.wav");

    SoundsRecord edited = r;
    edited.entries[10].fileName.setUtf8("autre.wav");
    saveSoundParams(s.datas("DefautSons2.fli"), edited);
    restoreSoundParamsDefaults(s.root(), 2, namedContacts(), r);
    EXPECT_EQ(r.entries[10].fileName.utf8(), "autre.wav");
}

TEST(SoundParamsDescribe, ListsEveryFieldAndFlagsOddValues) {
    SoundsRecord r = defaultSoundParams(namedContacts());
    r.entries[5].soundNumber = 64;
    auto bytes = encodeSoundParams(r);
    auto lines = describeSoundParams(bytes);
    ASSERT_EQ(lines.size(), 95u * 3);
    EXPECT_EQ(lines[30].offset, 1120u);
    EXPECT_EQ(lines[30].name, "fileName[10]");
    EXPECT_EQ(lines[30].value, "chanson.wav");
    EXPECT_EQ(lines[31].name, "label[10]");
    EXPECT_EQ(lines[32].name, "soundNumber[10]");
    EXPECT_EQ(lines[5 * 3 + 2].offset, 112u * 5 + 108);
    EXPECT_NE(lines[5 * 3 + 2].value.find("64"), std::string::npos);
    EXPECT_NE(lines[5 * 3 + 2].value.find("hors limites"), std::string::npos);
    EXPECT_NE(lines[12 * 3 + 2].value.find("aucun"), std::string::npos);
    EXPECT_EQ(lines[2 * 3 + 2].value, "3");

    // Only the fields wholly inside the bytes, and nothing past the record.
    auto cut = describeSoundParams(std::span(bytes).first(112 + 30));
    ASSERT_EQ(cut.size(), 4u);
    EXPECT_EQ(cut[3].name, "fileName[1]");
    bytes.resize(bytes.size() + 200, 0xEE);
    EXPECT_EQ(describeSoundParams(bytes).size(), 95u * 3);
}
