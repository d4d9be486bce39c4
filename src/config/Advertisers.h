// The advertisers file "Annonceurs.fli" (numbered): 192-byte advertiser records, read/write with the
// writer's numbering, the default file and the built-in kiosk addresses.
#pragma once

#include "config/ByteCodec.h"
#include "platform/DataRoot.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace pinstage {

constexpr size_t kFicheAnnonceurSize = 192;
constexpr int kDefaultAdvertiserCount = 19;
constexpr int32_t kAdvertInternet = 1; // any other type is a local picture

struct FicheAnnonceur {
    int32_t identificateur{};           // 0: record number, set by the writer
    TextSlot<24> nomAnnonceur;          // 4
    int32_t typeAnnonce{};              // 28: 1 internet page, other: local picture
    TextSlot<60> adresseConnection;     // 32: address (type 1) or picture file
    TextSlot<32> fichierAttente;        // 92
    int32_t diffusionsPayees{};         // 124
    int32_t diffusionsEffectives{};     // 128
    int32_t dureeMiniDiffusion{};       // 132: ms
    TextSlot<40> dateDerniereDiffusion; // 136: "dd/mm/yyyy hh:mm:ss"
    int32_t periodePassage{};           // 176: 0 game, 1 game over, 2 either
    uint32_t debutDiffusion{};          // 180: ms tick the current showing began
    int32_t tempsAffichage{};           // 184: ms on screen of the current showing
    uint8_t enDiffusion{};              // 188: 1 = on air
    std::array<uint8_t, 3> alignment{}; // 189
};

// The advertisers read from the file.
struct AdvertisersTable {
    std::vector<FicheAnnonceur> fiches;
    int recordCount = 0; // the file's record count published by the last read
};

// Column titles of the advertisers grid, then the end marker " ".
extern const std::array<const char*, 11> advertiserGridTitles;
// Per grid column: the smallest and largest accepted value, "" when free text; then the end marker.
extern const std::array<const char*, 11> advertiserMinimums;
extern const std::array<const char*, 11> advertiserMaximums;
// Public web sites of general interest: the kiosk's list and the default advertisers' addresses.
extern const std::array<const char*, 24> defaultKioskAddresses;
// The default "Fichier attente ou par défaut".
extern const char* const kDefaultAdvertiserWaitingSite;

std::vector<uint8_t> encodeFicheAnnonceur(const FicheAnnonceur& f);
FicheAnnonceur decodeFicheAnnonceur(std::span<const uint8_t> bytes);

std::filesystem::path advertisersFile(const DataRoot& root, int config);
// The 19 default advertisers; creationDate fills "date et heure dernière diffusion".
std::vector<FicheAnnonceur> defaultAdvertisers(const std::string& creationDate);

// Writes the 19 defaults into AnnonceursN.fli and DefautAnnonceursN.fli.
void CreerAnnonceursDefaut(const DataRoot& root, int config, std::vector<std::string>* created = nullptr);
// Reads up to count whole records from firstIndex (clamped to 0..n); a missing file reads nothing.
// recordCount, when given, receives n.
int LireAnnonceurs(const std::filesystem::path& file, std::span<FicheAnnonceur> buffers, int firstIndex,
                   int count, int* recordCount = nullptr);
// Writes count buffers at the end (append) or at index, numbering them from n or index (from the
// first buffer's own id when the file holds no record). Power-safe. PinError "Impossible de créer
// le fichier des annonceurs", or the index-beyond-end message when index > n.
bool EcrireAnnonceurs(const std::filesystem::path& file, std::span<FicheAnnonceur> buffers, bool append,
                      int index, int count);
// Reads every record of the file into t (a missing file reads none).
void readAdvertisersTable(const std::filesystem::path& file, AdvertisersTable& t);
// Creates the default files when AnnonceursN.fli is missing, then reads every record into t.
void loadOrCreateAdvertisers(const DataRoot& root, int config, AdvertisersTable& t,
                             std::vector<std::string>* created);

bool isInternetAdvert(const FicheAnnonceur& f);

std::vector<FieldLine> describeAdvertisers(std::span<const uint8_t> bytes);

} // namespace pinstage
