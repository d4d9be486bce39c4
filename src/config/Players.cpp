// Records table file: 168-byte records counted, read, written with the writer's numbering and
// sorted by the exchange sort; every change replaces the file power-safe.
#include "config/Players.h"

#include "config/FileNames.h"
#include "config/RecordFile.h"
#include "platform/FileIo.h"
#include "platform/PinError.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace pinstage {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCountError = "fichier des records des joueurs introuvable";
constexpr const char* kReadError = "fichier des scores des joueurs introuvable";
constexpr const char* kWriteError = "Impossible d'écrire le fichier des records des joueurs";
constexpr const char* kPhotoDir = "bases de donnees/Photos/";
constexpr size_t kRowWidth = 5;

enum : size_t { oId = 0, oNom = 4, oDebut = 34, oFin = 54, oScore = 76, oPhoto = 80 };

using RawFiche = std::array<uint8_t, kFicheJoueurSize>;

RawFiche rawAt(const std::vector<uint8_t>& image, size_t place) {
    RawFiche f{};
    std::copy_n(image.begin() + std::ptrdiff_t(place * kFicheJoueurSize), kFicheJoueurSize, f.begin());
    return f;
}

void putAt(std::vector<uint8_t>& image, size_t place, RawFiche f, int32_t id) {
    ByteWriter(f).i32(oId, id);
    std::copy(f.begin(), f.end(), image.begin() + std::ptrdiff_t(place * kFicheJoueurSize));
}

uint32_t scoreOf(const RawFiche& f) {
    return ByteReader(f).u32(oScore);
}

// The whole file, or nullopt when it is not a readable regular file.
std::optional<std::vector<uint8_t>> readRegularFile(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return std::nullopt;
    return readWholeFile(file);
}

} // namespace

NumberedWrite planNumberedWrite(size_t fileSize, size_t recordSize, bool append, int index,
                                int32_t firstOwnId) {
    size_t n = fileSize / recordSize;
    if (index < 0 || size_t(index) > n)
        throw PinError(kIndexBeyondEndMessage);
    // Appending lands after the last whole record, so a partial tail never shifts later records.
    NumberedWrite plan = append ? NumberedWrite{n * recordSize, int32_t(n)}
                                : NumberedWrite{size_t(index) * recordSize, int32_t(index)};
    if (n == 0)
        plan.firstId = firstOwnId;
    return plan;
}

std::vector<uint8_t> encodeFicheJoueur(const FicheJoueur& f) {
    std::vector<uint8_t> bytes(kFicheJoueurSize, 0);
    ByteWriter w(bytes);
    w.i32(oId, f.idClassement);
    w.raw(oNom, f.nomDuJoueur.bytes);
    w.raw(oDebut, f.dateDebut.bytes);
    w.raw(oFin, f.dateFin.bytes);
    w.u32(oScore, f.score);
    w.raw(oPhoto, f.cheminPhoto.bytes);
    return bytes;
}

FicheJoueur decodeFicheJoueur(std::span<const uint8_t> bytes) {
    FicheJoueur f;
    ByteReader rd(bytes.first(std::min(bytes.size(), kFicheJoueurSize)));
    f.idClassement = rd.i32(oId);
    rd.raw(oNom, f.nomDuJoueur.bytes);
    rd.raw(oDebut, f.dateDebut.bytes);
    rd.raw(oFin, f.dateFin.bytes);
    f.score = rd.u32(oScore);
    rd.raw(oPhoto, f.cheminPhoto.bytes);
    return f;
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
    int n = int(std::min<size_t>(image->size() / kFicheJoueurSize, INT32_MAX));
    if (recordCount)
        *recordCount = n;
    int index = std::clamp(firstIndex, 0, n);
    int wanted = std::clamp(count, 0, int(std::min<size_t>(buffers.size(), INT32_MAX)));
    int read = 0;
    for (; read < wanted && index + read < n; ++read) {
        size_t at = size_t(index + read) * kFicheJoueurSize;
        buffers[size_t(read)] = decodeFicheJoueur(std::span(*image).subspan(at, kFicheJoueurSize));
    }
    return read;
}

