// The contest's rules: the pointer table, key codes, the photo's name, the name limit and the
// start button's swallowed press.
#include "players/ContestRules.h"

#include <gtest/gtest.h>

using namespace pinstage;

TEST(ContestRules, KeyPositionsFollowTheKeyboardBounds) {
    const KeyPositionTable t = contestKeyPositions(100, 500);
    // Row 0: X0 = 115, y = B - 175; the two command keys at X0 + 452 and X0 + 554.
    EXPECT_EQ(t[0][0][0], 115);
    EXPECT_EQ(t[0][0][1], 325);
    EXPECT_EQ(t[0][11][0], 115 + 34 * 11);
    EXPECT_EQ(t[0][12][0], 567);
    EXPECT_EQ(t[0][13][0], 669);
    EXPECT_EQ(t[1][12][0], 563);
    EXPECT_EQ(t[1][13][0], 657);
    EXPECT_EQ(t[1][5][1], 361);
    EXPECT_EQ(t[2][12][0], 543);
    EXPECT_EQ(t[2][13][0], 602);
    EXPECT_EQ(t[2][0][1], 397);
    // Row 3: ten letters, then three command keys; "Entrée" is the last.
    EXPECT_EQ(t[3][9][0], 115 + 34 * 9);
    EXPECT_EQ(t[3][10][0], 466);
    EXPECT_EQ(t[3][11][0], 509);
    EXPECT_EQ(t[kEnterKeyRow][kEnterKeyColumn][0], 560);
    EXPECT_EQ(t[3][12][1], 433);
    EXPECT_EQ(t[3][13][0], 0);
    // Row 4: the space bar and "Refaire Photo", from L itself.
    EXPECT_EQ(t[4][0][0], 350);
    EXPECT_EQ(t[4][1][0], 660);
    EXPECT_EQ(t[4][1][1], 469);
    EXPECT_EQ(t[4][2][0], 0);
}

TEST(ContestRules, KeyCodesAndWhatTheyAskFor) {
    EXPECT_EQ(contestKeyOf(contestKeyCode("10")), ContestKey::Photo);
    EXPECT_EQ(contestKeyOf(contestKeyCode("11")), ContestKey::BackSpace);
    EXPECT_EQ(contestKeyOf(contestKeyCode("15")), ContestKey::Internet);
    EXPECT_EQ(contestKeyOf(contestKeyCode("17")), ContestKey::Info);
    EXPECT_EQ(contestKeyOf(contestKeyCode("19")), ContestKey::RetakePhoto);
    // Letters, an empty buffer and a number with trailing text are characters (code 20).
    EXPECT_EQ(contestKeyCode("a"), 20);
    EXPECT_EQ(contestKeyCode(""), 20);
    EXPECT_EQ(contestKeyCode("1a"), 20);
    EXPECT_EQ(contestKeyOf(contestKeyCode("a")), ContestKey::Character);
    // A digit key typed on an empty buffer is a character too, not a command.
    EXPECT_EQ(contestKeyOf(contestKeyCode("7")), ContestKey::Character);
    EXPECT_EQ(contestKeyOf(contestKeyCode("20")), ContestKey::Character);
}

TEST(ContestRules, PhotoNameFromTheDate) {
    EXPECT_EQ(photoStamp("06/12/2026 05:00:00"), "06122026050000");
    EXPECT_EQ(contestPhotoName(2, "06/12/2026 05:00:00"), "Joueur-1_06122026050000.bmp");
    EXPECT_EQ(contestPhotoName(1, "31/01/2027 23:59:58"), "Joueur-0_31012027235958.bmp");
    // A short text loses only what it holds.
    EXPECT_EQ(photoStamp("06/1"), "061");
}

TEST(ContestRules, NameCountsCharactersAndStoresWindows1252) {
    EXPECT_EQ(utf8CharacterCount("Zoé"), 3);
    EXPECT_EQ(utf8CharacterCount("éééééééééééééééééééé"), 20);
    // Twenty accented characters are twenty bytes in Windows-1252, not forty.
    const std::string name = storedContestName("éééééééééééééééééééééé");
    EXPECT_EQ(name.size(), 20u);
    EXPECT_EQ(static_cast<unsigned char>(name[0]), 0xE9);
    // Outside Windows-1252: "?".
    EXPECT_EQ(storedContestName("a\xE2\x98\x83"
                                "b"),
              "a?b");
    EXPECT_EQ(storedContestName("Jean-Luc"), "Jean-Luc");
}

TEST(ContestRules, StrokesHoldShiftWhereTheCaptionNeedsIt) {
    EXPECT_EQ(strokeForCaption("a").character, U'a');
    EXPECT_FALSE(strokeForCaption("a").shift);
    EXPECT_TRUE(strokeForCaption("A").shift);
    EXPECT_TRUE(strokeForCaption("!").shift);
    EXPECT_TRUE(strokeForCaption("?").shift);
    EXPECT_FALSE(strokeForCaption("/").shift);
    EXPECT_FALSE(strokeForCaption("1").shift);
    EXPECT_EQ(strokeForCaption("é").character, U'é');
    EXPECT_EQ(strokeForCaption("").character, U'\0');
}

TEST(ContestRules, FirstStartAfterTheWindowsIsSwallowedThenClicks) {
    ContestFlow f;
    EXPECT_EQ(contestStartPress(f), StartPress::Ignored); // no contest
    f.active = true;
    f.ignoreNextStart = true;
    EXPECT_EQ(contestStartPress(f), StartPress::Swallowed);
    EXPECT_EQ(contestStartPress(f), StartPress::Click);
    EXPECT_EQ(contestStartPress(f), StartPress::Click);
    f.finished = true;
    EXPECT_EQ(contestStartPress(f), StartPress::Ignored);
}
