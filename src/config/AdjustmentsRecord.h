// The adjustments file "Réglages.fli" (numbered): the 30 operator settings, 112 bytes.
#pragma once

#include "config/ByteCodec.h"

#include <array>
#include <cstdint>

namespace pinstage {

constexpr size_t kAdjustmentsRecordSize = 112;
constexpr int kAdjustmentRowCount = 30; // rows 1-30 of the settings grid
constexpr int kCoinSlotCount = 3;

// Fields in file order; the comment gives the offset and the settings-grid row.
struct AdjustmentsRecord {
    std::array<uint16_t, kCoinSlotCount> coinsPerCredit{};   // 0, rows 1-3
    std::array<uint16_t, kCoinSlotCount> coinsForBonus{};    // 6, rows 4-6
    std::array<uint16_t, kCoinSlotCount> bonusCreditValue{}; // 12, rows 7-9
    std::array<uint16_t, kCoinSlotCount> gamesPerCredit{};   // 18, rows 10-12
    uint16_t ballsPerGame{};                                 // 24, row 13
    std::array<uint8_t, 2> alignment26{};                    // 26, kept as held
    std::array<uint32_t, 3> freeGameScores{};                // 28, rows 14-16
    uint32_t recordScore{};                                  // 40, row 17
    uint16_t recordFreeGames{};                              // 44, row 18
    TextSlot<4> lottery;                                     // 46, row 19
    TextSlot<24> awardKind;                                  // 50, row 20
    uint16_t maxFreeGamesPerPlayer{};                        // 74, row 21
    TextSlot<4> videos;                                      // 76, row 27
    TextSlot<4> rankingPhotos;                               // 80, row 24
    TextSlot<4> freePlay;                                    // 84, row 22
    TextSlot<4> photoAtGameOver;                             // 88, row 23
    TextSlot<4> posters;                                     // 92, row 28
    TextSlot<4> internetAds;                                 // 96, row 25
    TextSlot<4> kiosk;                                       // 100, row 26
    TextSlot<4> startupChoice;                               // 104, row 30
    TextSlot<4> nameEntry;                                   // 108, row 29
};

} // namespace pinstage
