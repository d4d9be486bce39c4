// The contest on the simulated board, driven by switch closures only: the program runs
// contest_game.script with the test camera; the journal, the records table and the photo file
// must show the player's photo, the name typed (20-character limit, "Retour Arrière"), the
// swallowed press and the game that followed.
#include "config/AdjustmentRows.h"
#include "config/Adjustments.h"
#include "config/FileNames.h"
#include "config/Players.h"
#include "kiosk/KioskRules.h"
#include "platform/DataRoot.h"
#include "platform/FileIo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>
#include <unistd.h>
#include <vector>

using namespace pinstage;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> lines(const fs::path& file) {
    std::ifstream in(file);
    std::vector<std::string> out;
    for (std::string l; std::getline(in, l);)
        out.push_back(l);
    return out;
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

// A fresh data root with name entry and the photo setting "oui" (--media-options keeps them at
// start), the program run on script; answers the journal's file.
struct ContestRun {
    fs::path work;
    DataRoot root;
    int recordsBefore = 0;
    explicit ContestRun(const std::string& name)
        : work(fs::temp_directory_path() / ("pinstage-" + name + "-" + std::to_string(::getpid()))),
          root(work / "root") {
        fs::remove_all(work);
        fs::create_directories(work);
    }
    ~ContestRun() { fs::remove_all(work); }

    fs::path run(const std::string& script, int quitAfter, bool kiosk = false) {
        const std::string program = PINSTAGE_PROGRAM;
        EXPECT_EQ(std::system(("'" + program + "' --install-defaults --root '" + root.root().string() +
                               "' >/dev/null 2>&1")
                                  .c_str()),
                  0);
        const fs::path adjustments = configFile(root, kAdjustmentsFileName, 0);
        AdjustmentsRecord r;
        loadAdjustments(adjustments, r);
        setOption(r, AdjustmentOption::NameEntry, true);
        setOption(r, AdjustmentOption::PhotoAtGameOver, true);
        setOption(r, AdjustmentOption::Kiosk, kiosk);
        saveAdjustments(adjustments, r);
        recordsBefore = CompterFichesJoueurs(playersFile(root, 0));
        const fs::path trace = work / "trace.txt";
        const std::string command =
            "QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy '" + program +
            "' --simulate --dumb-playfield --windowed --media-options --camera test --seed 12345 --root '" +
            root.root().string() + "' --script '" + std::string(PINSTAGE_SCENARIO_DIR) + "/" + script +
            "' --trace '" + trace.string() + "' --quit-after " + std::to_string(quitAfter) + " >'" +
            (work / "out.txt").string() + "' 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return trace;
    }
};

// The contest, game and records lines of a journal, without their times.
std::vector<std::string> contestEvents(const fs::path& trace, std::string* finalState) {
    std::vector<std::string> events;
    std::smatch found;
    const std::regex event(R"(^\d+ ((contest .*)|(kiosk .*)|game start|game over|records added \d+)$)");
    for (const std::string& l : lines(trace)) {
        if (std::regex_match(l, found, event))
            events.push_back(found[1]);
        if (l.find(" state ") != std::string::npos)
            *finalState = l;
    }
    return events;
}

} // namespace

