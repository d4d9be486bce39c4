#include "SpineFixture.h"

#include "config/Accounting.h"
#include "config/AdjustmentRows.h"
#include "config/Adjustments.h"
#include "config/FileNames.h"

using namespace pinstage;
using namespace pinstage::test;

namespace {

class StartupScenario : public SpineTest {
protected:
    // "Réglages0.fli" stored with the table choice offered at start-up.
    void storeStartupChoice(bool yes) {
        AdjustmentsRecord r;
        createAdjustmentsDefaults(m.root, 0, r);
        setOption(r, AdjustmentOption::StartupChoice, yes);
        setOption(r, AdjustmentOption::Videos, true);
        saveAdjustments(dataFile(numberedName(kAdjustmentsFileName, 0)), r);
    }
    bool storedChoiceIsYes() {
        AdjustmentsRecord r;
        loadAdjustments(dataFile(numberedName(kAdjustmentsFileName, 0)), r);
        return optionIsYes(r, AdjustmentOption::StartupChoice);
    }
};

} // namespace

TEST_F(StartupScenario, StoredChoiceYesIsOverriddenAndConfigurationZeroRunsWithoutTheScreen) {
    storeStartupChoice(true);
    schedule("1000 close c64\n1000 close c71");
    FormCreate(m);
    EXPECT_TRUE(host.timerEnabled);
    runEventLoop(20000);
    EXPECT_EQ(m.rt.closed, 1);
    EXPECT_EQ(host.splashes, 1);
    EXPECT_TRUE(host.selectionDraws.empty());
    EXPECT_EQ(m.rt.startupChoiceValue, "non");
    EXPECT_EQ(m.rt.configurationInUse, 0);
    EXPECT_FALSE(optionIsYes(m.params.adjustments, AdjustmentOption::Videos));
    EXPECT_TRUE(storedChoiceIsYes()); // only the memory was changed
    EXPECT_EQ(host.quits, 1);
    EXPECT_FALSE(board.isOpen());
    // The long press ended the loop 5 s after both buttons closed.
    EXPECT_GE(clock.now() - m.rt.splashEndTime, 6000u);
    EXPECT_LE(clock.now() - m.rt.splashEndTime, 6400u);
}

TEST_F(StartupScenario, WithMediaOptionsTheScreenIsShownAndTheChosenTableRuns) {
    storeStartupChoice(true);
    m.rt.keepMediaOptions = true;
    schedule("300 pulse c71 60\n" // next: choice 1
             "900 pulse c5 60\n"  // start: configuration 1
             "2500 close c64\n2500 close c71\n"
             "8000 open c64\n8000 open c71\n"
             "9000 pulse c1 60"); // game-over switch on the screen: the end
    FormCreate(m);
    runEventLoop(30000);
    EXPECT_EQ(m.rt.closed, 1);
    EXPECT_EQ(m.rt.startupChoiceValue, "oui");
    EXPECT_EQ(m.rt.configurationInUse, 1);
    EXPECT_TRUE(std::filesystem::exists(dataFile(numberedName(kAccountingFileName, 1))));
    // First screen on 0 then 1; back to the screen after the long press, still on 1.
    ASSERT_GE(host.selectionDraws.size(), 3u);
    EXPECT_EQ(host.selectionDraws[0], 0);
    EXPECT_EQ(host.selectionDraws[1], 1);
    EXPECT_EQ(host.selectionDraws.back(), 1);
    EXPECT_EQ(host.displayInits, 1);
    EXPECT_GE(host.displayReleases, 1); // the tear-down before the second screen
    EXPECT_EQ(host.quits, 1);
}

TEST_F(StartupScenario, ACoinOnTheScreenAddsACreditKeptForTheGame) {
    storeStartupChoice(true);
    m.rt.keepMediaOptions = true;
    schedule("200 pulse c4 60\n700 pulse c4 60\n1500 pulse c1 60");
    FormCreate(m);
    runEventLoop(10000);
    EXPECT_EQ(m.rt.closed, 1);
    EXPECT_EQ(m.credits.value(), 2);
    AccountingRecord saved;
    loadAccounting(dataFile(numberedName(kAccountingFileName, 0)), saved);
    EXPECT_EQ(creditDigits(saved).value(), 2);
    EXPECT_EQ(host.displayInits, 0); // the screen never left
}

