// The start-up's full load: which files a configuration creates, with which sizes, in which
// order, and that present files are loaded and never rewritten.
#include "ConfigTestSupport.h"

#include "config/Adjustments.h"
#include "config/CoilsParams.h"
#include "config/ContactsParams.h"
#include "config/FrontonParams.h"
#include "config/GameRuleParams.h"
#include "config/LampsParams.h"
#include "config/ParameterStore.h"
#include "config/SoundParams.h"
#include "platform/PinError.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace pinstage;
using namespace pinstage::test;
namespace fs = std::filesystem;

namespace {

struct FileState {
    std::vector<uint8_t> bytes;
    fs::file_time_type written;
};

// Every regular file under the root, by its name (names are unique across the sub-directories).
std::map<std::string, FileState> snapshot(const fs::path& root) {
    std::map<std::string, FileState> files;
    for (auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file())
            files[e.path().filename().string()] = {fileBytes(e.path()), e.last_write_time()};
    return files;
}

std::vector<std::string> expectedNames(int c) {
    auto n = [c](const char* base) { return numberedName(base, c); };
    return {"ContactsParam.fli",         "BobinesParam.fli",
            "VoyantsParam.fli",          n("RegleDuJeuParam.fli"),
            n("DefautRegleDuJeu.fli"),   n("CombinaisonsParam.fli"),
            n("DefautCombinaisons.fli"), n("Comptabilite.fli"),
            n("SonsParam.fli"),          n("DefautSons.fli"),
            n("FrontonParam.fli"),       n("DefautFronton.fli"),
            n("Réglages.fli"),           n("Annonceurs.fli"),
            n("DefautAnnonceurs.fli"),   n("Joueurs.db")};
}

TEST(FullLoad, AnEmptyRootGetsEveryFileOfTheConfiguration) {
    ScratchRoot s("pin-fullload");
    ParameterSet set;
    std::vector<std::string> created;
    fullLoad(s.root(), 3, set, &created);
    EXPECT_EQ(created, expectedNames(3));
    EXPECT_EQ(set.configuration, 3);

    auto files = snapshot(s.root().root());
    const std::map<std::string, size_t> sizes = {
        {"ContactsParam.fli", 1800},
        {"BobinesParam.fli", 1320},
        {"VoyantsParam.fli", 2816},
        {"RegleDuJeuParam3.fli", 3648},
        {"DefautRegleDuJeu3.fli", 3648},
        {"CombinaisonsParam3.fli", 3104},
        {"DefautCombinaisons3.fli", 3104},
        {"Comptabilite3.fli", 164},
        {"SonsParam3.fli", 10640},
        {"DefautSons3.fli", 10640},
        {"FrontonParam3.fli", 16376},
        {"DefautFronton3.fli", 16376},
        {"Réglages3.fli", 112},
        {"Annonceurs3.fli", 19 * 192},
        {"DefautAnnonceurs3.fli", 19 * 192},
        {"Joueurs3.db", 7 * 168},
    };
    ASSERT_EQ(files.size(), sizes.size()) << "nothing else is written, no temporary left";
    for (const auto& [name, size] : sizes) {
        ASSERT_TRUE(files.count(name)) << name;
        EXPECT_EQ(files[name].bytes.size(), size) << name;
    }
    EXPECT_TRUE(fs::exists(s.datas("ContactsParam.fli"))) << "playfield files are not numbered";
    EXPECT_EQ(encodeCoils(set.coils), files["BobinesParam.fli"].bytes);
    EXPECT_EQ(encodeAdjustments(set.adjustments), files["Réglages3.fli"].bytes);
    EXPECT_EQ(set.advertisers.fiches.size(), 19u);
}

TEST(FullLoad, ASecondRunCreatesNothingAndRewritesNothing) {
    ScratchRoot s("pin-fullload-twice");
    ParameterSet first;
    fullLoad(s.root(), 3, first, nullptr);
    auto before = snapshot(s.root().root());
    ParameterSet second;
    std::vector<std::string> created;
    fullLoad(s.root(), 3, second, &created);
    EXPECT_TRUE(created.empty());
    auto after = snapshot(s.root().root());
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [name, state] : before) {
        EXPECT_EQ(after[name].bytes, state.bytes) << name;
        EXPECT_EQ(after[name].written, state.written) << name;
    }
    EXPECT_EQ(encodeContacts(second.contacts), encodeContacts(first.contacts));
    EXPECT_EQ(encodeGameRule(second.gameRule), encodeGameRule(first.gameRule));
}

