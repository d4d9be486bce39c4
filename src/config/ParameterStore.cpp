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

// Writes a record's defaults into the set: the creators of the shared files take no configuration.
template <auto Member, auto Create> void createInto(const DataRoot& root, int config, ParameterSet& set) {
    if constexpr (std::is_invocable_v<decltype(Create), const DataRoot&, decltype(set.*Member)&>)
        Create(root, set.*Member);
    else
        Create(root, config, set.*Member);
}

void createSounds(const DataRoot& root, int config, ParameterSet& set) {
    createSoundParamsDefaults(root, config, set.contacts, set.sounds);
}
void createAdvertisers(const DataRoot& root, int config, ParameterSet& set) {
    CreerAnnonceursDefaut(root, config);
    readAdvertisersTable(advertisersFile(root, config), set.advertisers);
}
void readAdvertisers(const fs::path& file, ParameterSet& set) {
    readAdvertisersTable(file, set.advertisers);
}
void createPlayers(const DataRoot& root, int config, ParameterSet&) {
    createPlayersDefaults(root, config);
}

using S = ParameterSet;
constexpr DataDir kDatas = DataDir::Datas;

const ParameterFileKind kKinds[] = {
    {kContactsFileName, kDatas, false, nullptr, overDefaults<&S::contacts, defaultContacts, loadContacts>,
     createInto<&S::contacts, createContactsDefaults>, describeContacts},
    {kCoilsFileName, kDatas, false, nullptr, overDefaults<&S::coils, defaultCoils, loadCoils>,
     createInto<&S::coils, createCoilsDefaults>, describeCoils},
    {kLampsFileName, kDatas, false, nullptr, overDefaults<&S::lamps, defaultLamps, loadLamps>,
     createInto<&S::lamps, createLampsDefaults>, describeLamps},
    {kGameRuleFileName, kDatas, true, kGameRuleDefaultCopyName,
     overDefaults<&S::gameRule, defaultGameRule, loadGameRule>,
     createInto<&S::gameRule, createGameRuleDefaults>, describeGameRule},
    {kCombinationsFileName, kDatas, true, kCombinationsDefaultCopyName,
     overDefaults<&S::combinations, defaultCombinations, loadCombinations>,
     createInto<&S::combinations, createCombinationsDefaults>, describeCombinations},
    {kAccountingFileName, kDatas, true, nullptr, overDefaults<&S::accounting, noAccounting, loadAccounting>,
     createInto<&S::accounting, createAccountingDefaults>, describeAccounting},
    {kSoundsFileName, kDatas, true, kSoundsDefaultCopyName,
     overDefaults<&S::sounds, soundDefaultsOf, loadSoundParams>, createSounds, describeSoundParams},
    {kFrontonFileName, kDatas, true, kFrontonDefaultCopyName,
     overDefaults<&S::fronton, defaultFronton, loadFronton>, createInto<&S::fronton, createFrontonDefaults>,
     describeFronton},
    {kAdjustmentsFileName, kDatas, true, nullptr,
     overDefaults<&S::adjustments, defaultAdjustments, loadAdjustments>,
     createInto<&S::adjustments, createAdjustmentsDefaults>, describeAdjustments},
    {kAdvertisersFileName, kDatas, true, kAdvertisersDefaultCopyName, readAdvertisers, createAdvertisers,
     describeAdvertisers},
    {kPlayersFileName, DataDir::BasesDeDonnees, true, nullptr, nullptr, createPlayers, describePlayers},
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