TEST(ContestScenario, PhotoNameAndGameReachTheRecordsTable) {
    ContestRun run("contest-game");
    const fs::path trace = run.run("contest_game.script", 53000);
    const DataRoot& root = run.root;
    const int recordsBefore = run.recordsBefore;

    // The journal: one contest, in order, then the game and its record.
    std::string finalState;
    const std::vector<std::string> events = contestEvents(trace, &finalState);
    std::smatch found;
    ASSERT_EQ(events.size(), 8u) << (events.empty() ? "" : events.back());
    EXPECT_EQ(events[0], "contest open player 1");
    const std::regex photoLine(R"(contest photo (Joueur-0_\d{14}\.bmp))");
    ASSERT_TRUE(std::regex_match(events[1], found, photoLine)) << events[1];
    const std::string photoName = found[1];
    // 21 clicks on "s" after "q": 19 reach the field; "Retour Arrière" removes one.
    EXPECT_EQ(events[2], "contest name \"q" + std::string(18, 's') + "\"");
    EXPECT_EQ(events[3], "contest finished");
    EXPECT_EQ(events[4], "contest close");
    EXPECT_EQ(events[5], "game start");
    EXPECT_EQ(events[6], "records added 1");
    EXPECT_EQ(events[7], "game over");
    const std::regex scoreOfPlayer1(R"(state scores=(\d+),0,0,0 .* mask=0x0F )");
    ASSERT_TRUE(std::regex_search(finalState, found, scoreOfPlayer1)) << finalState;
    const uint32_t score = uint32_t(std::stoul(found[1]));
    EXPECT_GT(score, 0u);

    // The records table: one more record with the name, the game's score and the photo path.
    const fs::path table = playersFile(root, 0);
    ASSERT_EQ(CompterFichesJoueurs(table), recordsBefore + 1);
    FicheJoueur last;
    ASSERT_EQ(LireFichesJoueurs(table, std::span(&last, 1), recordsBefore, 1), 1);
    EXPECT_EQ(last.nomDuJoueur.cp1252(), "q" + std::string(18, 's'));
    EXPECT_EQ(last.score, score);
    EXPECT_EQ(last.cheminPhoto.cp1252(), "bases de donnees/Photos/" + photoName);
    EXPECT_EQ(last.dateDebut.cp1252().size(), 19u);

    // The photo: a 320 x 240 BMP from the test camera.
    const std::vector<uint8_t> bmp =
        readWholeFile(root.file(DataDir::Photos, photoName)).value_or(std::vector<uint8_t>{});
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(bmp, 18), 320u);
    EXPECT_EQ(le32(bmp, 22), 240u);
}

TEST(ContestScenario, DeclinedContestRefusesInternetAndAddsNoRecord) {
    ContestRun run("contest-declined");
    std::string finalState;
    const std::vector<std::string> events =
        contestEvents(run.run("contest_declined.script", 30000), &finalState);
    // The swallowed press did not end the contest: the refusal came first, from the "Internet" key
    // with the kiosk option "non".
    const std::vector<std::string> expected = {"contest open player 1",
                                               "kiosk refused",
                                               "contest message \"Lumiscope\"",
                                               "contest name \"\"",
                                               "contest finished",
                                               "contest close",
                                               "game start",
                                               "game over"};
    EXPECT_EQ(events, expected);
    EXPECT_NE(finalState.find("mask=0x0F"), std::string::npos) << finalState;
    EXPECT_EQ(CompterFichesJoueurs(playersFile(run.root, 0)), run.recordsBefore);
    EXPECT_TRUE(fs::is_empty(run.root.dir(DataDir::Photos)) ||
                !std::any_of(fs::directory_iterator(run.root.dir(DataDir::Photos)), fs::directory_iterator(),
                             [](const fs::directory_entry& e) {
                                 return e.path().filename().string().rfind("Joueur-", 0) == 0;
                             }));
}

TEST(ContestScenario, KioskAnsweredWithTheButtonsThenThePhotoWithTheCameraMadeAgain) {
    ContestRun run("contest-kiosk");
    std::string finalState;
    std::vector<std::string> events =
        contestEvents(run.run("contest_kiosk.script", 52000, true), &finalState);
    // The warning answered through the real box: a flipper to Cancel, start; then start on OK. In
    // the kiosk's wider keys "Entrée" is reached and loads the typed "x"; "Quitter Internet" leaves
    // and the camera's window, freed while the kiosk was open, takes the photo.
    ASSERT_EQ(events.size(), 11u) << (events.empty() ? "" : events.back());
    const std::regex photoLine(R"(contest photo Joueur-0_\d{14}\.bmp)");
    EXPECT_TRUE(std::regex_match(events[6], photoLine)) << events[6];
    events[6] = "contest photo";
    const std::vector<std::string> expected = {"contest open player 1",
                                               "kiosk warning cancelled",
                                               "kiosk open",
                                               std::string("kiosk load ") + kKioskStartPage,
                                               "kiosk load http://x",
                                               "kiosk close",
                                               "contest photo",
                                               "contest name \"\"",
                                               "contest finished",
                                               "contest close",
                                               "game start"};
    EXPECT_EQ(events, expected);
}
