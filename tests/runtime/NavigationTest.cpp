#include "SpineFixture.h"

#include "runtime/Navigation.h"

using namespace pinstage;
using namespace pinstage::test;

namespace {

constexpr uint8_t kC64 = 0x01;
constexpr uint8_t kC71 = 0x80;

class Navigation : public SpineTest {
protected:
    void SetUp() override {
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 14; ++c)
                m.rt.keyPositions[size_t(r)][size_t(c)] = {100 * c, 1000 * r};
        m.rt.mainLoopRunning = 1;
        m.rt.lastMoveTime = clock.now() - 5000;
    }
    // Holds the given buttons for ms, one navigation step per ms; returns the key moves seen.
    int hold(uint8_t buttons, uint32_t ms) {
        size_t before = host.cursorPositions.size();
        m.switches.dryInputs = buttons;
        for (uint32_t t = 0; t < ms && m.rt.mainLoopRunning; ++t) {
            PasClavierFlipper(m);
            clock.advance(1);
        }
        return int(host.cursorPositions.size() - before);
    }
    std::pair<int, int> key() const { return {m.rt.keyRow, m.rt.keyColumn}; }
};

} // namespace

TEST_F(Navigation, APressMovesAtOnceThenEvery300MsAndAfterASecondEvery100Ms) {
    hold(0, 10);
    hold(kC64, 1); // the press
    EXPECT_EQ(key(), std::make_pair(0, 1));
    EXPECT_EQ(host.cursorPositions.back(), (std::array<int32_t, 2>{100, 0}));
    hold(kC64, 999); // moves at 301, 602 and 903 ms
    EXPECT_EQ(key(), std::make_pair(0, 4));
    hold(kC64, 1000); // held more than 1 s: one key every 101 ms
    int index = m.rt.keyRow * 14 + m.rt.keyColumn;
    EXPECT_GE(index, 4 + 9);
    EXPECT_LE(index, 4 + 10);
    hold(0, 5);
    hold(kC64, 1);
    EXPECT_EQ(m.rt.keyRow * 14 + m.rt.keyColumn, index); // within 300 ms of the last move: nothing
    clock.advance(300);
    hold(kC64, 1);
    EXPECT_EQ(m.rt.keyRow * 14 + m.rt.keyColumn, index + 1);
}

TEST_F(Navigation, WithBothButtonsHeldOnlyTheFirstMovesAndThenByZeroSteps) {
    hold(0, 10);
    hold(kC64 | kC71, 1);
    EXPECT_EQ(key(), std::make_pair(0, 1));
    hold(kC64 | kC71, 900); // c71 is never released, so c64's steps after the first are zero
    EXPECT_EQ(key(), std::make_pair(0, 1));
}

TEST_F(Navigation, ForwardWrapsAcrossRowsOfFourteenThirteenAndTwoKeys) {
    m.rt.keyRow = 2;
    m.rt.keyColumn = 13;
    moveKeyForward(m, 1);
    EXPECT_EQ(key(), std::make_pair(3, 0));
    m.rt.keyColumn = 12;
    moveKeyForward(m, 1);
    EXPECT_EQ(key(), std::make_pair(4, 0));
    moveKeyForward(m, 2);
    EXPECT_EQ(key(), std::make_pair(0, 0));
    EXPECT_EQ(m.rt.cursorPoint, (std::array<int32_t, 2>{0, 0}));
}

TEST_F(Navigation, BackwardGoesToTheLastKeyOfThePreviousRow) {
    m.rt.keyRow = 0;
    m.rt.keyColumn = 0;
    moveKeyBackward(m, 1);
    EXPECT_EQ(key(), std::make_pair(4, 1));
    m.rt.keyColumn = 0;
    moveKeyBackward(m, 1);
    EXPECT_EQ(key(), std::make_pair(3, 12));
    m.rt.keyRow = 2;
    m.rt.keyColumn = 0;
    moveKeyBackward(m, 1);
    EXPECT_EQ(key(), std::make_pair(1, 13));
    EXPECT_EQ(m.rt.cursorPoint, (std::array<int32_t, 2>{1300, 1000}));
}

TEST_F(Navigation, CursorOutOfItsRowsIsBroughtBackBeforeUse) {
    m.rt.keyRow = 9;
    m.rt.keyColumn = -4;
    moveKeyForward(m, 1);
    EXPECT_EQ(key(), std::make_pair(4, 1));
    m.rt.keyRow = 3;
    m.rt.keyColumn = 13; // row 3 has 13 keys
    moveKeyForward(m, 0);
    EXPECT_EQ(key(), std::make_pair(3, 12));
}

TEST_F(Navigation, TheOtherButtonsClosureIsTakenByAMove) {
    m.switches.contactFlags[71] = kContactPending;
    m.switches.contactFlags[64] = kContactPending;
    hold(0, 2);
    hold(kC64, 1);
    EXPECT_EQ(m.switches.contactFlags[71] & kContactPending, 0);
    EXPECT_NE(m.switches.contactFlags[64] & kContactPending, 0);
    clock.advance(400);
    hold(kC71, 1);
    EXPECT_EQ(m.switches.contactFlags[64] & kContactPending, 0);
    EXPECT_EQ(key(), std::make_pair(0, 0));
}

TEST_F(Navigation, BothButtonsFiveSecondsWithNoGameEndTheLoop) {
    hold(0, 2);
    hold(kC64 | kC71, 4900);
    EXPECT_EQ(m.rt.mainLoopRunning, 1);
    hold(kC64 | kC71, 300);
    EXPECT_EQ(m.rt.mainLoopRunning, 0);
}

TEST_F(Navigation, ReleasingEitherButtonStartsTheFiveSecondsAgain) {
    hold(0, 2);
    hold(kC64 | kC71, 4000);
    hold(kC64, 10);
    hold(kC64 | kC71, 4000);
    EXPECT_EQ(m.rt.mainLoopRunning, 1);
    hold(kC64 | kC71, 1200);
    EXPECT_EQ(m.rt.mainLoopRunning, 0);
}

TEST_F(Navigation, BothButtonsDuringAGameDoNotEndTheLoop) {
    m.game.playersDoneMask = 0x0E;
    hold(0, 2);
    hold(kC64 | kC71, 8000);
    EXPECT_EQ(m.rt.mainLoopRunning, 1);
}

TEST_F(Navigation, CursorShowsAndHidesOnlyOnChanges) {
    m.rt.cursorShown = 1;
    setCursorVisible(m, false);
    setCursorVisible(m, false);
    setCursorVisible(m, true);
    setCursorVisible(m, true);
    setCursorVisible(m, false);
    EXPECT_EQ(host.cursorCalls, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(m.rt.cursorShown, 0);
}
