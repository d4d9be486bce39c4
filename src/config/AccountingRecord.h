// The accounting file "Comptabilite.fli" (numbered): 40 counters and the two credit digits, 164 bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace pinstage {

constexpr size_t kAccountingRecordSize = 164;
constexpr int kStatisticCount = 42; // indices 0-41 of the accounting page
constexpr int kStatCreditUnits = 21;
constexpr int kStatCreditTens = 22;

// Statistic indices of the machine-wide counters (23-41 count playfield hits).
enum Statistic : int {
    kStatCoins1 = 0,
    kStatCoins2 = 1,
    kStatCoins3 = 2,
    kStatCreditBonus1 = 3,
    kStatCreditBonus2 = 4,
    kStatCreditBonus3 = 5,
    kStatBallsStarted = 6,
    kStatGamesStarted = 7,
    kStatTilts = 8,
    kStatGameOvers = 9,
    kStatRecordReached = 10,
    kStatFreeGamesTotal = 11,
    kStatFreeGamesScore1 = 12,
    kStatFreeGamesScore2 = 13,
    kStatFreeGamesScore3 = 14,
    kStatFreeGamesRecord = 15,
    kStatFreeGamesSpecial = 16,
    kStatExtraBalls = 17,
    kStatFreeGamesLottery = 18,
    kStatPowerOnTime = 19,
    kStatAverageGameTime = 20,
};

struct AccountingRecord {
    std::array<uint32_t, 21> countersLow{};  // offset 0: statistics 0-20
    uint8_t creditUnits{};                   // offset 84: statistic 21, 0-9 (as read: may be anything)
    uint8_t creditTens{};                    // offset 85: statistic 22
    std::array<uint8_t, 2> alignment86{};    // offset 86, kept as held
    std::array<uint32_t, 19> countersHigh{}; // offset 88: statistics 23-41
};

// The counter of a statistic index (0-20 or 23-41); nullptr for the credit digits and out of range.
inline uint32_t* counter(AccountingRecord& r, int index) {
    if (index >= 0 && index < 21)
        return &r.countersLow[size_t(index)];
    if (index >= 23 && index < kStatisticCount)
        return &r.countersHigh[size_t(index - 23)];
    return nullptr;
}
inline const uint32_t* counter(const AccountingRecord& r, int index) {
    return counter(const_cast<AccountingRecord&>(r), index);
}

// The value shown for statistic index 0-41 (the credit digits as small numbers); 0 out of range.
inline uint32_t statisticValue(const AccountingRecord& r, int index) {
    if (index == kStatCreditUnits)
        return r.creditUnits;
    if (index == kStatCreditTens)
        return r.creditTens;
    const uint32_t* c = counter(r, index);
    return c ? *c : 0;
}

} // namespace pinstage
