// Free games at the score thresholds, the match on the units reels and the record.
#include "MachineHarness.h"
#include "config/AdjustmentRows.h"
#include "config/PentacleTable.h"
#include "runtime/GameSwitches.h"
#include "runtime/Startup.h"

#include <gtest/gtest.h>

#include <random>

namespace pinstage::test {

namespace {

void setThresholds(AdjustmentsRecord& a, uint32_t first, uint32_t second, uint32_t third) {
    a.freeGameScores = {first, second, third};
}

TEST(ScoreAwards, TwoThresholdsReachedTogetherAwardOnePerTurn) {
    MachineHarness h(
        {.credits = 1, .adjust = [](AdjustmentsRecord& a) { setThresholds(a, 5000, 10000, 0); }});
    h.pressStart();
    ASSERT_EQ(h.creditsStored(), 0);
    h.pulse(contact::kOutlanes); // one step of 10000: both thresholds at once
    std::vector<uint32_t> awardTimes;
    uint8_t seen = 0;
    ASSERT_TRUE(h.runUntil([&] {
        uint8_t now = h.m.game.players[0].freeGamesThisGame;
        if (now != seen) {
            awardTimes.push_back(h.clock.now());
            seen = now;
        }
        return now == 2;
    }));
    ASSERT_EQ(awardTimes.size(), 2u);
    EXPECT_EQ(awardTimes[1] - awardTimes[0], 1u) << "the second one turn later";
    EXPECT_EQ(h.m.game.players[0].scoreAwards, 0x03);
    ASSERT_TRUE(h.settle());
    h.run(400);
    EXPECT_EQ(h.creditsStored(), 2);
    EXPECT_EQ(h.creditsShown(), 2);
    EXPECT_EQ(h.creditsInFile(), 2);
    EXPECT_EQ(h.coilPulses(coil::kKnocker).size(), 2u);
}

TEST(ScoreAwards, AThresholdOfZeroIsOffAndTheLimitPerPlayerHolds) {
    MachineHarness h({.credits = 1, .adjust = [](AdjustmentsRecord& a) {
                          setThresholds(a, 0, 10000, 20000);
                          a.maxFreeGamesPerPlayer = 1;
                      }});
    h.pressStart();
    for (int i = 0; i < 3; ++i)
        h.hit(contact::kOutlanes);
    ASSERT_TRUE(h.settle());
    h.run(50);
    EXPECT_EQ(h.m.game.players[0].freeGamesThisGame, 1);
    EXPECT_EQ(h.m.game.players[0].scoreAwards, 0x02);
    EXPECT_EQ(h.creditsStored(), 1);
}

TEST(ScoreAwards, ExtraBallKindGivesNothing) {
    MachineHarness h({.credits = 1, .adjust = [](AdjustmentsRecord& a) {
                          setThresholds(a, 5000, 0, 0);
                          a.awardKind.setUtf8("bille suplémentaire");
                      }});
    h.pressStart();
    h.hit(contact::kOutlanes);
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(h.m.game.players[0].scoreAwards, 0x01);
    EXPECT_EQ(h.m.game.players[0].freeGamesThisGame, 0);
    EXPECT_EQ(h.creditsStored(), 0);
    EXPECT_TRUE(h.coilPulses(coil::kKnocker).empty());
}

TEST(ScoreAwards, At99CreditsTheKnockerFiresButNothingIsAdded) {
    MachineHarness h({.credits = 99, .freePlay = true, .adjust = [](AdjustmentsRecord& a) {
                          setThresholds(a, 5000, 0, 0);
                      }});
    h.pressStart();
    h.coin(); // back to 99
    ASSERT_EQ(h.creditsStored(), 99);
    h.hit(contact::kOutlanes);
    ASSERT_TRUE(h.settle());
    h.run(200);
    EXPECT_EQ(h.m.game.players[0].freeGamesThisGame, 1);
    EXPECT_EQ(h.coilPulses(coil::kKnocker).size(), 1u);
    EXPECT_EQ(h.creditsStored(), 99);
    EXPECT_EQ(h.creditsShown(), 99);
    EXPECT_EQ(h.creditsInFile(), 99);
}

// A seed whose first draw gives the digit wanted (searched, then checked by the same generator).
uint32_t seedDrawing(int digit) {
    for (uint32_t seed = 1;; ++seed) {
        std::minstd_rand r(seed);
        if (int(r() % 10) == digit)
            return seed;
    }
}

TEST(Match, TheDigitIsComparedWithTheUnitsReel) {
    uint32_t seed = seedDrawing(7);
    MachineHarness h({.credits = 2, .ballsPerGame = 1, .lottery = true, .seed = seed});
    h.pressStart();
    h.pressStart();
    h.hit(contact::kRebound);
    h.drain();
    // Nothing on the table scores units: a units digit of 7 only comes from the reel itself.
    h.m.reels.reel(1, 0)->showDigitAtOnce(7);
    h.m.reels.reel(1, 0)->digit = 7;
    h.hit(contact::kRebound);
    h.drain();
    ASSERT_FALSE(gameRunning(h.m));
    EXPECT_TRUE(h.shown(element::kMatch));
    EXPECT_TRUE(h.shown(element::kLottery0 + 7));
    EXPECT_FALSE(h.shown(element::kLottery0));
    EXPECT_EQ(h.traceLog.matching("match 7").size(), 1u);
    ASSERT_TRUE(h.settle());
    h.run(300);
    EXPECT_EQ(h.creditsStored(), 1);
    EXPECT_EQ(h.creditsShown(), 1);
    EXPECT_EQ(h.coilPulses(coil::kKnocker).size(), 1u);
}

TEST(Match, ZeroMatchesEveryPlayerWhoseUnitsReelShowsZero) {
    MachineHarness h({.credits = 3, .ballsPerGame = 1, .lottery = true, .seed = seedDrawing(0)});
    for (int p = 0; p < 3; ++p)
        h.pressStart();
    for (int p = 0; p < 3; ++p) {
        h.hit(contact::kOutlanes);
        h.drain();
    }
    ASSERT_FALSE(gameRunning(h.m));
    ASSERT_TRUE(h.settle());
    h.run(600);
    EXPECT_EQ(h.creditsStored(), 3);
    EXPECT_EQ(h.creditsInFile(), 3);
    auto strokes = h.coilPulses(coil::kKnocker);
    EXPECT_EQ(strokes.size(), 3u) << "one stroke per match";
}

TEST(Match, At99CreditsAMatchKnocksButAddsNothing) {
    MachineHarness h(
        {.credits = 99, .freePlay = true, .ballsPerGame = 1, .lottery = true, .seed = seedDrawing(0)});
    h.pressStart();
    h.coin(); // back to 99
    h.hit(contact::kRebound);
    h.drain();
    ASSERT_FALSE(gameRunning(h.m));
    ASSERT_TRUE(h.settle());
    h.run(300);
    EXPECT_EQ(h.traceLog.matching("match 0 wins 1").size(), 1u);
    EXPECT_EQ(h.coilPulses(coil::kKnocker).size(), 1u);
    EXPECT_EQ(h.creditsStored(), 99);
    EXPECT_EQ(h.creditsShown(), 99);
    EXPECT_EQ(h.creditsInFile(), 99);
}

TEST(Match, OffWhenTheLotteryIsOff) {
    MachineHarness h({.credits = 1, .ballsPerGame = 1, .lottery = false, .seed = seedDrawing(0)});
    h.pressStart();
    h.hit(contact::kRebound);
    h.drain();
    ASSERT_FALSE(gameRunning(h.m));
    EXPECT_FALSE(h.shown(element::kMatch));
    EXPECT_EQ(h.creditsStored(), 0);
}

TEST(Record, ATieGoesToTheLaterPlayerAndIsSavedAtOnce) {
    MachineHarness h({.credits = 2, .ballsPerGame = 1, .adjust = [](AdjustmentsRecord& a) {
                          a.recordScore = 20000;
                          a.recordFreeGames = 3;
                          setThresholds(a, 0, 0, 0);
                      }});
    h.pressStart();
    h.pressStart();
    for (int p = 0; p < 2; ++p) {
        h.hit(contact::kOutlanes);
        h.hit(contact::kOutlanes);
        h.m.game.players[size_t(p)].bonus = 0; // no bonus count: both end on 20000
        h.m.game.pendingBonus = 0;
        h.drain();
    }
    ASSERT_FALSE(gameRunning(h.m));
    ASSERT_EQ(h.score(0), 20000u);
    ASSERT_EQ(h.score(1), 20000u);
    EXPECT_EQ(h.traceLog.matching("record 20000 player 2").size(), 1u);
    EXPECT_EQ(h.m.game.players[1].freeGamesThisGame, 1);
    EXPECT_EQ(h.m.game.players[0].freeGamesThisGame, 0);
    EXPECT_EQ(h.adjustmentsFile().recordScore, 20000u);
    ASSERT_TRUE(h.settle());
    h.run(600);
    EXPECT_EQ(h.creditsStored(), 3) << "exactly the record's free games";
    EXPECT_EQ(h.creditsShown(), 3);
    EXPECT_EQ(h.creditsInFile(), 3);
    EXPECT_EQ(h.coilPulses(coil::kKnocker).size(), 3u);
}

TEST(Record, RaisedOnlyAtGameOverAndSavedWithTheNewScore) {
    MachineHarness h({.credits = 1, .ballsPerGame = 1, .adjust = [](AdjustmentsRecord& a) {
                          a.recordScore = 15000;
                          a.recordFreeGames = 1;
                      }});
    h.pressStart();
    h.hit(contact::kOutlanes);
    h.hit(contact::kOutlanes);
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(h.m.params.adjustments.recordScore, 15000u) << "not during the game";
    h.drain();
    uint32_t final = h.score(0);
    EXPECT_EQ(final, 22000u);
    EXPECT_EQ(h.m.params.adjustments.recordScore, final);
    EXPECT_EQ(h.adjustmentsFile().recordScore, final);
    EXPECT_EQ(h.creditsStored(), 1);
}

TEST(Record, AHolderAtTheLimitRaisesTheRecordInMemoryOnly) {
    MachineHarness h({.credits = 1, .ballsPerGame = 1, .adjust = [](AdjustmentsRecord& a) {
                          a.recordScore = 15000;
                          a.recordFreeGames = 2;
                          a.maxFreeGamesPerPlayer = 1;
                          setThresholds(a, 5000, 0, 0);
                      }});
    h.pressStart();
    h.hit(contact::kOutlanes);
    h.hit(contact::kOutlanes);
    ASSERT_TRUE(h.settle());
    ASSERT_EQ(h.m.game.players[0].freeGamesThisGame, 1);
    h.drain();
    EXPECT_EQ(h.m.params.adjustments.recordScore, 22000u);
    EXPECT_EQ(h.adjustmentsFile().recordScore, 15000u);
    EXPECT_EQ(h.creditsStored(), 1) << "only the threshold's free game";
}

TEST(Record, AHugeAwardCountFromTheFileFillsTheCounterOnly) {
    MachineHarness h({.credits = 1, .ballsPerGame = 1, .adjust = [](AdjustmentsRecord& a) {
                          a.recordScore = 5000;
                          a.recordFreeGames = 60000;
                      }});
    h.pressStart();
    h.hit(contact::kOutlanes);
    h.drain();
    ASSERT_FALSE(gameRunning(h.m));
    ASSERT_TRUE(h.settle(120000));
    EXPECT_EQ(h.creditsStored(), 99);
    EXPECT_EQ(h.creditsShown(), 99);
    EXPECT_EQ(h.creditsInFile(), 99);
    h.run(20000);
    EXPECT_EQ(h.coilPulses(coil::kKnocker).size(), 99u) << "one stroke per credit given";
}

TEST(Record, NoAwardCountNoRecord) {
    MachineHarness h({.credits = 1, .ballsPerGame = 1, .adjust = [](AdjustmentsRecord& a) {
                          a.recordScore = 5000;
                          a.recordFreeGames = 0;
                      }});
    h.pressStart();
    h.hit(contact::kOutlanes);
    h.drain();
    EXPECT_EQ(h.m.params.adjustments.recordScore, 5000u);
    EXPECT_TRUE(h.traceLog.matching("record").empty());
}

} // namespace
} // namespace pinstage::test

