// The bytes and listings of the record files the program has always written: digests of the built-in
// defaults and of the field listing of arbitrary bytes, and the round trip of every byte of a file.
#include "config/Advertisers.h"
#include "config/ContactsParams.h"
#include "config/FrontonParams.h"
#include "config/Players.h"
#include "config/SoundParams.h"

#include "ConfigTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <span>

using namespace pinstage;
using namespace pinstage::test;

namespace {

uint64_t fnv1a(std::span<const uint8_t> bytes) {
    uint64_t h = 14695981039346656037ull;
    for (uint8_t b : bytes)
        h = (h ^ b) * 1099511628211ull;
    return h;
}

// The listing as the data tool prints it, one digest for every offset, name and value.
uint64_t listingDigest(const std::vector<FieldLine>& lines) {
    std::string text;
    for (const FieldLine& l : lines)
        text += std::to_string(l.offset) + ' ' + l.name + ' ' + l.value + '\n';
    return fnv1a(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

struct RecordKind {
    const char* name;
    size_t size; // one record (players, advertisers) or the whole file
    std::function<std::vector<uint8_t>()> defaults;
    std::function<std::vector<uint8_t>(std::span<const uint8_t>)> reencode; // decode, then encode
    std::function<std::vector<FieldLine>(std::span<const uint8_t>)> describe;
    uint64_t defaultsDigest;
    uint64_t listingDigest;      // of noise bytes of 2.5 sizes
    uint64_t shortListingDigest; // of the first 0.6 size of them
};

template <class Fiche, class Encode>
std::vector<uint8_t> encodeAll(const std::vector<Fiche>& fiches, Encode encode) {
    std::vector<uint8_t> bytes;
    for (const Fiche& f : fiches) {
        auto b = encode(f);
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    return bytes;
}

std::vector<RecordKind> kinds() {
    const char* date = "05/03/2024 07:08:09";
    return {
        {"fronton", kFrontonFileSize, [] { return encodeFronton(defaultFronton()); },
         [](std::span<const uint8_t> b) {
             FrontonRecord r = defaultFronton();
             decodeFronton(b, r);
             return encodeFronton(r);
         },
         describeFronton, 6227646663229192713ull, 17098613946483053169ull, 3784644661388431158ull},
        {"sounds", kSoundsFileSize, [] { return encodeSoundParams(defaultSoundParams(defaultContacts())); },
         [](std::span<const uint8_t> b) {
             SoundsRecord r = defaultSoundParams(defaultContacts());
             decodeSoundParams(b, r);
             return encodeSoundParams(r);
         },
         describeSoundParams, 17769287590251971215ull, 14816377949846976792ull, 12802838160759401397ull},
        {"players", kFicheJoueurSize,
         [date] {
             auto recs = defaultPlayerRecords(date);
             return encodeAll(std::vector<FicheJoueur>(recs.begin(), recs.end()), encodeFicheJoueur);
         },
         [](std::span<const uint8_t> b) { return encodeFicheJoueur(decodeFicheJoueur(b)); }, describePlayers,
         9182219343302569549ull, 599267592924054526ull, 14695981039346656037ull},
        {"advertisers", kFicheAnnonceurSize,
         [date] { return encodeAll(defaultAdvertisers(date), encodeFicheAnnonceur); },
         [](std::span<const uint8_t> b) { return encodeFicheAnnonceur(decodeFicheAnnonceur(b)); },
         describeAdvertisers, 14722200442880588510ull, 18183739095376125390ull, 14695981039346656037ull},
    };
}

} // namespace

TEST(RecordBytes, DefaultsListingsAndEveryByteOfAFileStayAsTheyWere) {
    unsigned seed = 7;
    for (const RecordKind& k : kinds()) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(fnv1a(k.defaults()), k.defaultsDigest);

        // Every byte of the layout belongs to a field: arbitrary bytes come back as they were.
        auto noise = noiseBytes(k.size * 5 / 2, ++seed);
        auto one = std::span(noise).first(k.size);
        EXPECT_EQ(k.reencode(one), std::vector<uint8_t>(one.begin(), one.end()));

        EXPECT_EQ(listingDigest(k.describe(noise)), k.listingDigest);
        EXPECT_EQ(listingDigest(k.describe(std::span(noise).first(k.size * 3 / 5))), k.shortListingDigest);
    }
}