bool EcrireFichesJoueurs(const fs::path& file, std::span<FicheJoueur> buffers, bool append, int index,
                         int count) {
    std::vector<uint8_t> image;
    if (fs::exists(file)) {
        auto existing = readRegularFile(file);
        if (!existing)
            throw PinError(kWriteError);
        image = std::move(*existing);
    }
    size_t howMany = size_t(std::clamp(count, 0, int(std::min<size_t>(buffers.size(), INT32_MAX))));
    int32_t firstOwnId = buffers.empty() ? 0 : buffers[0].idClassement;
    NumberedWrite plan = planNumberedWrite(image.size(), kFicheJoueurSize, append, index, firstOwnId);
    image.resize(std::max(image.size(), plan.offset + howMany * kFicheJoueurSize));
    int32_t id = plan.firstId;
    for (size_t k = 0; k < howMany; ++k) {
        buffers[k].idClassement = id++;
        auto bytes = encodeFicheJoueur(buffers[k]);
        std::copy(bytes.begin(), bytes.end(),
                  image.begin() + std::ptrdiff_t(plan.offset + k * kFicheJoueurSize));
    }
    writeRecordFile(file, image, kWriteError);
    return true;
}

void TrierFichesJoueurs(const fs::path& file) {
    auto loaded = readRegularFile(file);
    if (!loaded)
        throw PinError(kReadError);
    std::vector<uint8_t>& image = *loaded;
    size_t n = image.size() / kFicheJoueurSize;
    bool exchanged = false;
    // Exchange sort over places 1..n-1 with two record buffers; place 0 is the head record.
    for (size_t i = 1; i + 1 < n; ++i) {
        RawFiche a = rawAt(image, i);
        for (size_t j = i + 1; j < n; ++j) {
            RawFiche b = rawAt(image, j);
            if (scoreOf(b) > scoreOf(a)) {
                putAt(image, i, b, int32_t(i));
                putAt(image, j, a, int32_t(j));
                a = rawAt(image, i);
                exchanged = true;
            }
        }
    }
    if (exchanged)
        writeRecordFile(file, image, kWriteError);
}

fs::path playersFile(const DataRoot& root, int config) {
    return root.file(DataDir::BasesDeDonnees, numberedName(kPlayersFileName, config));
}

std::array<FicheJoueur, kDefaultPlayerCount> defaultPlayerRecords(const std::string& endDate) {
    std::array<FicheJoueur, kDefaultPlayerCount> records{};
    for (size_t k = 0; k < records.size(); ++k) {
        const char* const* row = &playerDefaultRows[k * kRowWidth];
        FicheJoueur& f = records[k];
        f.nomDuJoueur.setUtf8(row[0]);
        f.dateDebut.setUtf8(row[1]);
        f.dateFin.setUtf8(endDate);
        f.score = uint32_t(std::strtoul(row[2], nullptr, 10));
        f.cheminPhoto.setUtf8(std::string(kPhotoDir) + row[3]);
        f.idClassement = int32_t(std::strtol(row[4], nullptr, 10));
    }
    return records;
}

void loadOrCreatePlayers(const DataRoot& root, int config, std::vector<std::string>* created) {
    fs::path file = playersFile(root, config);
    if (fs::exists(file))
        return;
    auto records = defaultPlayerRecords(currentDateTimeText());
    EcrireFichesJoueurs(file, records, true, 0, kDefaultPlayerCount);
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
    std::vector<FieldLine> lines;
    size_t n = bytes.size() / kFicheJoueurSize; // a partial tail is no record
    for (size_t i = 0; i < n; ++i) {
        size_t b = i * kFicheJoueurSize;
        FicheJoueur f = decodeFicheJoueur(bytes.subspan(b, kFicheJoueurSize));
        std::string index = "[" + std::to_string(i) + "]";
        lines.push_back({b + oId, "idClassement" + index, std::to_string(f.idClassement)});
        lines.push_back({b + oNom, "nomDuJoueur" + index, f.nomDuJoueur.utf8()});
        lines.push_back({b + oDebut, "dateDebut" + index, f.dateDebut.utf8()});
        lines.push_back({b + oFin, "dateFin" + index, f.dateFin.utf8()});
        lines.push_back({b + oScore, "score" + index, std::to_string(f.score)});
        lines.push_back({b + oPhoto, "cheminPhoto" + index, f.cheminPhoto.utf8()});
    }
    return lines;
}

} // namespace pinstage
