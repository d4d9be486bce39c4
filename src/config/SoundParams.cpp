// Sound table file: byte image of entries 0-94, defaults built from the label tables, power-safe save.
#include "config/SoundParams.h"

#include "config/FileNames.h"
#include "config/LabelTables.h"
#include "config/RecordFile.h"

#include <filesystem>

namespace pinstage {

namespace {

constexpr const char* kLoadError = "fichier de paramétrage des sons introuvable";
constexpr const char* kSaveError = "Impossible de créer le fichier de paramètrages du son";
constexpr size_t kFileNameOffset = 0;
constexpr size_t kLabelOffset = 25;
constexpr size_t kNumberOffset = 108;
constexpr int kFirstContactFunction = 31;

// The built-in rows are constant and checked by the tests; a malformed entry would read as 0.
int32_t tableNumber(const char* text) {
    return int32_t(parseTableNumber(text).value_or(0));
}

} // namespace

SoundsRecord defaultSoundParams(const ContactsRecord& contacts) {
    SoundsRecord r;
    for (int i = 0; i < kSoundFunctionCount; ++i) {
        SoundEntry& e = r.entries[size_t(i)];
        if (i < kSoundCount)
            e.fileName.setUtf8(soundFileNames[size_t(i)]);
        std::string label = soundFunctions[size_t(2 * i)];
        if (i >= kFirstContactFunction) {
            int contact = i - kFirstContactFunction;
            label += "   " + contacts.names[size_t(contact)].utf8();
        }
        e.label.setUtf8(label);
        e.soundNumber = tableNumber(soundFunctions[size_t(2 * i + 1)]);
    }
    return r;
}

std::vector<uint8_t> encodeSoundParams(const SoundsRecord& r) {
    std::vector<uint8_t> bytes(kSoundsFileSize, 0);
    ByteWriter w(bytes);
    for (int i = 0; i < kStoredSoundEntries; ++i) {
        const SoundEntry& e = r.entries[size_t(i)];
        size_t base = size_t(i) * kSoundEntrySize;
        w.raw(base + kFileNameOffset, e.fileName.bytes);
        w.raw(base + kLabelOffset, e.label.bytes);
        w.i32(base + kNumberOffset, e.soundNumber);
    }
    return bytes;
}

void decodeSoundParams(std::span<const uint8_t> bytes, SoundsRecord& r) {
    // The file's bytes lie over the record's own image, so a short file leaves the rest as it was,
    // even in the middle of a number.
    std::vector<uint8_t> image = encodeSoundParams(r);
    std::copy_n(bytes.begin(), std::min(bytes.size(), image.size()), image.begin());
    ByteReader rd(image);
    for (int i = 0; i < kStoredSoundEntries; ++i) {
        SoundEntry& e = r.entries[size_t(i)];
        size_t base = size_t(i) * kSoundEntrySize;
        rd.raw(base + kFileNameOffset, e.fileName.bytes);
        rd.raw(base + kLabelOffset, e.label.bytes);
        e.soundNumber = rd.i32(base + kNumberOffset);
    }
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
    std::vector<FieldLine> lines;
    auto record = bytes.first(std::min(bytes.size(), kSoundsFileSize));
    ByteReader rd(record);
    for (int i = 0; i < kStoredSoundEntries; ++i) {
        size_t base = size_t(i) * kSoundEntrySize;
        std::string index = "[" + std::to_string(i) + "]";
        auto text = [&](size_t o, size_t size, const char* name) {
            if (rd.has(base + o, size))
                lines.push_back(
                    {base + o, name + index, cp1252ToUtf8(readSlotCp1252(&record[base + o], size))});
        };
        text(kFileNameOffset, 25, "fileName");
        text(kLabelOffset, 83, "label");
        if (!rd.has(base + kNumberOffset, 4))
            break;
        int32_t v = rd.i32(base + kNumberOffset);
        std::string value = std::to_string(v);
        if (v == kNoSound)
            value += " (aucun son)";
        else if (v < 0 || v >= kSoundCount)
            value += " (hors limites)";
        lines.push_back({base + kNumberOffset, "soundNumber" + index, value});
    }
    return lines;
}

} // namespace pinstage
