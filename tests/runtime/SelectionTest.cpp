#include "SpineFixture.h"

#include "config/Accounting.h"
#include "config/FileNames.h"
#include "runtime/Selection.h"

using namespace pinstage;
using namespace pinstage::test;

namespace {

class SelectionScreen : public SpineTest {
protected:
    void SetUp() override {
        m.rt.selectionWaiting = 1;
        m.rt.lastMoveTime = clock.now() - 10000;
        tick(); // nothing pressed: the press clocks start
    }
    // One 50 ms tick with c64 and/or c71 closures pending.
    void tick(bool previous = false, bool next = false) {
        if (previous)
            m.switches.contactFlags[64] |= kContactPending;
        if (next)
            m.switches.contactFlags[71] |= kContactPending;
        selectionTick(m);
        clock.advance(50);
    }
};

} // namespace

TEST_F(SelectionScreen, PreviousFromTheFirstChoiceIsTheLastAndNextWrapsBack) {
    m.rt.configurationNumber = 0;
    tick(true);
    EXPECT_EQ(m.rt.configurationNumber, 7);
    clock.advance(500);
    tick();
    tick(false, true);
    EXPECT_EQ(m.rt.configurationNumber, 0);
    // Every move redraws the screen on the new choice and puts the pointer on its centre.
    EXPECT_EQ(host.selectionDraws, (std::vector<int>{7, 0}));
    EXPECT_EQ(host.cursorPositions.back(), (std::array<int32_t, 2>{177, 134}));
}

TEST_F(SelectionScreen, TwoPressesThreeHundredMillisecondsApartMoveOneStep) {
    m.rt.configurationNumber = 3;
    tick(false, true);
    EXPECT_EQ(m.rt.configurationNumber, 4);
    clock.advance(200); // 300 ms after the first press with the tick's 50 and this tick's 50
    tick(false, true);
    EXPECT_EQ(m.rt.configurationNumber, 4);
    EXPECT_EQ(m.switches.contactFlags[71] & kContactPending, 0); // the dropped press is consumed
    clock.advance(400);
    tick(false, true);
    EXPECT_EQ(m.rt.configurationNumber, 5);
}

TEST_F(SelectionScreen, ATickThatGivesUpOnPreviousDoesNotLookAtNext) {
    m.rt.configurationNumber = 2;
    tick(true);
    EXPECT_EQ(m.rt.configurationNumber, 1);
    tick(true, true); // previous dropped (too soon): next is left pending
    EXPECT_EQ(m.rt.configurationNumber, 1);
    EXPECT_NE(m.switches.contactFlags[71] & kContactPending, 0);
}

TEST_F(SelectionScreen, ACoinAddsACreditSavedAtOnceWithoutLeaving) {
    createAccountingDefaults(m.root, 0, m.params.accounting);
    m.params.accounting.countersLow[kStatGamesStarted] = 41;
    m.switches.inputImages[0][0] = 0x10; // c4 closed
    tick();
    EXPECT_EQ(m.credits.value(), 1);
    EXPECT_EQ(m.switches.inputImages[0][0] & 0x10, 0);
    EXPECT_EQ(m.rt.selectionWaiting, 1);
    AccountingRecord saved;
    loadAccounting(configFile(m.root, kAccountingFileName, 0), saved);
    EXPECT_EQ(creditDigits(saved).value(), 1);
    EXPECT_EQ(saved.countersLow[kStatGamesStarted], 41u);
    tick(); // the bit was cleared: one coin, one credit
    EXPECT_EQ(m.credits.value(), 1);
}

TEST_F(SelectionScreen, StartChoosesTheHighlightedTable) {
    m.rt.configurationNumber = 6;
    host.timerEnabled = true;
    m.switches.inputImages[0][0] = 0x20;
    tick(true);
    EXPECT_EQ(m.rt.selectionWaiting, 0);
    EXPECT_FALSE(host.timerEnabled);
    EXPECT_EQ(m.rt.configurationNumber, 6); // the flipper press of the same tick is not looked at
}

TEST_F(SelectionScreen, TheGameOverSwitchEndsTheProgram) {
    m.switches.inputImages[0][0] = 0x02;
    tick();
    EXPECT_EQ(m.rt.selectionWaiting, 0);
    EXPECT_EQ(m.rt.quitRequested, 1);
}
