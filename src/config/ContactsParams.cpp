// The contacts file: 72 name slots of 25 bytes.
#include "config/ContactsParams.h"

#include "config/FileNames.h"
#include "config/LabelTables.h"
#include "config/RecordFile.h"
#include "config/RecordLayout.h"

namespace pinstage {

namespace {
const char* const kLoadMessage = "fichier des paramètres des contacts introuvable";
const char* const kSaveMessage = "Impossible de créer le fichier de paramètrages des contacts";

template <class V, class R> void layoutContacts(V& v, R& r) {
    for (int n = 0; n < kContactCount; ++n)
        v.text(25 * size_t(n), FieldName{"names", n}, r.names[size_t(n)]);
}
constexpr auto kLayout = [](auto& v, auto& r) { layoutContacts(v, r); };
} // namespace

void loadContacts(const std::filesystem::path& file, ContactsRecord& r) {
    overlayRecord(r, kContactsRecordSize, readRecordFile(file, kContactsRecordSize, kLoadMessage), kLayout);
}

void saveContacts(const std::filesystem::path& file, const ContactsRecord& r) {
    writeRecordFile(file, encodeContacts(r), kSaveMessage, SaveMode::OverwriteInPlace);
}

ContactsRecord defaultContacts() {
    ContactsRecord r;
    for (size_t n = 0; n < size_t(kContactCount); ++n)
        r.names[n].setUtf8(contactNames[n]);
    return r;
}

void createContactsDefaults(const DataRoot& root, ContactsRecord& r) {
    ContactsRecord fresh = defaultContacts();
    saveContacts(sharedFile(root, kContactsFileName), fresh);
    r = fresh;
}

std::vector<uint8_t> encodeContacts(const ContactsRecord& r) {
    return encodeRecord(r, kContactsRecordSize, kLayout);
}

std::vector<FieldLine> describeContacts(std::span<const uint8_t> bytes) {
    return describeRecord<ContactsRecord>(bytes, kContactsRecordSize, kLayout);
}

} // namespace pinstage
