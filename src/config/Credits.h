// The credit counter: two decimal digits mirrored into the accounting record, which is saved at
// every step so that no credit is lost to a power cut.
#pragma once

#include "config/AccountingRecord.h"

#include <cstdint>
#include <filesystem>

namespace pinstage {

constexpr int kMaxCredits = 99;

struct CreditDigits {
    uint8_t units = 0;
    uint8_t tens = 0;
    int value() const { return tens * 10 + units; }
    bool operator==(const CreditDigits&) const = default;
};

// The digits held by the record, each clamped to 0-9 (the file may hold anything).
CreditDigits creditDigits(const AccountingRecord& r);
// The number of credits held by the record, 0-99.
inline int credits(const AccountingRecord& r) {
    return creditDigits(r).value();
}

// The stepping rule alone: up stops at 99 (a coin never wipes out the credits), down stops at 0.
// False when the digits stayed as they were.
bool stepCreditUp(CreditDigits& d);
bool stepCreditDown(CreditDigits& d);

// One step of the credit counter: the digits change, are copied into bytes 84/85 of the record
// and the accounting file is saved at once (also when the counter is at its bound, so that
// counters changed in memory reach the file). A failed save raises the accounting save message
// after the change, which stays in memory: the coin was paid.
void creditUp(CreditDigits& d, AccountingRecord& r, const std::filesystem::path& accountingFile);
void creditDown(CreditDigits& d, AccountingRecord& r, const std::filesystem::path& accountingFile);

} // namespace pinstage