// With the table choice on, the chosen table plays on its own credits: table 7's game takes its
// credit from "Comptabilite7" while configuration 0's credits stay where they are.
TEST_F(StartupScenario, EachTablePlaysOnTheCreditsOfItsOwnAccountingFile) {
    storeStartupChoice(true);
    m.rt.keepMediaOptions = true;
    auto storeCredits = [&](int config, uint8_t units) {
        AccountingRecord r;
        createAccountingDefaults(m.root, config, r);
        r.creditUnits = units;
        saveAccounting(dataFile(numberedName(kAccountingFileName, config)), r);
    };
    auto creditsOf = [&](int config) {
        AccountingRecord r;
        loadAccounting(dataFile(numberedName(kAccountingFileName, config)), r);
        return creditDigits(r).value();
    };
    storeCredits(0, 5);
    storeCredits(7, 2);
    schedule("300 pulse c64 60\n" // previous: from 0 round to 7
             "900 pulse c5 60\n"  // start: configuration 7
             "3000 pulse c5 60"); // a game on table 7
    m.rt.quitAfterSet = true;
    m.rt.quitAfterMs = 6000;
    FormCreate(m);
    runEventLoop(20000);
    ASSERT_EQ(m.rt.closed, 1);
    EXPECT_EQ(m.rt.configurationInUse, 7);
    EXPECT_EQ(m.credits.value(), 1);
    EXPECT_EQ(creditsOf(7), 1);
    EXPECT_EQ(creditsOf(0), 5);
    EXPECT_EQ(m.params.accounting.countersLow[kStatGamesStarted], 1u);
}

TEST_F(StartupScenario, NoBoardShowsTheWarningThenTheDashboardAndEnds) {
    board.setPresent(false);
    FormCreate(m);
    runEventLoop(5000);
    EXPECT_EQ(m.rt.closed, 1);
    EXPECT_EQ(host.noBoardWarnings, 1);
    EXPECT_EQ(host.dashboards, 1);
    EXPECT_EQ(m.rt.loopTurns, 0u);
    EXPECT_EQ(host.quits, 1);
    EXPECT_EQ(host.cursorCalls.back(), true); // shown for the dashboard
}

TEST_F(StartupScenario, TheDashboardAtStartOpensEvenWithTheBoard) {
    m.rt.dashboardAtStart = 1;
    FormCreate(m);
    runEventLoop(5000);
    EXPECT_EQ(host.noBoardWarnings, 0);
    EXPECT_EQ(host.dashboards, 1);
    EXPECT_EQ(m.rt.closed, 1);
}

TEST_F(StartupScenario, TheRunTimeLimitEndsTheProgramWithOutputsOff) {
    m.rt.quitAfterSet = true;
    m.rt.quitAfterMs = 1500;
    FormCreate(m);
    runEventLoop(10000);
    EXPECT_EQ(m.rt.closed, 1);
    EXPECT_EQ(host.quits, 1);
    EXPECT_GE(m.rt.loopTurns, 1000u);
    for (int l = 0; l < 64; ++l)
        EXPECT_FALSE(board.lampLit(l)) << l;
    EXPECT_NE(m.rt.stateTraced, 0);
}

TEST_F(StartupScenario, AMissingBoardIsLookedForOnceASecondOnTheScreen) {
    // Counts the openings tried, passing everything to the simulated board.
    struct CountingTransport : BoardTransport {
        explicit CountingTransport(SimulatedBoard& b) : inner(b) {}
        BoardHandle open() override {
            ++opens;
            return inner.open();
        }
        void close(BoardHandle h) override { inner.close(h); }
        int count() override { return inner.count(); }
        BoardHandle handle(int k) override { return inner.handle(k); }
        uint32_t productId(BoardHandle h) override { return inner.productId(h); }
        void identification(BoardHandle h, BoardIdentification& a) override { inner.identification(h, a); }
        int write(BoardHandle h, int i, std::span<const uint8_t> r) override { return inner.write(h, i, r); }
        int read(BoardHandle h, int i, std::span<uint8_t> b) override { return inner.read(h, i, b); }
        SimulatedBoard& inner;
        int opens = 0;
    };
    CountingTransport counting(board);
    m.boardTransport = &counting;
    storeStartupChoice(true);
    m.rt.keepMediaOptions = true;
    board.setPresent(false);
    // The screen cannot be left without a board's switches; the run time limit ends it.
    m.rt.quitAfterSet = true;
    m.rt.quitAfterMs = 3500;
    FormCreate(m);
    runEventLoop(10000);
    EXPECT_EQ(m.rt.closed, 1);
    EXPECT_GE(counting.opens, 3);
    EXPECT_LE(counting.opens, 5);
}

TEST_F(StartupScenario, PhotoFramesAreLaidOutAtTheFirstInitialisationAndAfterATableChoiceOnly) {
    const char* longPress = "100 close c64\n100 close c71\n5500 open c64\n5500 open c71";
    auto run = [&] {
        scheduleNow(longPress);
        initialiseMachine(m);
    };
    m.records.rects[0].left = 999;
    run();
    EXPECT_EQ(m.records.rects[0].left, 10);
    EXPECT_EQ(m.records.rects[6].top, 630);
    m.records.rects[0].left = 555; // drifted
    run();
    EXPECT_EQ(m.records.rects[0].left, 555);
    m.rt.recordsLayoutDone = 0; // as the return to the table choice leaves it
    run();
    EXPECT_EQ(m.records.rects[0].left, 10);
}
