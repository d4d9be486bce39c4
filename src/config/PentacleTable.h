// The Pentacle table as its driver describes it: the numbers of its backglass elements, lamps,
// coils and switches, and the game functions of its sound table.
#pragma once

#include <array>

namespace pinstage {

// Backglass elements, as numbered in the layout file.
namespace element {
constexpr int kCount = 89; // elements 0-88
constexpr int kBackground = 0;
constexpr int kTitle = 1;
constexpr int kFirstReel = 2;
constexpr int kEndReels = 32; // the score and credit reels are 2 <= e < 32
// The counters' units reels (players 1-4, then credits) and how many reels each counter has.
constexpr std::array<int, 5> kCounterFirstReels{2, 9, 16, 23, 30};
constexpr std::array<int, 5> kCounterReelCounts{7, 7, 7, 7, 2};
constexpr int kCreditUnitsReel = 30;
constexpr int kMultipliedBy = 32;
constexpr int kReste = 33;
constexpr int kSecondes = 34;
constexpr int kSeconde = 35;
constexpr int kTilt = 36;
constexpr int kGameOver = 37;
constexpr int kMatch = 39;
constexpr int kBallInPlay = 40;
constexpr int kShootAgain = 41;
constexpr int kPanelPlayers = 42;
constexpr int kPanelCompete = 43;
constexpr int kRecordToBeat = 44;
constexpr int kPanelDigit1 = 45;    // 45-48: players 1-4
constexpr int kLottery0 = 49;       // 49-58: digits 0-9, also drawn for the elements showing a digit
constexpr int kBanner1 = 59;        // 59-62: players 1-4
constexpr int kBallInPlay1 = 63;    // 63-67: balls 1-5
constexpr int kRecordMillions = 68; // 68-74: millions down to units
constexpr int kRecordDigits = 7;
constexpr int kMultiplierValue = 75;
constexpr int kScoreFrame1 = 76; // 76-79
constexpr int kCreditFrame = 80;
constexpr int kSecondsHundreds = 81; // 81-83
constexpr int kLetterP = 84;         // 84-86: P, I, T
constexpr int kAdvert = 88;
inline constexpr bool isReel(int e) {
    return e >= kFirstReel && e < kEndReels;
}
} // namespace element

namespace lamp {
// The bonus ladder L1 to L10, in climbing order.
constexpr std::array<int, 10> kBonusLadder{0, 8, 16, 24, 32, 40, 48, 56, 1, 9};
constexpr int kBonus20 = 17;
constexpr int kMultiplierX2 = 25;
constexpr int kMultiplierX3 = 33;
constexpr int kMultiplierX4 = 41;
constexpr int kMultiplierX5 = 49;
constexpr int kLane32 = 58;
constexpr int kLane16 = 50;
constexpr int kLane8 = 42;
constexpr int kStar24 = 34;
constexpr int kSpinnerLit = 18;
constexpr int kBonusHoleLit = 10;
constexpr int kAlternating = 26;
constexpr int kColourBankDone = 11;
constexpr int kExtraBallLit = 2;
constexpr int kBumperTargetLit = 57;
constexpr int kSpecialLit = 3;
constexpr int kShootAgain = 19;
} // namespace lamp

namespace coil {
constexpr int kPlayfieldHold0 = 0;
constexpr int kPlayfieldHold1 = 1;
constexpr int kFlippers = 2;
constexpr int kKnocker = 3;
constexpr int kRightBankReset = 4;
constexpr int kBonusHoleKicker = 5;
constexpr int kLeftBanksReset = 6;
constexpr int kBallServe = 7;
constexpr int kFirstSavedCoil = 16; // coils 16-23: the player's saved coils
} // namespace coil

namespace contact {
constexpr int kTestPush = 0;
constexpr int kGameOver = 1;
constexpr int kCoin1 = 2;
constexpr int kCoin2 = 3;
constexpr int kCoin3 = 4;
constexpr int kStart = 5;
constexpr int kTestInter = 6;
constexpr int kTilt = 7;
constexpr int kLane8 = 8;
constexpr int kSpecialTarget = 10;
constexpr int kRebound = 14;
constexpr int kLane16 = 16;
constexpr int kBonusHole = 18;
constexpr int kBumperTarget = 22;
constexpr int kStar24 = 24;
constexpr int kExtraBallTarget = 26;
constexpr int kStar500 = 29;
constexpr int kBumperTop = 30;
constexpr int kLane32 = 32;
constexpr int kBumperCentre = 34;
constexpr int kOutlanes = 35;
constexpr int kSpinner = 36;
constexpr int kKickerRight = 43;
constexpr int kKickerLeft = 46;
constexpr int kBallReturn = 47;
// Bank targets, in latch-bit order.
constexpr std::array<int, 4> kRightBank{17, 25, 33, 9};
constexpr std::array<int, 3> kColourBank{11, 19, 27};
constexpr std::array<int, 4> kWordBank{13, 21, 12, 20};
} // namespace contact

// Game functions of the sound table.
namespace fn {
constexpr int kReelClick = 0;    // a reel steps one digit
constexpr int kReelTransfer = 1; // a reel carries into the next one
constexpr int kBonusHoleCollect = 2;
constexpr int kBallServed = 3;
constexpr int kRightBankPlain = 4;
constexpr int kGameStart = 5;
constexpr int kOutlanes = 6;
constexpr int kRightBankAdvance = 7;
constexpr int kLanes = 8;
constexpr int kRebound = 9;
constexpr int kTilt = 10;
constexpr int kMultipliedJingle = 11;
constexpr int kSpecialOrWordBank = 14;
constexpr int kExtraBallOrColourBank = 15;
constexpr int kMultipliedLoop = 16;
constexpr int kGameOver = 17;
constexpr int kBumperTarget = 18;
constexpr int kSecondTick = 20;
constexpr int kBackgroundMusic = 30;
constexpr int kFirstContactSound = 31; // 31 + c: the sound of switch c
inline constexpr int contactSound(int c) {
    return kFirstContactSound + c;
}
} // namespace fn

} // namespace pinstage
