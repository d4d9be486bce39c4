// Credit counter stepping and its immediate save.
#include "config/Credits.h"

#include "config/Accounting.h"

#include <algorithm>

namespace pinstage {

namespace {
uint8_t digit(uint8_t v) {
    return std::min<uint8_t>(v, 9);
}

void mirrorAndSave(CreditDigits& d, AccountingRecord& r, const std::filesystem::path& file) {
    d.units = digit(d.units);
    d.tens = digit(d.tens);
    r.creditUnits = d.units;
    r.creditTens = d.tens;
    saveAccounting(file, r);
}
} // namespace

CreditDigits creditDigits(const AccountingRecord& r) {
    return {digit(r.creditUnits), digit(r.creditTens)};
}

bool stepCreditUp(CreditDigits& d) {
    d.units = digit(d.units);
    d.tens = digit(d.tens);
    if (d.value() >= kMaxCredits)
        return false;
    if (d.units == 9) {
        d.units = 0;
        ++d.tens;
    } else {
        ++d.units;
    }
    return true;
}

bool stepCreditDown(CreditDigits& d) {
    d.units = digit(d.units);
    d.tens = digit(d.tens);
    if (d.units > 0) {
        --d.units;
    } else if (d.tens > 0) {
        --d.tens;
        d.units = 9;
    } else {
        return false;
    }
    return true;
}

void creditUp(CreditDigits& d, AccountingRecord& r, const std::filesystem::path& accountingFile) {
    stepCreditUp(d);
    mirrorAndSave(d, r, accountingFile);
}

void creditDown(CreditDigits& d, AccountingRecord& r, const std::filesystem::path& accountingFile) {
    stepCreditDown(d);
    mirrorAndSave(d, r, accountingFile);
}

} // namespace pinstage
