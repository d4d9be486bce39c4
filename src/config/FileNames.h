// The names of the parameter files and where they live under the data root.
#pragma once

#include "platform/DataRoot.h"

#include <filesystem>
#include <string>

namespace pinstage {

// Shared by every configuration (no number in the name).
inline constexpr const char* kContactsFileName = "ContactsParam.fli";
inline constexpr const char* kCoilsFileName = "BobinesParam.fli";
inline constexpr const char* kLampsFileName = "VoyantsParam.fli";
// One per configuration: the number goes before the extension.
inline constexpr const char* kGameRuleFileName = "RegleDuJeuParam.fli";
inline constexpr const char* kGameRuleDefaultCopyName = "DefautRegleDuJeu.fli";
inline constexpr const char* kCombinationsFileName = "CombinaisonsParam.fli";
inline constexpr const char* kCombinationsDefaultCopyName = "DefautCombinaisons.fli";
inline constexpr const char* kAccountingFileName = "Comptabilite.fli";
inline constexpr const char* kSoundsFileName = "SonsParam.fli";
inline constexpr const char* kSoundsDefaultCopyName = "DefautSons.fli";
inline constexpr const char* kFrontonFileName = "FrontonParam.fli";
inline constexpr const char* kFrontonDefaultCopyName = "DefautFronton.fli";
inline constexpr const char* kAdjustmentsFileName = "Réglages.fli";
inline constexpr const char* kAdvertisersFileName = "Annonceurs.fli";
inline constexpr const char* kAdvertisersDefaultCopyName = "DefautAnnonceurs.fli";
inline constexpr const char* kPlayersFileName = "Joueurs.db";

constexpr int kConfigurationCount = 8;

// A shared file of the data directory.
inline std::filesystem::path sharedFile(const DataRoot& root, const std::string& name) {
    return root.file(DataDir::Datas, name);
}
// A per-configuration file of the data directory ("Réglages.fli", 3 -> ".../Réglages3.fli").
inline std::filesystem::path configFile(const DataRoot& root, const std::string& baseName, int config) {
    return root.file(DataDir::Datas, numberedName(baseName, config));
}

} // namespace pinstage
