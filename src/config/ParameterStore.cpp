// Start-up load of the parameter files, in the machine's fixed order.
#include "config/ParameterStore.h"

#include "config/Accounting.h"
#include "config/Adjustments.h"
#include "config/CoilsParams.h"
#include "config/CombinationsParams.h"
#include "config/ContactsParams.h"
#include "config/FileNames.h"
#include "config/FrontonParams.h"
#include "config/GameRuleParams.h"
#include "config/LampsParams.h"
#include "config/Players.h"
#include "config/SoundParams.h"
#include "platform/PinError.h"

#include <system_error>

namespace pinstage {

namespace fs = std::filesystem;

namespace {
// The existence test of the start-up, a directory search for exactly that name.
bool present(const fs::path& file) {
    std::error_code ec;
    return fs::exists(file, ec);
}

void note(std::vector<std::string>* created, const std::string& name) {
    if (created)
        created->push_back(name);
}

// Loads the file when present; otherwise runs create and records the names it writes.
template <class Load, class Create>
void loadOrCreate(const fs::path& file, std::vector<std::string>* created,
                  std::initializer_list<std::string> names, Load load, Create create) {
    if (present(file)) {
        load(file);
        return;
    }
    create();
    for (const auto& n : names)
        note(created, n);
}

// A file is laid over its record's built-in defaults, so a file shorter than its record keeps the
// defaults for what it lacks (never zeros, nor what another configuration held). The record
// changes only once the file has been read.
template <class Record, class Load>
void loadOverDefaults(const fs::path& file, Record& r, Record defaults, Load load) {
    load(file, defaults);
    r = std::move(defaults);
}
} // namespace

void fullLoad(const DataRoot& root, int config, ParameterSet& set, std::vector<std::string>* created) {
    if (config < 0 || config >= kConfigurationCount)
        throw PinError("numéro de configuration invalide : " + std::to_string(config));
    set.configuration = config;
    auto numbered = [config](const char* base) { return numberedName(base, config); };

    loadOrCreate(
        sharedFile(root, kContactsFileName), created, {kContactsFileName},
        [&](const fs::path& f) { loadOverDefaults(f, set.contacts, defaultContacts(), loadContacts); },
        [&] { createContactsDefaults(root, set.contacts); });
    loadOrCreate(
        sharedFile(root, kCoilsFileName), created, {kCoilsFileName},
        [&](const fs::path& f) { loadOverDefaults(f, set.coils, defaultCoils(), loadCoils); },
        [&] { createCoilsDefaults(root, set.coils); });
    loadOrCreate(
        sharedFile(root, kLampsFileName), created, {kLampsFileName},
        [&](const fs::path& f) { loadOverDefaults(f, set.lamps, defaultLamps(), loadLamps); },
        [&] { createLampsDefaults(root, set.lamps); });

    loadOrCreate(
        configFile(root, kGameRuleFileName, config), created,
        {numbered(kGameRuleFileName), numbered(kGameRuleDefaultCopyName)},
        [&](const fs::path& f) { loadOverDefaults(f, set.gameRule, defaultGameRule(), loadGameRule); },
        [&] { createGameRuleDefaults(root, config, set.gameRule); });
    loadOrCreate(
        configFile(root, kCombinationsFileName, config), created,
        {numbered(kCombinationsFileName), numbered(kCombinationsDefaultCopyName)},
        [&](const fs::path& f) {
            loadOverDefaults(f, set.combinations, defaultCombinations(), loadCombinations);
        },
        [&] { createCombinationsDefaults(root, config, set.combinations); });
    loadOrCreate(
        configFile(root, kAccountingFileName, config), created, {numbered(kAccountingFileName)},
        [&](const fs::path& f) { loadOverDefaults(f, set.accounting, AccountingRecord{}, loadAccounting); },
        [&] { createAccountingDefaults(root, config, set.accounting); });
    loadOrCreate(
        configFile(root, kSoundsFileName, config), created,
        {numbered(kSoundsFileName), numbered(kSoundsDefaultCopyName)},
        [&](const fs::path& f) {
            // The labels of the switch sounds name the switches of the contacts just loaded; entry 95,
            // never stored, keeps its default.
            loadOverDefaults(f, set.sounds, defaultSoundParams(set.contacts), loadSoundParams);
        },
        [&] { createSoundParamsDefaults(root, config, set.contacts, set.sounds); });
    loadOrCreate(
        configFile(root, kFrontonFileName, config), created,
        {numbered(kFrontonFileName), numbered(kFrontonDefaultCopyName)},
        [&](const fs::path& f) { loadOverDefaults(f, set.fronton, defaultFronton(), loadFronton); },
        [&] { createFrontonDefaults(root, config, set.fronton); });
    loadOrCreate(
        configFile(root, kAdjustmentsFileName, config), created, {numbered(kAdjustmentsFileName)},
        [&](const fs::path& f) {
            loadOverDefaults(f, set.adjustments, defaultAdjustments(), loadAdjustments);
        },
        [&] { createAdjustmentsDefaults(root, config, set.adjustments); });

    loadOrCreateAdvertisers(root, config, set.advertisers, created);
    loadOrCreatePlayers(root, config, created);
}

void loadOrCreateAdjustments0(const DataRoot& root, AdjustmentsRecord& r, std::vector<std::string>* created) {
    loadOrCreate(
        configFile(root, kAdjustmentsFileName, 0), created, {numberedName(kAdjustmentsFileName, 0)},
        [&](const fs::path& f) { loadOverDefaults(f, r, defaultAdjustments(), loadAdjustments); },
        [&] { createAdjustmentsDefaults(root, 0, r); });
}

fs::path accountingFileOf(const DataRoot& root, const ParameterSet& set) {
    return configFile(root, kAccountingFileName, set.configuration);
}

fs::path adjustmentsFileOf(const DataRoot& root, const ParameterSet& set) {
    return configFile(root, kAdjustmentsFileName, set.configuration);
}

} // namespace pinstage
