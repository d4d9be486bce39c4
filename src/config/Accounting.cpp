// The accounting file: 21 counters, the credit digits, alignment, 19 counters.
#include "config/Accounting.h"

#include "config/FileNames.h"
#include "config/RecordFile.h"
#include "config/RecordLayout.h"

namespace pinstage {

namespace {
const char* const kLoadMessage = "fichier de comptabilité introuvable";
const char* const kSaveMessage = "Impossible de créer le fichier de comptabilité";

template <class V, class R> void layoutAccounting(V& v, R& r) {
    for (int i = 0; i < 21; ++i)
        v.u32(4 * size_t(i), FieldName{"statistic", i}, r.countersLow[size_t(i)]);
    v.u8(84, FieldName{"creditUnits"}, r.creditUnits);
    v.u8(85, FieldName{"creditTens"}, r.creditTens);
    v.raw(86, FieldName{"alignment86"}, r.alignment86);
    for (int i = 0; i < 19; ++i)
        v.u32(88 + 4 * size_t(i), FieldName{"statistic", 23 + i}, r.countersHigh[size_t(i)]);
}
constexpr auto kLayout = [](auto& v, auto& r) { layoutAccounting(v, r); };
} // namespace

void loadAccounting(const std::filesystem::path& file, AccountingRecord& r) {
    overlayRecord(r, kAccountingRecordSize, readRecordFile(file, kAccountingRecordSize, kLoadMessage),
                  kLayout);
}

void saveAccounting(const std::filesystem::path& file, const AccountingRecord& r) {
    writeRecordFile(file, encodeAccounting(r), kSaveMessage);
}

void createAccountingDefaults(const DataRoot& root, int config, AccountingRecord& r) {
    AccountingRecord fresh{};
    saveAccounting(configFile(root, kAccountingFileName, config), fresh);
    r = fresh;
}

std::vector<uint8_t> encodeAccounting(const AccountingRecord& r) {
    return encodeRecord(r, kAccountingRecordSize, kLayout);
}

std::vector<FieldLine> describeAccounting(std::span<const uint8_t> bytes) {
    return describeRecord<AccountingRecord>(bytes, kAccountingRecordSize, kLayout);
}

} // namespace pinstage
