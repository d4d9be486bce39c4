// The records table "Joueurs.db" (numbered, in "bases de donnees"): 168-byte player records, the
// count/read/write operations with the writer's numbering, the exchange sort by score, and defaults.
#pragma once

#include "config/ByteCodec.h"
#include "config/RecordTable.h"
#include "platform/DataRoot.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace pinstage {

constexpr size_t kFicheJoueurSize = 168;
constexpr int kDefaultPlayerCount = 7;

struct FicheJoueur {
    int32_t idClassement{};   // 0: place in the file, set by the writer and the sort
    TextSlot<30> nomDuJoueur; // 4
    TextSlot<20> dateDebut;   // 34: "dd/mm/yyyy hh:mm:ss"
    TextSlot<22> dateFin;     // 54
    uint32_t score{};         // 76
    TextSlot<88> cheminPhoto; // 80: stored relative to the data root
};

// Column titles of the records grid, then the end marker " ".
extern const std::array<const char*, 7> playerGridTitles;
// The seven start-up records: (name, start date, score, photo file in the photo directory, id in memory).
extern const std::array<const char*, 35> playerDefaultRows;

std::vector<uint8_t> encodeFicheJoueur(const FicheJoueur& f);
FicheJoueur decodeFicheJoueur(std::span<const uint8_t> bytes); // expects 168 bytes, missing ones read as 0

// Records in the file (size / 168, a partial tail ignored). PinError "fichier des records des joueurs
// introuvable" when the file cannot be opened.
int CompterFichesJoueurs(const std::filesystem::path& file);
// Reads up to count whole records from firstIndex (clamped to 0..n) into buffers; returns how many.
// recordCount, when given, receives n. PinError "fichier des scores des joueurs introuvable".
int LireFichesJoueurs(const std::filesystem::path& file, std::span<FicheJoueur> buffers, int firstIndex,
                      int count, int* recordCount = nullptr);
// Writes count buffers at the end (append) or at index, numbering them from n or index (from the
// first buffer's own id when the file holds no record) and storing each number in its buffer.
// Creates the file when missing; the file is replaced power-safe. PinError kIndexBeyondEndMessage
// when index > n, "Impossible d'écrire le fichier des records des joueurs" when it cannot be written.
bool EcrireFichesJoueurs(const std::filesystem::path& file, std::span<FicheJoueur> buffers, bool append,
                         int index, int count);
// Exchange sort of records 1..n-1 by descending score; exchanged records get their new place as id.
// PinError "fichier des scores des joueurs introuvable" when the file cannot be opened.
void TrierFichesJoueurs(const std::filesystem::path& file);

// The numbered file of a configuration.
std::filesystem::path playersFile(const DataRoot& root, int config);
// The seven start-up buffers (ids -1, 1..6 in memory); endDate is the "Date fin partie" of all seven.
std::array<FicheJoueur, kDefaultPlayerCount> defaultPlayerRecords(const std::string& endDate);
// Writes the seven defaults (append, index 0) into JoueursN.db.
void createPlayersDefaults(const DataRoot& root, int config);
// Writes the seven defaults when JoueursN.db is missing.
void loadOrCreatePlayers(const DataRoot& root, int config, std::vector<std::string>* created);

// The local path of a record's photo ("bases de donnees/Photos/x.bmp", or an original Windows
// path under the old root); empty when the record has none.
std::filesystem::path localPhotoPath(const DataRoot& root, const FicheJoueur& f);
// Stores a local photo path in the record, relative to the data root when under it. False when cut.
bool setPhotoPath(const DataRoot& root, FicheJoueur& f, const std::filesystem::path& local);

// "dd/mm/yyyy hh:mm:ss", the date form of the records and the advertisers.
std::string dateTimeText(const std::tm& t);
std::string currentDateTimeText();

std::vector<FieldLine> describePlayers(std::span<const uint8_t> bytes);

} // namespace pinstage