TEST(FullLoad, DeletingOnlyTheAdjustmentsRecreatesThem) {
    ScratchRoot s("pin-fullload-adj");
    ParameterSet set;
    fullLoad(s.root(), 0, set, nullptr);
    fs::remove(s.datas("Réglages0.fli"));
    auto before = snapshot(s.root().root());
    std::vector<std::string> created;
    fullLoad(s.root(), 0, set, &created);
    EXPECT_EQ(created, std::vector<std::string>{"Réglages0.fli"});
    auto after = snapshot(s.root().root());
    EXPECT_EQ(after["Réglages0.fli"].bytes, encodeAdjustments(defaultAdjustments()));
    after.erase("Réglages0.fli");
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [name, state] : before) {
        EXPECT_EQ(after[name].bytes, state.bytes) << name;
        EXPECT_EQ(after[name].written, state.written) << name;
    }
}

TEST(FullLoad, PresentFilesAreLoadedAsTheyAre) {
    ScratchRoot s("pin-fullload-present");
    AdjustmentsRecord adj = defaultAdjustments();
    adj.ballsPerGame = 5;
    saveAdjustments(s.datas("Réglages2.fli"), adj);
    CoilsRecord coils = defaultCoils();
    coils.pulseMs[3] = 45;
    saveCoils(s.datas("BobinesParam.fli"), coils);
    ParameterSet set;
    std::vector<std::string> created;
    fullLoad(s.root(), 2, set, &created);
    EXPECT_EQ(set.adjustments.ballsPerGame, 5);
    EXPECT_EQ(set.coils.pulseMs[3], 45u);
    std::set<std::string> names(created.begin(), created.end());
    EXPECT_FALSE(names.count("Réglages2.fli"));
    EXPECT_FALSE(names.count("BobinesParam.fli"));
    EXPECT_TRUE(names.count("ContactsParam.fli"));
}

TEST(FullLoad, ConfigurationsKeepTheirOwnFiles) {
    ScratchRoot s("pin-fullload-two");
    ParameterSet set;
    fullLoad(s.root(), 0, set, nullptr);
    std::vector<std::string> created;
    fullLoad(s.root(), 7, set, &created);
    auto expected = expectedNames(7);
    expected.erase(expected.begin(), expected.begin() + 3); // the playfield files are shared
    EXPECT_EQ(created, expected);
    EXPECT_EQ(set.configuration, 7);
}

TEST(FullLoad, ErrorsPropagateWithTheFileMessage) {
    ScratchRoot s("pin-fullload-errors");
    ParameterSet set;
    EXPECT_THROW(fullLoad(s.root(), 8, set, nullptr), PinError);
    EXPECT_THROW(fullLoad(s.root(), -1, set, nullptr), PinError);
    fs::create_directory(s.datas("ContactsParam.fli"));
    try {
        fullLoad(s.root(), 0, set, nullptr);
        FAIL() << "no error";
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), "fichier des paramètres des contacts introuvable");
    }
}

