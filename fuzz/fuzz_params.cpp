// Every parameter record loaded from a file holding the fuzzed bytes (after the first, which picks
// the record), then listed, saved and loaded back: nothing read past the file, nothing lost.
#include "FuzzFile.h"

#include "config/Accounting.h"
#include "config/AdjustmentRows.h"
#include "config/Adjustments.h"
#include "config/CoilsParams.h"
#include "config/CombinationsParams.h"
#include "config/ContactsParams.h"
#include "config/FrontonParams.h"
#include "config/GameRuleParams.h"
#include "config/LampsParams.h"
#include "config/SoundParams.h"
#include "platform/PinError.h"

#include <cstdlib>
#include <span>

using namespace pinstage;

namespace {

// Loads the file over the defaults, lists the bytes, then saves and loads again: the second load
// must give the record the first one gave.
template <class Record, class Load, class Save, class Encode, class Describe>
void roundTrip(const std::filesystem::path& file, std::span<const uint8_t> bytes, Record r, Load load,
               Save save, Encode encode, Describe describe) {
    try {
        load(file, r);
    } catch (const PinError&) {
        return;
    }
    describe(bytes);
    std::vector<uint8_t> image = encode(r);
    save(file, r);
    Record again = r;
    load(file, again);
    if (encode(again) != image)
        std::abort();
}

// The built-in records, made once: building them parses the label tables.
struct Defaults {
    ContactsRecord contacts = defaultContacts();
    CoilsRecord coils = defaultCoils();
    LampsRecord lamps = defaultLamps();
    GameRuleRecord gameRule = defaultGameRule();
    CombinationsRecord combinations = defaultCombinations();
    SoundsRecord sounds = defaultSoundParams(contacts);
    AdjustmentsRecord adjustments = defaultAdjustments();
    FrontonRecord fronton = defaultFronton();
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    static const Defaults d;
    std::span<const uint8_t> bytes(data + 1, size - 1);
    auto file = fuzz::fuzzDir().write("record.fli", bytes.data(), bytes.size());
    switch (data[0] % 9) {
    case 0:
        roundTrip(file, bytes, d.contacts, loadContacts, saveContacts, encodeContacts, describeContacts);
        break;
    case 1:
        roundTrip(file, bytes, d.coils, loadCoils, saveCoils, encodeCoils, describeCoils);
        break;
    case 2:
        roundTrip(file, bytes, d.lamps, loadLamps, saveLamps, encodeLamps, describeLamps);
        break;
    case 3:
        roundTrip(file, bytes, d.gameRule, loadGameRule, saveGameRule, encodeGameRule, describeGameRule);
        break;
    case 4:
        roundTrip(file, bytes, d.combinations, loadCombinations, saveCombinations, encodeCombinations,
                  describeCombinations);
        break;
    case 5:
        roundTrip(file, bytes, AccountingRecord{}, loadAccounting, saveAccounting, encodeAccounting,
                  describeAccounting);
        break;
    case 6:
        roundTrip(file, bytes, d.sounds, loadSoundParams, saveSoundParams, encodeSoundParams,
                  describeSoundParams);
        break;
    case 7: {
        AdjustmentsRecord r = d.adjustments;
        roundTrip(file, bytes, r, loadAdjustments, saveAdjustments, encodeAdjustments, describeAdjustments);
        try {
            loadAdjustments(file, r);
        } catch (const PinError&) {
            return 0;
        }
        // Every row as the settings page shows it, then stored back from its own text.
        for (int row = 0; row < 64; ++row) {
            if (!adjustmentRow(row))
                continue;
            std::string text = adjustmentText(r, row);
            (void)adjustmentError(row, text);
            (void)storeAdjustment(r, row, text);
        }
        (void)ballsPerGame(r);
        (void)awardIsFreeGame(r);
        break;
    }
    default:
        roundTrip(file, bytes, d.fronton, loadFronton, saveFronton, encodeFronton, describeFronton);
        break;
    }
    return 0;
}
