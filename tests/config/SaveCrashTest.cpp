// Saves cut at each of their steps, by a crash (a child process that ends there, as at a power cut)
// or by a failing system call: every file kind is afterwards the whole old file or the whole new
// one, a failed save says so, and the next start removes what a crash left behind.
#include "ConfigTestSupport.h"

#include "config/Accounting.h"
#include "config/Adjustments.h"
#include "config/Advertisers.h"
#include "config/CoilsParams.h"
#include "config/CombinationsParams.h"
#include "config/ContactsParams.h"
#include "config/FrontonParams.h"
#include "config/GameRuleParams.h"
#include "config/LampsParams.h"
#include "config/Players.h"
#include "config/SoundParams.h"
#include "platform/PinError.h"
#include "platform/StaleTemporaries.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <set>
#include <sys/wait.h>

using namespace pinstage;
using namespace pinstage::test;
namespace fs = std::filesystem;

namespace {

// One kind of file: where it lies, and a save of its old or its new contents, made by the
// program's own saver.
struct FileKind {
    const char* name;
    std::function<fs::path(const DataRoot&)> file;
    std::function<void(const DataRoot&, bool newContents)> save;
};

template <class Record>
FileKind recordKind(const char* name, const char* fileName, Record old, Record changed,
                    void (*saver)(const fs::path&, const Record&)) {
    return {name, [fileName](const DataRoot& r) { return r.file(DataDir::Datas, fileName); },
            [=](const DataRoot& r, bool fresh) {
                saver(r.file(DataDir::Datas, fileName), fresh ? changed : old);
            }};
}

std::vector<FileKind> fileKinds() {
    std::vector<FileKind> kinds;
    ContactsRecord contacts = defaultContacts();
    ContactsRecord contactsNew = contacts;
    contactsNew.names[71].setUtf8("Flipper Gauche réparé");
    kinds.push_back(recordKind("contacts", "ContactsParam.fli", contacts, contactsNew, saveContacts));
    CoilsRecord coils = defaultCoils();
    CoilsRecord coilsNew = coils;
    coilsNew.pulseMs[23] = 61;
    kinds.push_back(recordKind("coils", "BobinesParam.fli", coils, coilsNew, saveCoils));
    LampsRecord lamps = defaultLamps();
    LampsRecord lampsNew = lamps;
    lampsNew.onMs[63] = 333;
    kinds.push_back(recordKind("lamps", "VoyantsParam.fli", lamps, lampsNew, saveLamps));
    GameRuleRecord rule = defaultGameRule();
    GameRuleRecord ruleNew = rule;
    ruleNew.directScore[63] = 5000;
    kinds.push_back(recordKind("game rule", "RegleDuJeuParam0.fli", rule, ruleNew, saveGameRule));
    CombinationsRecord combinations = defaultCombinations();
    CombinationsRecord combinationsNew = combinations;
    combinationsNew.directScore[31] = 7;
    kinds.push_back(recordKind("combinations", "CombinaisonsParam0.fli", combinations, combinationsNew,
                               saveCombinations));
    AccountingRecord accounting{};
    accounting.creditUnits = 4;
    AccountingRecord accountingNew = accounting;
    accountingNew.creditUnits = 5;
    accountingNew.countersHigh[18] = 12;
    kinds.push_back(recordKind("accounting", "Comptabilite0.fli", accounting, accountingNew, saveAccounting));
    SoundsRecord sounds = defaultSoundParams(contacts);
    SoundsRecord soundsNew = sounds;
    soundsNew.entries[94].soundNumber = 12;
    kinds.push_back(recordKind("sounds", "SonsParam0.fli", sounds, soundsNew, saveSoundParams));
    FrontonRecord layout = defaultFronton();
    FrontonRecord layoutNew = layout;
    layoutNew.elements[88].layer = 17;
    kinds.push_back(recordKind("backglass layout", "FrontonParam0.fli", layout, layoutNew, saveFronton));
    AdjustmentsRecord adjustments = defaultAdjustments();
    AdjustmentsRecord adjustmentsNew = adjustments;
    adjustmentsNew.recordScore = 4567890;
    kinds.push_back(recordKind("adjustments", "Réglages0.fli", adjustments, adjustmentsNew, saveAdjustments));

    kinds.push_back({"advertisers", [](const DataRoot& r) { return advertisersFile(r, 0); },
                     [](const DataRoot& r, bool fresh) {
                         auto fiches = defaultAdvertisers("08/12/2026 01:00:00");
                         if (fresh)
                             fiches.back().diffusionsEffectives = 99;
                         EcrireAnnonceurs(advertisersFile(r, 0), fiches, false, 0, int(fiches.size()));
                     }});
    kinds.push_back({"players", [](const DataRoot& r) { return playersFile(r, 0); },
                     [](const DataRoot& r, bool fresh) {
                         auto fiches = defaultPlayerRecords("08/12/2026 01:00:00");
                         if (fresh)
                             fiches.back().score = 98765;
                         EcrireFichesJoueurs(playersFile(r, 0), fiches, false, 0, int(fiches.size()));
                     }});
    return kinds;
}

// Installs a step hook for one scope.
struct HookScope {
    explicit HookScope(SaveStepHook hook) { setSaveStepHook(std::move(hook)); }
    ~HookScope() { setSaveStepHook({}); }
    HookScope(const HookScope&) = delete;
    HookScope& operator=(const HookScope&) = delete;
};

std::set<std::string> namesIn(const fs::path& dir) {
    std::set<std::string> names;
    for (auto& e : fs::directory_iterator(dir))
        names.insert(e.path().filename().string());
    return names;
}

constexpr int kCutHere = 42;

// Runs the new save in a child process that ends just before step `at`; returns its process number.
pid_t saveCutAt(const FileKind& kind, const DataRoot& root, size_t at) {
    std::cout.flush();
    pid_t child = ::fork();
    if (child == 0) {
        size_t seen = 0;
        setSaveStepHook([&](SaveStep) {
            if (seen++ == at)
                ::_exit(kCutHere);
            return true;
        });
        try {
            kind.save(root, true);
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kCutHere) << "the save never reached step " << at;
    return child;
}

} // namespace

TEST(SaveCrash, EveryFileKindCutAtEveryStepIsWholeOldOrWholeNew) {
    int crashCases = 0;
    int failureCases = 0;
    std::vector<FileKind> kinds = fileKinds();
    for (const FileKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        ScratchRoot s("pin-savecrash");
        kind.save(s.root(), false);
        const fs::path file = kind.file(s.root());
        const fs::path dir = file.parent_path();
        const auto oldBytes = fileBytes(file);

        // An uncut save, its steps counted: one write per 4 KiB.
        std::vector<SaveStep> steps;
        {
            HookScope hook([&](SaveStep step) {
                steps.push_back(step);
                return true;
            });
            kind.save(s.root(), true);
        }
        const auto newBytes = fileBytes(file);
        ASSERT_NE(newBytes, oldBytes);
        size_t writes = (newBytes.size() + kSaveWriteChunk - 1) / kSaveWriteChunk;
        std::vector<SaveStep> expected{SaveStep::Open};
        expected.insert(expected.end(), writes, SaveStep::Write);
        expected.insert(expected.end(), {SaveStep::Flush, SaveStep::Rename, SaveStep::DirectoryFlush});
        ASSERT_EQ(steps, expected);
        const auto filesAlone = namesIn(dir);

        for (size_t at = 0; at < steps.size(); ++at) {
            SCOPED_TRACE("step " + std::to_string(at));
            // A crash just before the step.
            writeBytes(file, oldBytes);
            pid_t writer = saveCutAt(kind, s.root(), at);
            ++crashCases;
            bool renamed = steps[at] == SaveStep::DirectoryFlush;
            auto bytes = fileBytes(file);
            EXPECT_TRUE(bytes == oldBytes || bytes == newBytes);
            EXPECT_EQ(bytes, renamed ? newBytes : oldBytes);
            fs::path tmp = file;
            tmp += ".tmp-" + std::to_string(writer);
            bool leftBehind = at > 0 && !renamed;
            EXPECT_EQ(fs::exists(tmp), leftBehind);
            if (leftBehind) { // what the writes before the cut put there
                EXPECT_EQ(fs::file_size(tmp), std::min(newBytes.size(), (at - 1) * kSaveWriteChunk));
            }
            EXPECT_EQ(removeStaleTemporaries(s.root()), leftBehind ? 1 : 0);
            EXPECT_EQ(namesIn(dir), filesAlone);

            // The same step failing: the save says so and leaves the old file, or, once renamed,
            // the new file stands.
            writeBytes(file, oldBytes);
            size_t seen = 0;
            bool threw = false;
            {
                HookScope hook([&](SaveStep) { return seen++ != at; });
                try {
                    kind.save(s.root(), true);
                } catch (const PinError&) {
                    threw = true;
                }
            }
            ++failureCases;
            EXPECT_EQ(threw, !renamed);
            EXPECT_EQ(fileBytes(file), renamed ? newBytes : oldBytes);
            EXPECT_EQ(namesIn(dir), filesAlone);
        }
    }
    std::cout << "save cuts: " << kinds.size() << " file kinds, " << crashCases << " crash points, "
              << failureCases << " failing steps\n";
    EXPECT_EQ(kinds.size(), 11u);
    EXPECT_EQ(crashCases, 60); // 11 kinds x (open, flush, rename, directory flush) + 16 writes
}
