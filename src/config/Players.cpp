// Records table file: 168-byte records counted, read, written with the writer's numbering and
// sorted by the exchange sort; every change replaces the file power-safe.
#include "config/Players.h"

#include "config/FileNames.h"
#include "config/RecordFile.h"
#include "config/RecordTable.h"
#include "platform/FileIo.h"
#include "platform/PinError.h"

#include <algorithm>
#include <cstdio>

namespace pinstage {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCountError = "fichier des records des joueurs introuvable";
constexpr const char* kReadError = "fichier des scores des joueurs introuvable";
constexpr const char* kWriteError = "Impossible d'écrire le fichier des records des joueurs";
constexpr const char* kPhotoDir = "bases de donnees/Photos/";

template <class V, class F> void layoutFiche(V& v, F& f) {
    v.i32(0, FieldName{"idClassement"}, f.idClassement);
    v.text(4, FieldName{"nomDuJoueur"}, f.nomDuJoueur);
    v.text(34, FieldName{"dateDebut"}, f.dateDebut);
    v.text(54, FieldName{"dateFin"}, f.dateFin);
    v.u32(76, FieldName{"score"}, f.score);
    v.text(80, FieldName{"cheminPhoto"}, f.cheminPhoto);
}
constexpr auto kLayout = [](auto& v, auto& f) { layoutFiche(v, f); };
// The fields of the start-up rows; the photo is a file of the photo directory.
constexpr std::array<const char*, 5> kRowColumns = {"nomDuJoueur", "dateDebut", "score", nullptr,
                                                    "idClassement"};

} // namespace

std::vector<uint8_t> encodeFicheJoueur(const FicheJoueur& f) {
    return encodeRecord(f, kFicheJoueurSize, kLayout);
}

FicheJoueur decodeFicheJoueur(std::span<const uint8_t> bytes) {
    return decodeRecord<FicheJoueur>(bytes, kFicheJoueurSize, kLayout);
}

int CompterFichesJoueurs(const fs::path& file) {
    std::error_code ec;
    auto size = fs::file_size(file, ec);
    if (ec || !fs::is_regular_file(file, ec) || !readFilePrefix(file, 0))
        throw PinError(kCountError);
    return int(std::min<uintmax_t>(size / kFicheJoueurSize, INT32_MAX));
}

int LireFichesJoueurs(const fs::path& file, std::span<FicheJoueur> buffers, int firstIndex, int count,
                      int* recordCount) {
    auto image = readRegularFile(file);
    if (!image)
        throw PinError(kReadError);
    if (recordCount)
        *recordCount = wholeRecords(image->size(), kFicheJoueurSize);
    return readRecords(std::span<const uint8_t>(*image), kFicheJoueurSize, kLayout, buffers, firstIndex,
                       count);
}

bool EcrireFichesJoueurs(const fs::path& file, std::span<FicheJoueur> buffers, bool append, int index,
                         int count) {
    writeNumberedRecords(file, kFicheJoueurSize, kLayout, &FicheJoueur::idClassement, buffers, append, index,
                         count, kWriteError);
    return true;
}

void TrierFichesJoueurs(const fs::path& file) {
    auto loaded = readRegularFile(file);
    if (!loaded)
        throw PinError(kReadError);
    std::vector<uint8_t>& image = *loaded;
    size_t n = image.size() / kFicheJoueurSize;
    std::vector<FicheJoueur> fiches(n);
    readRecords(std::span<const uint8_t>(image), kFicheJoueurSize, kLayout, std::span(fiches), 0, int(n));
    bool exchanged = false;
    // Exchange sort over places 1..n-1 with two record buffers; place 0 is the head record. An
    // exchanged record takes its new place as its id.
    for (size_t i = 1; i + 1 < n; ++i) {
        for (size_t j = i + 1; j < n; ++j) {
            if (fiches[j].score > fiches[i].score) {
                std::swap(fiches[i], fiches[j]);
                fiches[i].idClassement = int32_t(i);
                fiches[j].idClassement = int32_t(j);
                exchanged = true;
            }
        }
    }
    if (!exchanged)
        return;
    // Every byte of a record is a field: records left in place are written back as they were.
    for (size_t k = 0; k < n; ++k) {
        auto bytes = encodeFicheJoueur(fiches[k]);
        std::copy(bytes.begin(), bytes.end(), image.begin() + std::ptrdiff_t(k * kFicheJoueurSize));
    }
    writeRecordFile(file, image, kWriteError);
}

fs::path playersFile(const DataRoot& root, int config) {
    return root.file(DataDir::BasesDeDonnees, numberedName(kPlayersFileName, config));
}

std::array<FicheJoueur, kDefaultPlayerCount> defaultPlayerRecords(const std::string& endDate) {
    std::array<FicheJoueur, kDefaultPlayerCount> records{};
    for (size_t k = 0; k < records.size(); ++k) {
        auto row = std::span(playerDefaultRows).subspan(k * kRowColumns.size(), kRowColumns.size());
        FicheJoueur& f = records[k];
        assignFields(f, kLayout, kRowColumns, row);
        f.dateFin.setUtf8(endDate);
        f.cheminPhoto.setUtf8(std::string(kPhotoDir) + row[3]);
    }
    return records;
}

void createPlayersDefaults(const DataRoot& root, int config) {
    auto records = defaultPlayerRecords(currentDateTimeText());
    EcrireFichesJoueurs(playersFile(root, config), records, true, 0, kDefaultPlayerCount);
}

void loadOrCreatePlayers(const DataRoot& root, int config, std::vector<std::string>* created) {
    if (fs::exists(playersFile(root, config)))
        return;
    createPlayersDefaults(root, config);
    if (created)
        created->push_back(numberedName(kPlayersFileName, config));
}

fs::path localPhotoPath(const DataRoot& root, const FicheJoueur& f) {
    std::string stored = f.cheminPhoto.utf8();
    if (stored.empty())
        return {};
    return root.resolveStored(stored);
}

bool setPhotoPath(const DataRoot& root, FicheJoueur& f, const fs::path& local) {
    return f.cheminPhoto.setUtf8(root.toStored(local));
}

std::string dateTimeText(const std::tm& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", t.tm_mday, t.tm_mon + 1,
                  t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

std::string currentDateTimeText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return dateTimeText(local);
}

std::vector<FieldLine> describePlayers(std::span<const uint8_t> bytes) {
    return describeRecords<FicheJoueur>(bytes, kFicheJoueurSize, kLayout);
}

} // namespace pinstage
