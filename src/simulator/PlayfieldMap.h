// Where things are on the Pentacle playfield as the simulator sees it: the machine switches, the
// drop-target banks and their reset coils, the bonus hole, the ball serve and the switches a ball
// can close.
#pragma once

#include <array>

namespace pinstage::playfield {

// Machine switches the keyboard drives.
constexpr int kTestPush = 0;
constexpr int kCoin = 4;
constexpr int kStart = 5;
constexpr int kTilt = 7;
constexpr int kDrain = 47;
constexpr int kRightFlipperButton = 64;
constexpr int kLeftFlipperButton = 71;

constexpr int kBonusHole = 18;
constexpr int kSpinner = 36;

// Coils the playfield answers.
constexpr int kRightBankResetCoil = 4;
constexpr int kHoleKickerCoil = 5;
constexpr int kLeftBanksResetCoil = 6;
constexpr int kServeCoil = 7;

struct DropBank {
    std::array<int, 4> targets; // -1 = no target
    int resetCoil;
};

constexpr std::array<DropBank, 3> kDropBanks{{
    {{17, 25, 33, 9}, kRightBankResetCoil},  // right bank
    {{11, 19, 27, -1}, kLeftBanksResetCoil}, // colour bank
    {{13, 21, 12, 20}, kLeftBanksResetCoil}, // word bank
}};

// The switches a ball in play can close.
constexpr std::array<int, 27> kBallSwitches{14, 35, 32, 16, 8,  24, 26, 36, 18, 17, 25, 33, 9, 11,
                                            19, 27, 13, 21, 12, 20, 46, 43, 30, 34, 29, 10, 22};

constexpr bool isDropTarget(int contact) {
    for (const DropBank& bank : kDropBanks)
        for (int t : bank.targets)
            if (t == contact)
                return true;
    return false;
}

} // namespace pinstage::playfield