// Files cut short (an old version, a copy from a floppy) keep the built-in values for what they lack,
// on the first load and after another configuration was loaded.
TEST(FullLoad, ShortFilesKeepTheDefaultsForWhatTheyLack) {
    ScratchRoot s("pin-fullload-short");
    ContactsRecord contacts = defaultContacts();
    contacts.names[28].setUtf8("Cible Étoile");
    saveContacts(s.datas("ContactsParam.fli"), contacts);
    ParameterSet set;
    fullLoad(s.root(), 0, set, nullptr); // configuration 0 gets every file
    SoundsRecord other = set.sounds;
    for (auto& e : other.entries)
        e.soundNumber = 0;
    saveSoundParams(s.datas("SonsParam0.fli"), other);
    fullLoad(s.root(), 0, set, nullptr);
    ASSERT_EQ(set.sounds.entries[30].soundNumber, 0);

    // Configuration 3: one sound entry, 30 bytes of adjustments, two backglass elements.
    SoundsRecord sounds = defaultSoundParams(contacts);
    sounds.entries[0].fileName.setUtf8("clic.wav");
    sounds.entries[0].soundNumber = 5;
    auto soundBytes = encodeSoundParams(sounds);
    soundBytes.resize(kSoundEntrySize);
    writeBytes(s.datas("SonsParam3.fli"), soundBytes);
    AdjustmentsRecord adj = defaultAdjustments();
    adj.ballsPerGame = 5;
    adj.recordScore = 1234;
    auto adjBytes = encodeAdjustments(adj);
    adjBytes.resize(30);
    writeBytes(s.datas("Réglages3.fli"), adjBytes);
    FrontonRecord layout = defaultFronton();
    layout.elements[1].displayLeft = 7;
    layout.elements[40].displayLeft = 9;
    auto layoutBytes = encodeFronton(layout);
    layoutBytes.resize(2 * kFrontonElementSize);
    writeBytes(s.datas("FrontonParam3.fli"), layoutBytes);

    fullLoad(s.root(), 3, set, nullptr);
    SoundsRecord expected = defaultSoundParams(contacts);
    EXPECT_EQ(set.sounds.entries[0].fileName.utf8(), "clic.wav");
    EXPECT_EQ(set.sounds.entries[0].soundNumber, 5);
    for (size_t i = 1; i < size_t(kSoundFunctionCount); ++i) {
        EXPECT_EQ(set.sounds.entries[i].label.utf8(), expected.entries[i].label.utf8()) << i;
        EXPECT_EQ(set.sounds.entries[i].fileName.utf8(), expected.entries[i].fileName.utf8()) << i;
        EXPECT_EQ(set.sounds.entries[i].soundNumber, expected.entries[i].soundNumber) << i;
    }
    EXPECT_NE(set.sounds.entries[30].soundNumber, 0) << "the music is not the reel click";
    EXPECT_EQ(set.sounds.entries[59].label.utf8(), "strobe 3 return 4 Son pour contact    Cible Étoile");
    EXPECT_EQ(set.sounds.entries[59].soundNumber, 30);

    EXPECT_EQ(set.adjustments.ballsPerGame, 5);
    AdjustmentsRecord expectedAdj = defaultAdjustments();
    expectedAdj.ballsPerGame = 5;
    EXPECT_EQ(encodeAdjustments(set.adjustments), encodeAdjustments(expectedAdj))
        << "record score from the defaults";

    FrontonRecord expectedLayout = defaultFronton();
    expectedLayout.elements[1].displayLeft = 7;
    EXPECT_EQ(encodeFronton(set.fronton), encodeFronton(expectedLayout));

    ParameterSet fresh; // a first load: the same
    fullLoad(s.root(), 3, fresh, nullptr);
    EXPECT_EQ(encodeSoundParams(fresh.sounds), encodeSoundParams(set.sounds));
    EXPECT_EQ(encodeFronton(fresh.fronton), encodeFronton(set.fronton));

    // The early read of configuration 0's adjustments follows the same rule.
    writeBytes(s.datas("Réglages0.fli"), adjBytes);
    AdjustmentsRecord early{};
    loadOrCreateAdjustments0(s.root(), early, nullptr);
    EXPECT_EQ(encodeAdjustments(early), encodeAdjustments(expectedAdj));

    // A load that fails leaves the record as it was.
    fs::remove(s.datas("Réglages3.fli"));
    fs::create_directory(s.datas("Réglages3.fli"));
    set.adjustments.ballsPerGame = 4;
    EXPECT_THROW(fullLoad(s.root(), 3, set, nullptr), PinError);
    EXPECT_EQ(set.adjustments.ballsPerGame, 4);
}

TEST(FullLoad, EarlyAdjustmentsOfConfigurationZero) {
    ScratchRoot s("pin-adj0");
    AdjustmentsRecord r;
    std::vector<std::string> created;
    loadOrCreateAdjustments0(s.root(), r, &created);
    EXPECT_EQ(created, std::vector<std::string>{"Réglages0.fli"});
    EXPECT_EQ(snapshot(s.root().root()).size(), 1u);
    r.recordScore = 1;
    AdjustmentsRecord stored = defaultAdjustments();
    stored.recordScore = 777777;
    saveAdjustments(s.datas("Réglages0.fli"), stored);
    created.clear();
    loadOrCreateAdjustments0(s.root(), r, &created);
    EXPECT_TRUE(created.empty());
    EXPECT_EQ(r.recordScore, 777777u);
}

TEST(FullLoad, FilesOfTheConfigurationInUse) {
    ScratchRoot s("pin-fullload-paths");
    ParameterSet set;
    set.configuration = 5;
    EXPECT_EQ(accountingFileOf(s.root(), set), s.datas("Comptabilite5.fli"));
    EXPECT_EQ(adjustmentsFileOf(s.root(), set), s.datas("Réglages5.fli"));
}

} // namespace
