// Start-up load of the parameter files, in the machine's fixed order.
#include "config/ParameterStore.h"

#include "config/Accounting.h"
#include "config/Adjustments.h"
#include "config/CoilsParams.h"
#include "config/CombinationsParams.h"
#include "config/ContactsParams.h"
#include "config/FileNames.h"
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
} // namespace

void fullLoad(const DataRoot& root, int config, ParameterSet& set, std::vector<std::string>* created) {
    if (config < 0 || config >= kConfigurationCount)
        throw PinError("numéro de configuration invalide : " + std::to_string(config));
    set.configuration = config;
    auto numbered = [config](const char* base) { return numberedName(base, config); };

    loadOrCreate(
        sharedFile(root, kContactsFileName), created, {kContactsFileName},
        [&](const fs::path& f) { loadContacts(f, set.contacts); },
        [&] { createContactsDefaults(root, set.contacts); });
    loadOrCreate(
        sharedFile(root, kCoilsFileName), created, {kCoilsFileName},
        [&](const fs::path& f) { loadCoils(f, set.coils); }, [&] { createCoilsDefaults(root, set.coils); });
    loadOrCreate(
        sharedFile(root, kLampsFileName), created, {kLampsFileName},
        [&](const fs::path& f) { loadLamps(f, set.lamps); }, [&] { createLampsDefaults(root, set.lamps); });

    loadOrCreate(
        configFile(root, kGameRuleFileName, config), created,
        {numbered(kGameRuleFileName), numbered(kGameRuleDefaultCopyName)},
        [&](const fs::path& f) { loadGameRule(f, set.gameRule); },
        [&] { createGameRuleDefaults(root, config, set.gameRule); });
    loadOrCreate(
        configFile(root, kCombinationsFileName, config), created,
        {numbered(kCombinationsFileName), numbered(kCombinationsDefaultCopyName)},
        [&](const fs::path& f) { loadCombinations(f, set.combinations); },
        [&] { createCombinationsDefaults(root, config, set.combinations); });
    loadOrCreate(
        configFile(root, kAccountingFileName, config), created, {numbered(kAccountingFileName)},
        [&](const fs::path& f) { loadAccounting(f, set.accounting); },
        [&] { createAccountingDefaults(root, config, set.accounting); });
    loadOrCreate(
        configFile(root, kSoundsFileName, config), created,
        {numbered(kSoundsFileName), numbered(kSoundsDefaultCopyName)},
        [&](const fs::path& f) {
            // Entry 95 is never stored: it always holds its built-in default.
            set.sounds.entries[kSoundFunctionCount - 1] =
                defaultSoundParams(set.contacts).entries[kSoundFunctionCount - 1];
            loadSoundParams(f, set.sounds);
        },
        [&] { createSoundParamsDefaults(root, config, set.contacts, set.sounds); });
    loadOrCreate(
        configFile(root, kFrontonFileName, config), created,
        {numbered(kFrontonFileName), numbered(kFrontonDefaultCopyName)},
        [&](const fs::path& f) { loadFronton(f, set.fronton); },
        [&] { createFrontonDefaults(root, config, set.fronton); });
    loadOrCreate(
        configFile(root, kAdjustmentsFileName, config), created, {numbered(kAdjustmentsFileName)},
        [&](const fs::path& f) { loadAdjustments(f, set.adjustments); },
        [&] { createAdjustmentsDefaults(root, config, set.adjustments); });

    loadOrCreateAdvertisers(root, config, set.advertisers, created);
    loadOrCreatePlayers(root, config, created);
}

void loadOrCreateAdjustments0(const DataRoot& root, AdjustmentsRecord& r, std::vector<std::string>* created) {
    loadOrCreate(
        configFile(root, kAdjustmentsFileName, 0), created, {numberedName(kAdjustmentsFileName, 0)},
        [&](const fs::path& f) { loadAdjustments(f, r); }, [&] { createAdjustmentsDefaults(root, 0, r); });
}

fs::path accountingFileOf(const DataRoot& root, const ParameterSet& set) {
    return configFile(root, kAccountingFileName, set.configuration);
}

fs::path adjustmentsFileOf(const DataRoot& root, const ParameterSet& set) {
    return configFile(root, kAdjustmentsFileName, set.configuration);
}

} // namespace pinstage
