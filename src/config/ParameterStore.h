// The full load of the start-up: every parameter record of one configuration, each file loaded
// when present and created from the built-in defaults when missing, from one table of the kinds
// of parameter file (which the data tool's listing reads too).
#pragma once

#include "config/AccountingRecord.h"
#include "config/AdjustmentsRecord.h"
#include "config/Advertisers.h"
#include "config/CoilsRecord.h"
#include "config/CombinationsRecord.h"
#include "config/ContactsRecord.h"
#include "config/FrontonParams.h"
#include "config/GameRuleRecord.h"
#include "config/LampsRecord.h"
#include "config/SoundsRecord.h"
#include "platform/DataRoot.h"

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace pinstage {

// The in-memory records the runtime and the dashboard share for the whole run.
struct ParameterSet {
    int configuration = 0; // the configuration number in use, copied at each full load
    ContactsRecord contacts;
    CoilsRecord coils;
    LampsRecord lamps;
    GameRuleRecord gameRule;
    CombinationsRecord combinations;
    AccountingRecord accounting;
    SoundsRecord sounds;
    FrontonRecord fronton;
    AdjustmentsRecord adjustments;
    AdvertisersTable advertisers;
};

// One kind of parameter file: where it lives, the copy of its defaults written beside it, how the
// start-up reads it into the set or creates it, and the listing of its fields.
struct ParameterFileKind {
    const char* name; // UTF-8; a numbered file takes the configuration before the extension
    DataDir dir;
    bool numbered;           // one file per configuration
    const char* defaultCopy; // written beside it when it is created; nullptr when none
    // Reads a present file into the set, laid over the record's built-in defaults (nullptr: the
    // start-up does not read it). The set changes only once the file has been read.
    void (*load)(const std::filesystem::path& file, ParameterSet& set);
    // Writes the built-in defaults (and the copy) and puts them in the set.
    void (*create)(const DataRoot& root, int config, ParameterSet& set);
    std::vector<FieldLine> (*describe)(std::span<const uint8_t> bytes);
};

// Every kind of parameter file, in the start-up's order.
std::span<const ParameterFileKind> parameterFileKinds();
// The file of a kind in a configuration.
std::filesystem::path fileOfKind(const DataRoot& root, const ParameterFileKind& kind, int config);

// Loads or creates, in this order: contacts, coils, lamps (shared), then the game rule,
// combinations, accounting, sounds, backglass, adjustments and advertisers of the configuration,
// then the players file. created (may be null) receives the UTF-8 names of the files written,
// default copies included. PinError on a bad configuration number or on a file error.
void fullLoad(const DataRoot& root, int config, ParameterSet& set, std::vector<std::string>* created);

// The start-up's early read of "Réglages0.fli": loaded when present, else created with defaults.
void loadOrCreateAdjustments0(const DataRoot& root, AdjustmentsRecord& r, std::vector<std::string>* created);

// The accounting file of the configuration in use, where every credit step is saved.
std::filesystem::path accountingFileOf(const DataRoot& root, const ParameterSet& set);
// The adjustments file of the configuration in use (record score, settings page).
std::filesystem::path adjustmentsFileOf(const DataRoot& root, const ParameterSet& set);

} // namespace pinstage
