// Sound table file: byte image of entries 0-94, defaults built from the label tables, power-safe save.
#include "config/SoundParams.h"

#include "config/FileNames.h"
#include "config/LabelTables.h"
#include "config/RecordFile.h"
#include "config/RecordLayout.h"

#include <filesystem>

namespace pinstage {

namespace {

constexpr const char* kLoadError = "fichier de paramétrage des sons introuvable";
constexpr const char* kSaveError = "Impossible de créer le fichier de paramètrages du son";
constexpr int kFirstContactFunction = 31;

// The built-in rows are constant and checked by the tests; a malformed entry would read as 0.
int32_t tableNumber(const char* text) {
    return int32_t(parseTableNumber(text).value_or(0));
}

const char* soundNote(int32_t v) {
    if (v == kNoSound)
        return " (aucun son)";
    return v < 0 || v >= kSoundCount ? " (hors limites)" : nullptr;
}

// One entry: 112 bytes at its place in the file.
template <class V, class E> void layoutEntry(V& v, E& e) {
    v.text(0, FieldName{"fileName"}, e.fileName);
    v.text(25, FieldName{"label"}, e.label);
    v.i32(108, FieldName{"soundNumber"}, e.soundNumber, soundNote);
}
constexpr auto kEntryLayout = [](auto& v, auto& e) { layoutEntry(v, e); };
// Entries 0-94; the last function is never stored.
constexpr auto kLayout = [](auto& v, auto& r) {
    layoutEach(v, 0, kSoundEntrySize, kStoredSoundEntries, r.entries, kEntryLayout);
};
// The fields of a built-in row: the default file (sounds 0-63), the label and the default sound.
constexpr std::array<const char*, 3> kEntryColumns = {"fileName", "label", "soundNumber"};

} // namespace

SoundsRecord defaultSoundParams(const ContactsRecord& contacts) {
    SoundsRecord r;
    for (int i = 0; i < kSoundFunctionCount; ++i) {
        std::string label = soundFunctions[size_t(2 * i)];
        if (i >= kFirstContactFunction) {
            int contact = i - kFirstContactFunction;
            label += "   " + contacts.names[size_t(contact)].utf8();
        }
        const char* fileName = i < kSoundCount ? soundFileNames[size_t(i)] : nullptr;
        std::array<const char*, 3> row = {fileName, label.c_str(), soundFunctions[size_t(2 * i + 1)]};
        assignFields(r.entries[size_t(i)], kEntryLayout, kEntryColumns, row);
    }
    return r;
}

std::vector<uint8_t> encodeSoundParams(const SoundsRecord& r) {
    return encodeRecord(r, kSoundsFileSize, kLayout);
}

void decodeSoundParams(std::span<const uint8_t> bytes, SoundsRecord& r) {
    overlayRecord(r, kSoundsFileSize, bytes, kLayout);
    // The last function is never stored: it always plays its built-in default.
    r.entries[kSoundFunctionCount - 1].soundNumber = tableNumber(soundFunctions[2 * kSoundFunctionCount - 1]);
}

void loadSoundParams(const std::filesystem::path& file, SoundsRecord& r) {
    decodeSoundParams(readRecordFile(file, kSoundsFileSize, kLoadError), r);
}

void saveSoundParams(const std::filesystem::path& file, const SoundsRecord& r) {
    writeRecordFile(file, encodeSoundParams(r), kSaveError, SaveMode::OverwriteInPlace);
}

void createSoundParamsDefaults(const DataRoot& root, int config, const ContactsRecord& contacts,
                               SoundsRecord& r) {
    SoundsRecord defaults = defaultSoundParams(contacts);
    saveSoundParams(configFile(root, kSoundsFileName, config), defaults);
    saveSoundParams(configFile(root, kSoundsDefaultCopyName, config), defaults);
    r = defaults;
}

void restoreSoundParamsDefaults(const DataRoot& root, int config, const ContactsRecord& contacts,
                                SoundsRecord& r) {
    auto copy = configFile(root, kSoundsDefaultCopyName, config);
    if (std::filesystem::exists(copy)) {
        // A short copy keeps the built-in defaults for what it lacks.
        SoundsRecord fresh = defaultSoundParams(contacts);
        loadSoundParams(copy, fresh);
        r = fresh;
    } else {
        createSoundParamsDefaults(root, config, contacts, r);
    }
}

std::vector<FieldLine> describeSoundParams(std::span<const uint8_t> bytes) {
    return describeRecord<SoundsRecord>(bytes, kSoundsFileSize, kLayout);
}

} // namespace pinstage