namespace pinstage::test {
namespace {

TEST(Knocker, EveryAwardAtGameOverIsHeard) {
    uint32_t seed = 1;
    for (;; ++seed) {
        std::minstd_rand r(seed);
        if (r() % 10 == 0)
            break;
    }
    MachineHarness h(
        {.credits = 1, .ballsPerGame = 1, .lottery = true, .seed = seed, .adjust = [](AdjustmentsRecord& a) {
             a.recordScore = 5000;
             a.recordFreeGames = 2;
         }});
    h.pressStart();
    h.hit(contact::kOutlanes);
    h.drain();
    ASSERT_FALSE(gameRunning(h.m));
    ASSERT_TRUE(h.settle());
    h.run(800);
    EXPECT_EQ(h.creditsStored(), 3) << "one for the match, two for the record";
    EXPECT_EQ(h.creditsShown(), 3);
    EXPECT_EQ(h.coilPulses(coil::kKnocker).size(), 3u);
}

// Nine record strokes still queued when the next game starts: the reels of that game roll back
// to zero while the knocker keeps its rhythm, each stroke as long as its pulse, all nine heard.
TEST(Knocker, StrokesQueuedAtGameOverAllSoundWhileTheNextGameResetsItsReels) {
    MachineHarness h({.credits = 1, .ballsPerGame = 1, .adjust = [](AdjustmentsRecord& a) {
                          a.recordScore = 5000;
                          a.recordFreeGames = 9;
                          a.maxFreeGamesPerPlayer = 15;
                          setThresholds(a, 0, 0, 0);
                      }});
    h.pressStart();
    h.hit(contact::kOutlanes);
    h.pulse(contact::kBallReturn);
    ASSERT_TRUE(h.runUntil([&] { return !gameRunning(h.m); }));
    h.run(100);
    h.pulse(contact::kStart);
    ASSERT_TRUE(h.runUntil([&] { return gameRunning(h.m); }));
    ASSERT_TRUE(h.settle());
    h.run(3000);

    const Sortie& knocker = h.m.outputs.coils[coil::kKnocker];
    auto on = h.coilPulses(coil::kKnocker);
    auto off = h.coilReleases(coil::kKnocker);
    EXPECT_EQ(on.size(), 9u) << "one stroke per record free game";
    ASSERT_EQ(off.size(), on.size());
    for (size_t i = 0; i < on.size(); ++i) {
        EXPECT_LE(off[i] - on[i], knocker.pulseMs + 1) << "stroke " << i;
        if (i > 0) {
            EXPECT_GT(on[i] - off[i - 1], knocker.restMs) << "rest before stroke " << i;
        }
    }
    EXPECT_EQ(h.creditsStored(), 8) << "nine given, one taken by the new game";
    EXPECT_EQ(h.score(0), 0u);
}

// The record is saved with the eight options the start-up forced to "non" in memory as the file
// held them; the operator's own values (--media-options) are written as they are.
TEST(Record, TheSaveKeepsTheStoredMediaOptions) {
    const std::array<AdjustmentOption, 8> overridden{
        AdjustmentOption::PhotoAtGameOver, AdjustmentOption::RankingPhotos, AdjustmentOption::InternetAds,
        AdjustmentOption::Kiosk,           AdjustmentOption::Videos,        AdjustmentOption::Posters,
        AdjustmentOption::NameEntry,       AdjustmentOption::StartupChoice};
    MachineHarness h({.credits = 1, .ballsPerGame = 1, .adjust = [&](AdjustmentsRecord& a) {
                          a.recordScore = 5000;
                          a.recordFreeGames = 1;
                          for (AdjustmentOption o : overridden)
                              setOption(a, o, true);
                      }});
    applyStartupOverrides(h.m);
    h.pressStart();
    h.hit(contact::kOutlanes);
    h.drain();
    ASSERT_FALSE(gameRunning(h.m));
    AdjustmentsRecord saved = h.adjustmentsFile();
    EXPECT_EQ(saved.recordScore, h.score(0)) << "the new record is saved";
    for (AdjustmentOption o : overridden) {
        EXPECT_TRUE(optionIsYes(saved, o)) << int(o);
        EXPECT_FALSE(optionIsYes(h.m.params.adjustments, o)) << int(o) << " stays off in memory";
    }

    h.m.rt.keepMediaOptions = true;
    setOption(h.m.params.adjustments, AdjustmentOption::Videos, false);
    h.m.params.adjustments.ballsPerGame = 5;
    saveAdjustmentsInUse(h.m);
    saved = h.adjustmentsFile();
    EXPECT_FALSE(optionIsYes(saved, AdjustmentOption::Videos));
    EXPECT_FALSE(optionIsYes(saved, AdjustmentOption::Kiosk));
    EXPECT_EQ(saved.ballsPerGame, 5);
}

} // namespace
} // namespace pinstage::test
