// The file behaviour every parameter record shares: byte-exact round trip, short and long files,
// missing file, refused saves.
#include "ConfigTestSupport.h"

#include "config/Accounting.h"
#include "config/Adjustments.h"
#include "config/CoilsParams.h"
#include "config/CombinationsParams.h"
#include "config/ContactsParams.h"
#include "config/GameRuleParams.h"
#include "config/LampsParams.h"
#include "config/RecordFile.h"
#include "platform/PinError.h"

#include <gtest/gtest.h>

using namespace pinstage;
using namespace pinstage::test;
namespace fs = std::filesystem;

namespace {

#define RECORD_CASE(Name, Rec, Size, KeepsTail, LoadFn, SaveFn, EncodeFn, DefaultsExpr, LoadMsg, SaveMsg)    \
    struct Name {                                                                                            \
        using Record = Rec;                                                                                  \
        static constexpr size_t kSize = Size;                                                                \
        static constexpr bool kKeepsTail = KeepsTail;                                                        \
        static constexpr const char* kLoadMessage = LoadMsg;                                                 \
        static constexpr const char* kSaveMessage = SaveMsg;                                                 \
        static void load(const fs::path& f, Record& r) { LoadFn(f, r); }                                     \
        static void save(const fs::path& f, const Record& r) { SaveFn(f, r); }                               \
        static std::vector<uint8_t> encode(const Record& r) { return EncodeFn(r); }                          \
        static Record defaults() { return DefaultsExpr; }                                                    \
    };

RECORD_CASE(ContactsCase, ContactsRecord, 1800, true, loadContacts, saveContacts, encodeContacts,
            defaultContacts(), "fichier des paramètres des contacts introuvable",
            "Impossible de créer le fichier de paramètrages des contacts")
RECORD_CASE(CoilsCase, CoilsRecord, 1320, false, loadCoils, saveCoils, encodeCoils, defaultCoils(),
            "fichier de paramétrage des bobines introuvable",
            "Impossible de créer le fichier de paramètre des bobines")
RECORD_CASE(LampsCase, LampsRecord, 2816, true, loadLamps, saveLamps, encodeLamps, defaultLamps(),
            "fichier de paramétrage des voyants introuvable",
            "Impossible de créer le fichier de paramètrages des voyants")
RECORD_CASE(GameRuleCase, GameRuleRecord, 3648, true, loadGameRule, saveGameRule, encodeGameRule,
            defaultGameRule(), "fichier des paramètres de la règle du jeu introuvable",
            "Impossible de créer le fichier de règle du jeu")
RECORD_CASE(CombinationsCase, CombinationsRecord, 3104, true, loadCombinations, saveCombinations,
            encodeCombinations, defaultCombinations(),
            "fichier des paramètres des combinaisons de jeu introuvable",
            "Impossible de créer le fichier des combinaisons de jeu")
RECORD_CASE(AdjustmentsCase, AdjustmentsRecord, 112, false, loadAdjustments, saveAdjustments,
            encodeAdjustments, defaultAdjustments(), "Paramètres d'ajustement introuvables",
            "Impossible de créer le fichier de paramètres d'ajustement")
RECORD_CASE(AccountingCase, AccountingRecord, 164, false, loadAccounting, saveAccounting, encodeAccounting,
            AccountingRecord{}, "fichier de comptabilité introuvable",
            "Impossible de créer le fichier de comptabilité")
#undef RECORD_CASE

template <class C> class RecordFiles : public ::testing::Test {
protected:
    ScratchRoot scratch{"pin-recordfiles"};
    fs::path file(const char* name = "record.fli") const { return scratch.datas(name); }
};

using RecordCases = ::testing::Types<ContactsCase, CoilsCase, LampsCase, GameRuleCase, CombinationsCase,
                                     AdjustmentsCase, AccountingCase>;
TYPED_TEST_SUITE(RecordFiles, RecordCases);

// Any byte image loads and saves back unchanged: every byte is covered, the bytes after a text
// terminator and the alignment bytes included.
TYPED_TEST(RecordFiles, AnyImageRoundTripsByteForByte) {
    using C = TypeParam;
    for (unsigned seed : {1u, 2u, 3u}) {
        auto image = noiseBytes(C::kSize, seed);
        writeBytes(this->file(), image);
        typename C::Record r = C::defaults();
        C::load(this->file(), r);
        EXPECT_EQ(C::encode(r), image);
        C::save(this->file("copy.fli"), r);
        EXPECT_EQ(fileBytes(this->file("copy.fli")), image);
    }
}

TYPED_TEST(RecordFiles, EncodedSizeIsTheRecordSize) {
    using C = TypeParam;
    EXPECT_EQ(C::encode(C::defaults()).size(), C::kSize);
    C::save(this->file(), C::defaults());
    EXPECT_EQ(fs::file_size(this->file()), C::kSize);
}

// A short file changes only the bytes it holds, even when it ends inside a field.
TYPED_TEST(RecordFiles, ShortFileLoadsWhatItHolds) {
    using C = TypeParam;
    auto noise = noiseBytes(C::kSize, 7);
    for (size_t held : {size_t(0), size_t(1), C::kSize / 2 + 3, C::kSize - 1}) {
        typename C::Record r = C::defaults();
        auto before = C::encode(r);
        writeBytes(this->file(), std::vector<uint8_t>(noise.begin(), noise.begin() + std::ptrdiff_t(held)));
        C::load(this->file(), r);
        auto expected = before;
        std::copy(noise.begin(), noise.begin() + std::ptrdiff_t(held), expected.begin());
        EXPECT_EQ(C::encode(r), expected) << "file of " << held << " bytes";
    }
}

TYPED_TEST(RecordFiles, LongFileReadsOnlyTheRecordSize) {
    using C = TypeParam;
    auto noise = noiseBytes(C::kSize + 77, 11);
    writeBytes(this->file(), noise);
    typename C::Record r = C::defaults();
    C::load(this->file(), r);
    EXPECT_EQ(C::encode(r), std::vector<uint8_t>(noise.begin(), noise.begin() + std::ptrdiff_t(C::kSize)));
    r = C::defaults();
    C::save(this->file(), r);
    auto saved = fileBytes(this->file());
    auto expected = C::encode(r);
    // Coils, adjustments and accounting truncate the file; the others overwrite it in place.
    if (C::kKeepsTail)
        expected.insert(expected.end(), noise.begin() + std::ptrdiff_t(C::kSize), noise.end());
    EXPECT_EQ(saved, expected);
}

TYPED_TEST(RecordFiles, MissingFileOrDirectoryRaisesTheLoadMessage) {
    using C = TypeParam;
    typename C::Record r = C::defaults();
    auto before = C::encode(r);
    try {
        C::load(this->file("absent.fli"), r);
        FAIL() << "no error";
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), C::kLoadMessage);
    }
    fs::create_directory(this->file("dir.fli"));
    try {
        C::load(this->file("dir.fli"), r);
        FAIL() << "no error";
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), C::kLoadMessage);
    }
    EXPECT_EQ(C::encode(r), before);
}

