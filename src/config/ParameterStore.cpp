// Start-up load of the parameter files, in the machine's fixed order, from one table of file kinds.
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

#include <memory>
#include <string_view>
#include <system_error>
#include <type_traits>

namespace pinstage {

namespace fs = std::filesystem;

namespace {
// The existence test of the start-up, a directory search for exactly that name.
bool present(const fs::path& file) {
    std::error_code ec;
    return fs::exists(file, ec);
}

// A file is laid over its record's built-in defaults, so a file shorter than its record keeps the
// defaults for what it lacks (never zeros, nor what another configuration held). The record
// changes only once the file has been read.
template <auto Member, auto Defaults, auto Load> void overDefaults(const fs::path& file, ParameterSet& set) {
    auto defaults = [&] {
        if constexpr (std::is_invocable_v<decltype(Defaults), const ParameterSet&>)
            return Defaults(set);
        else
            return Defaults();
    }();
    Load(file, defaults);
    set.*Member = std::move(defaults);
}

// The labels of the switch sounds name the switches of the contacts just loaded; entry 95, never
// stored, keeps its default.
SoundsRecord soundDefaultsOf(const ParameterSet& set) {
    return defaultSoundParams(set.contacts);
}
AccountingRecord noAccounting() {
    return AccountingRecord{};
}

const ParameterFileKind kKinds[] = {
    {kContactsFileName, DataDir::Datas, false, nullptr,
     overDefaults<&ParameterSet::contacts, defaultContacts, loadContacts>,
     [](const DataRoot& root, int, ParameterSet& s) { createContactsDefaults(root, s.contacts); },
     describeContacts},
    {kCoilsFileName, DataDir::Datas, false, nullptr,
     overDefaults<&ParameterSet::coils, defaultCoils, loadCoils>,
     [](const DataRoot& root, int, ParameterSet& s) { createCoilsDefaults(root, s.coils); }, describeCoils},
    {kLampsFileName, DataDir::Datas, false, nullptr,
     overDefaults<&ParameterSet::lamps, defaultLamps, loadLamps>,
     [](const DataRoot& root, int, ParameterSet& s) { createLampsDefaults(root, s.lamps); }, describeLamps},
    {kGameRuleFileName, DataDir::Datas, true, kGameRuleDefaultCopyName,
     overDefaults<&ParameterSet::gameRule, defaultGameRule, loadGameRule>,
     [](const DataRoot& root, int c, ParameterSet& s) { createGameRuleDefaults(root, c, s.gameRule); },
     describeGameRule},
    {kCombinationsFileName, DataDir::Datas, true, kCombinationsDefaultCopyName,
     overDefaults<&ParameterSet::combinations, defaultCombinations, loadCombinations>,
     [](const DataRoot& root, int c, ParameterSet& s) {
         createCombinationsDefaults(root, c, s.combinations);
     },
     describeCombinations},
    {kAccountingFileName, DataDir::Datas, true, nullptr,
     overDefaults<&ParameterSet::accounting, noAccounting, loadAccounting>,
     [](const DataRoot& root, int c, ParameterSet& s) { createAccountingDefaults(root, c, s.accounting); },
     describeAccounting},
    {kSoundsFileName, DataDir::Datas, true, kSoundsDefaultCopyName,
     overDefaults<&ParameterSet::sounds, soundDefaultsOf, loadSoundParams>,
     [](const DataRoot& root, int c, ParameterSet& s) {
         createSoundParamsDefaults(root, c, s.contacts, s.sounds);
     },
     describeSoundParams},
    {kFrontonFileName, DataDir::Datas, true, kFrontonDefaultCopyName,
     overDefaults<&ParameterSet::fronton, defaultFronton, loadFronton>,
     [](const DataRoot& root, int c, ParameterSet& s) { createFrontonDefaults(root, c, s.fronton); },
     describeFronton},
    {kAdjustmentsFileName, DataDir::Datas, true, nullptr,
     overDefaults<&ParameterSet::adjustments, defaultAdjustments, loadAdjustments>,
     [](const DataRoot& root, int c, ParameterSet& s) { createAdjustmentsDefaults(root, c, s.adjustments); },
     describeAdjustments},
    {kAdvertisersFileName, DataDir::Datas, true, kAdvertisersDefaultCopyName,
     [](const fs::path& f, ParameterSet& s) { readAdvertisersTable(f, s.advertisers); },
     [](const DataRoot& root, int c, ParameterSet& s) {
         CreerAnnonceursDefaut(root, c);
         readAdvertisersTable(advertisersFile(root, c), s.advertisers);
     },
     describeAdvertisers},
    {kPlayersFileName, DataDir::BasesDeDonnees, true, nullptr, nullptr,
     [](const DataRoot& root, int c, ParameterSet&) { createPlayersDefaults(root, c); }, describePlayers},
};

// Loads the file of the kind when present; otherwise creates it and records the names written.
void loadOrCreate(const ParameterFileKind& kind, const DataRoot& root, int config, ParameterSet& set,
                  std::vector<std::string>* created) {
    fs::path file = fileOfKind(root, kind, config);
    if (present(file)) {
        if (kind.load)
            kind.load(file, set);
        return;
    }
    kind.create(root, config, set);
    if (!created)
        return;
    created->push_back(kind.numbered ? numberedName(kind.name, config) : kind.name);
    if (kind.defaultCopy)
        created->push_back(numberedName(kind.defaultCopy, config));
}

const ParameterFileKind& kindNamed(const char* name) {
    for (const ParameterFileKind& k : kKinds)
        if (std::string_view(k.name) == name)
            return k;
    throw PinError(std::string("type de fichier inconnu : ") + name);
}
} // namespace

std::span<const ParameterFileKind> parameterFileKinds() {
    return kKinds;
}

fs::path fileOfKind(const DataRoot& root, const ParameterFileKind& kind, int config) {
    return root.file(kind.dir, kind.numbered ? numberedName(kind.name, config) : std::string(kind.name));
}

void fullLoad(const DataRoot& root, int config, ParameterSet& set, std::vector<std::string>* created) {
    if (config < 0 || config >= kConfigurationCount)
        throw PinError("numéro de configuration invalide : " + std::to_string(config));
    set.configuration = config;
    for (const ParameterFileKind& kind : kKinds)
        loadOrCreate(kind, root, config, set, created);
}

void loadOrCreateAdjustments0(const DataRoot& root, AdjustmentsRecord& r, std::vector<std::string>* created) {
    auto early = std::make_unique<ParameterSet>();
    loadOrCreate(kindNamed(kAdjustmentsFileName), root, 0, *early, created);
    r = early->adjustments;
}

fs::path accountingFileOf(const DataRoot& root, const ParameterSet& set) {
    return configFile(root, kAccountingFileName, set.configuration);
}

fs::path adjustmentsFileOf(const DataRoot& root, const ParameterSet& set) {
    return configFile(root, kAdjustmentsFileName, set.configuration);
}

} // namespace pinstage
