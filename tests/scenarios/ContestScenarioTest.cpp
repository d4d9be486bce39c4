// The contest on the simulated board, driven by switch closures only: the program runs
// contest_game.script with the test camera; the journal, the records table and the photo file
// must show the player's photo, the name typed (20-character limit, "Retour Arrière"), the
// swallowed press and the game that followed.
#include "config/AdjustmentRows.h"
#include "config/Adjustments.h"
#include "config/FileNames.h"
#include "config/Players.h"
#include "platform/DataRoot.h"
#include "platform/FileIo.h"

#include <gtest/gtest.h>

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

} // namespace

TEST(ContestScenario, PhotoNameAndGameReachTheRecordsTable) {
    const fs::path work = fs::temp_directory_path() / ("pinstage-contest-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work);
    const DataRoot root(work / "root");
    const std::string program = PINSTAGE_PROGRAM;
    ASSERT_EQ(std::system(("'" + program + "' --install-defaults --root '" + root.root().string() +
                           "' >/dev/null 2>&1")
                              .c_str()),
              0);

    // Name entry and the photo setting "oui" (--media-options keeps them at start).
    const fs::path adjustments = configFile(root, kAdjustmentsFileName, 0);
    AdjustmentsRecord r;
    loadAdjustments(adjustments, r);
    setOption(r, AdjustmentOption::NameEntry, true);
    setOption(r, AdjustmentOption::PhotoAtGameOver, true);
    saveAdjustments(adjustments, r);
    const int recordsBefore = CompterFichesJoueurs(playersFile(root, 0));

    const fs::path trace = work / "trace.txt";
    const std::string command =
        "QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy '" + program +
        "' --simulate --dumb-playfield --windowed --media-options --camera test --seed 12345"
        " --root '" +
        root.root().string() + "' --script '" + PINSTAGE_CONTEST_SCRIPT + "' --trace '" + trace.string() +
        "' --quit-after 53000 >'" + (work / "out.txt").string() + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);

    // The journal: one contest, in order, then the game and its record.
    std::vector<std::string> events;
    std::string finalState;
    std::smatch found;
    const std::regex event(R"(^\d+ ((contest .*)|game start|game over|records added \d+)$)");
    for (const std::string& l : lines(trace)) {
        if (std::regex_match(l, found, event))
            events.push_back(found[1]);
        if (l.find(" state ") != std::string::npos)
            finalState = l;
    }
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
    fs::remove_all(work);
}
