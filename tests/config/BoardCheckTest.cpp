// pinstage-data board: the boards listed, the raw reports of a scripted closure in the order the
// switches move, a lamp lit and a coil pulsed only while the check runs, and a French refusal without
// a board, from the real program too.
#include "BoardCheck.h"
#include "DataTool.h"

#include "board/SimulatedBoard.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <sys/wait.h>

using namespace pinstage;

namespace {

// Positions of the given texts in out, which must come in this order.
void expectInOrder(const std::string& out, const std::vector<std::string>& texts) {
    size_t at = 0;
    for (const auto& t : texts) {
        size_t found = out.find(t, at);
        ASSERT_NE(found, std::string::npos) << "« " << t << " » missing after offset " << at << " in:\n"
                                            << out;
        at = found + t.size();
    }
}

} // namespace

TEST(BoardCheck, SimulatedClosurePrintsTheRawReportsOfEachSwitch) {
    std::ostringstream out, err;
    int status = runDataTool({"board", "--simulate"}, out, err);
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_EQ(err.str(), "");
    expectInOrder(out.str(), {
                                 "cartes IO-Warrior trouvées : 1\n",
                                 "carte 1 : IoWarrior 56 (07c0:1503), numéro de série 0000SIM1\n",
                                 // The matrix reports once when enabled, every contact open.
                                 "spécial  19 (+63 × 00)\n",
                                 "contact c5 fermé)\n",
                                 // Strobe 0, row 5.
                                 "spécial  19 20 (+62 × 00)\n",
                                 "contact c5 ouvert)\n",
                                 "spécial  19 (+63 × 00)\n",
                                 "contact c71 fermé)\n",
                                 // The left flipper button pulls port 1 bit 7 low.
                                 "port     00 FF 7F FF FF FF FF FF\n",
                                 "contact c71 ouvert)\n",
                                 "port     00 FF FF FF FF FF FF FF\n",
                                 "contact c47 fermé)\n",
                                 // Strobe 5, row 7.
                                 "spécial  19 00 00 00 00 00 80 (+57 × 00)\n",
                             });
    // Every report line carries its time: the closure of c5 is seen at 100 ms.
    EXPECT_NE(out.str().find("     100 ms  spécial  19 20"), std::string::npos) << out.str();
}

TEST(BoardCheck, LampAndCoilDrivenOnlyWhileTheCheckRunsAndEverythingOffAfter) {
    ManualClock clock(5000);
    SimulatedBoard board(clock);
    BoardCheckOptions options;
    options.listenMs = 200;
    options.lamp = 42;
    options.coil = 17;
    int polls = 0, coilOnPolls = 0, lampOnPolls = 0, otherLamps = 0, otherCoils = 0;
    BoardCheckHost host{board, clock, [&] {
                            ++polls;
                            coilOnPolls += board.coilEnergised(17);
                            lampOnPolls += board.lampLit(42);
                            for (int i = 0; i < 64; ++i)
                                otherLamps += i != 42 && board.lampLit(i);
                            for (int i = 0; i < 24; ++i)
                                otherCoils += i != 17 && board.coilEnergised(i);
                            clock.advance(1);
                            return true;
                        }};
    std::ostringstream out, err;
    EXPECT_EQ(runBoardCheck(host, options, out, err), 0) << err.str();
    EXPECT_EQ(polls, 200);
    EXPECT_EQ(coilOnPolls, int(kBoardCheckCoilPulseMs)) << "the coil is released after its pulse";
    EXPECT_EQ(lampOnPolls, 200);
    EXPECT_EQ(otherLamps + otherCoils, 0);
    EXPECT_FALSE(board.lampLit(42));
    EXPECT_FALSE(board.coilEnergised(17));
    EXPECT_FALSE(board.switchMatrixEnabled());
    EXPECT_FALSE(board.lampMatrixEnabled());
    EXPECT_FALSE(board.isOpen());
    expectInOrder(out.str(), {"voyant 42 allumé", "bobine 17 : impulsion de 50 ms"});

    // Stopped by the operator in the middle of the pulse: the coil does not stay energised.
    SimulatedBoard second(clock);
    bool energisedAtStop = false;
    BoardCheckHost stopped{second, clock, [&] {
                               energisedAtStop = second.coilEnergised(17);
                               return false;
                           }};
    EXPECT_EQ(runBoardCheck(stopped, options, out, err), 0);
    EXPECT_TRUE(energisedAtStop);
    EXPECT_FALSE(second.coilEnergised(17));
    EXPECT_FALSE(second.isOpen());
}

TEST(BoardCheck, RefusesInFrenchWithoutABoardOrWithABadNumber) {
    ManualClock clock;
    SimulatedBoard absent(clock);
    absent.setPresent(false);
    BoardCheckHost host{absent, clock, [] { return true; }};
    std::ostringstream out, err;
    EXPECT_EQ(runBoardCheck(host, {}, out, err), 1);
    EXPECT_NE(err.str().find("aucune carte IO-Warrior trouvée"), std::string::npos) << err.str();
    EXPECT_EQ(out.str(), "");

    for (auto args : std::vector<std::vector<std::string>>{{"board", "--simulate", "--lamp", "64"},
                                                           {"board", "--simulate", "--coil", "-1"},
                                                           {"board", "--seconds"},
                                                           {"board", "--fast"}}) {
        std::ostringstream o, e;
        EXPECT_EQ(runDataTool(args, o, e), 2) << args.back();
        EXPECT_NE(e.str().find("usage : pinstage-data"), std::string::npos);
        EXPECT_EQ(o.str(), "") << "nothing opened on a bad option";
    }

    // The real program on this machine, which has no IO-Warrior: a French message and status 1.
    FILE* p = popen(PINSTAGE_DATA_TOOL " board --seconds 1 2>&1", "r");
    ASSERT_NE(p, nullptr);
    std::string text;
    char buf[256];
    while (size_t n = fread(buf, 1, sizeof buf, p))
        text.append(buf, n);
    int status = pclose(p);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << text;
    EXPECT_NE(text.find("aucune carte IO-Warrior trouvée"), std::string::npos) << text;
}