TYPED_TEST(RecordFiles, WriteProtectedFileRefusesTheSave) {
    using C = TypeParam;
    auto old = noiseBytes(C::kSize, 5);
    writeBytes(this->file(), old);
    fs::permissions(this->file(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    typename C::Record r = C::defaults();
    auto before = C::encode(r);
    try {
        C::save(this->file(), r);
        FAIL() << "no error";
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), C::kSaveMessage);
    }
    EXPECT_EQ(fileBytes(this->file()), old);
    EXPECT_EQ(C::encode(r), before);
}

TYPED_TEST(RecordFiles, WriteProtectedDirectoryRefusesTheSave) {
    using C = TypeParam;
    fs::permissions(this->scratch.datas(), fs::perms::owner_read | fs::perms::owner_exec);
    try {
        C::save(this->file(), C::defaults());
        FAIL() << "no error";
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), C::kSaveMessage);
    }
    fs::permissions(this->scratch.datas(), fs::perms::owner_all);
    EXPECT_FALSE(fs::exists(this->file()));
    EXPECT_EQ(std::distance(fs::directory_iterator(this->scratch.datas()), fs::directory_iterator()), 0);
}

TYPED_TEST(RecordFiles, LoadAndSaveLeaveTheWorkingDirectoryAlone) {
    using C = TypeParam;
    auto cwd = fs::current_path();
    typename C::Record r = C::defaults();
    C::save(this->file(), r);
    C::load(this->file(), r);
    EXPECT_EQ(fs::current_path(), cwd);
}

TEST(RecordFileSave, InPlaceImageNeverReadsPastWhatTheFileHeld) {
    const std::vector<uint8_t> record{1, 2, 3, 4};
    // Longer than the record: its tail is kept.
    EXPECT_EQ(overwritePrefix(std::vector<uint8_t>{9, 9, 9, 9, 7, 8}, record),
              (std::vector<uint8_t>{1, 2, 3, 4, 7, 8}));
    // Cut to fewer bytes than the record after its size was looked at: the record alone.
    EXPECT_EQ(overwritePrefix(std::vector<uint8_t>{9, 9}, record), record);
    EXPECT_EQ(overwritePrefix({}, record), record);
}

} // namespace
