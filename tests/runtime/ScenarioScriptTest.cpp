// The two-player script of tests/scenarios played through the harness: its final state line is
// the one worked out by hand.
#include "MachineHarness.h"
#include "config/AdjustmentRows.h"
#include "config/Adjustments.h"
#include "runtime/GameSwitches.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace pinstage::test {

namespace {

// The scripts beside this test's sources: from the source root the build gives, else from this
// file's own path.
std::filesystem::path scenariosDir() {
    if (const char* source = std::getenv("PINSTAGE_SOURCE_DIR"))
        return std::filesystem::path(source) / "tests" / "scenarios";
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "scenarios";
}

std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string expectedState(const std::filesystem::path& file) {
    std::istringstream in(readText(file));
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("state ", 0) == 0)
            return line;
    return {};
}

// A fresh data root as the program makes it: the default adjustments, lottery on.
HarnessOptions defaultsOfAFreshRoot() {
    AdjustmentsRecord d = defaultAdjustments();
    HarnessOptions o;
    o.ballsPerGame = d.ballsPerGame;
    o.lottery = optionIsYes(d, AdjustmentOption::Lottery);
    o.freePlay = optionIsYes(d, AdjustmentOption::FreePlay);
    o.adjust = [d](AdjustmentsRecord& a) { a = d; };
    return o;
}

TEST(ScenarioScript, TwoPlayerGameEndsInTheStateWorkedOutByHand) {
    auto script = readText(scenariosDir() / "two_player_game.script");
    auto expected = expectedState(scenariosDir() / "two_player_game.state");
    ASSERT_FALSE(script.empty());
    ASSERT_FALSE(expected.empty());

    MachineHarness h(defaultsOfAFreshRoot());
    h.runScript(script);
    h.run(50000);
    EXPECT_EQ(h.stateLine(), expected);
    EXPECT_EQ(h.traceLog.matching("game over").size(), 1u);
    EXPECT_EQ(h.traceLog.matching("tilt").size(), 1u);
    std::vector<std::string> serves{"player 1 ball 1", "player 2 ball 1", "player 2 ball 1",
                                    "player 1 ball 2", "player 2 ball 2", "player 1 ball 3",
                                    "player 2 ball 3"};
    EXPECT_EQ(h.traceLog.matching("player "), serves);
    EXPECT_EQ(h.creditsInFile(), 0);
    EXPECT_EQ(h.accountingFile().countersLow[kStatGamesStarted], 2u);
    EXPECT_TRUE(h.shown(element::kGameOver));
}

TEST(ScenarioScript, ParserTakesTheThreeActionsAndRejectsBadLines) {
    auto changes =
        parseSwitchScript("# comment\n10 close c5\n20 open c5  # end\n30 pulse c47 80\n40 pulse c71\n");
    ASSERT_EQ(changes.size(), 6u);
    EXPECT_EQ(changes[0].time, 10u);
    EXPECT_TRUE(changes[0].closed);
    EXPECT_FALSE(changes[1].closed);
    EXPECT_EQ(changes[3].time, 110u);
    EXPECT_EQ(changes[3].contact, 47);
    EXPECT_EQ(changes[5].time, 90u) << "a pulse lasts 50 ms by default";
    for (const char* bad : {"10 press c5", "x close c5", "10 close c72", "10 close 5", "10 close c5 30",
                            "10 pulse c5 x", "10 close"})
        EXPECT_THROW(parseSwitchScript(bad), std::runtime_error) << bad;
}

} // namespace
} // namespace pinstage::test
