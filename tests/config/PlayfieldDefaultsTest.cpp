// Factory contents of the contacts, coils and lamps files, checked at their byte offsets.
#include "ConfigTestSupport.h"

#include "config/CoilsParams.h"
#include "config/ContactsParams.h"
#include "config/LabelTables.h"
#include "config/LampsParams.h"
#include "platform/Cp1252.h"
#include "platform/PinError.h"

#include <gtest/gtest.h>

using namespace pinstage;
using namespace pinstage::test;

namespace {

std::string cp(const char* utf8) {
    return utf8ToCp1252(utf8);
}

TEST(ContactsDefaults, NamesSitInTheirSlots) {
    auto b = encodeContacts(defaultContacts());
    ASSERT_EQ(b.size(), 1800u);
    EXPECT_EQ(slotText(b, 0, 25), "c0-Test Push");
    EXPECT_EQ(slotText(b, 25 * 4, 25), "c4-coin 3");
    EXPECT_EQ(slotText(b, 25 * 10, 25), cp("c10-Cible spécial"));
    EXPECT_EQ(slotText(b, 25 * 23, 25), cp("c23Inutilisé"));
    EXPECT_EQ(slotText(b, 25 * 35, 25), "c35-Sorties/Etoile 10000");
    EXPECT_EQ(slotText(b, 25 * 40, 25), cp("c40-Inutilisé"));
    EXPECT_EQ(slotText(b, 25 * 59, 25), cp("c59-inutilisé"));
    EXPECT_EQ(slotText(b, 25 * 66, 25), "c66-Non utilisable");
    EXPECT_EQ(slotText(b, 25 * 67, 25), "c67-Non utilisable");
    EXPECT_EQ(slotText(b, 25 * 71, 25), "c71-SW direct 7");
    for (size_t n = 0; n < 72; ++n) {
        EXPECT_EQ(slotText(b, 25 * n, 25), cp(contactNames[n])) << n;
        EXPECT_EQ(b[25 * n + 24], 0) << "slot " << n << " ends with its terminator";
    }
}

TEST(ContactsDefaults, ANameKeepsAtMost24Characters) {
    ContactsRecord r = defaultContacts();
    EXPECT_FALSE(r.names[5].setUtf8("c5-un nom bien trop long pour la case"));
    auto b = encodeContacts(r);
    EXPECT_EQ(slotText(b, 125, 25).size(), 24u);
    EXPECT_EQ(b[125 + 24], 0);
    EXPECT_TRUE(r.names[5].setUtf8("c5-exactement 24 caractè"));
    EXPECT_EQ(r.names[5].utf8(), "c5-exactement 24 caractè");
}

TEST(ContactsDefaults, CreationWritesTheSharedFile) {
    ScratchRoot s("pin-contacts-create");
    ContactsRecord r;
    createContactsDefaults(s.root(), r);
    EXPECT_EQ(fileBytes(s.datas("ContactsParam.fli")), encodeContacts(defaultContacts()));
    EXPECT_EQ(r.names[1].utf8(), "c1-Game Over");
}

struct CoilRow {
    uint32_t byte, mask, rest, pulse;
    uint8_t autoRelease;
    const char* name;
};
const CoilRow kCoils[24] = {
    {0, 0x01, 80, 80, 0, "Tilt relay"},
    {0, 0x02, 80, 80, 0, "Inutilisée"},
    {0, 0x04, 80, 80, 0, "Flipper relay"},
    {0, 0x08, 80, 80, 1, "Knocker"},
    {0, 0x10, 80, 80, 1, "Monte cibles droite"},
    {0, 0x20, 80, 80, 1, "Ejecteur bonus"},
    {0, 0x40, 80, 80, 1, "Monte cible G et Pent"},
    {0, 0x80, 100, 80, 0, "Ball in Play"},
    {1, 0x01, 80, 80, 1, "Bumper haut"},
    {1, 0x02, 80, 80, 1, "Bumper centre"},
    {1, 0x04, 20, 30, 1, "Kicking gauche"},
    {1, 0x08, 20, 30, 1, "Kicking droite"},
    {1, 0x10, 80, 80, 1, "inutilisée"},
    {1, 0x20, 80, 80, 1, "Inutilisée"},
    {1, 0x40, 80, 80, 1, "Inutilisée"},
    {1, 0x80, 80, 80, 1, "Inutilisée"},
    {2, 0x01, 80, 80, 1, "Inutilisée"},
    {2, 0x02, 80, 80, 1, "Inutilisée"},
    {2, 0x04, 20, 30, 1, "Inutilisée"},
    {2, 0x08, 20, 30, 1, "Inutilisée"},
    {2, 0x10, 80, 80, 1, "inutilisée"},
    {2, 0x20, 80, 80, 1, "Inutilisée"},
    {2, 0x40, 80, 80, 1, "Inutilisée"},
    {2, 0x80, 80, 80, 1, "Inutilisée"},
};

TEST(CoilsDefaults, EveryCoilAtItsOffsets) {
    auto b = encodeCoils(defaultCoils());
    ASSERT_EQ(b.size(), 1320u);
    for (size_t n = 0; n < 24; ++n) {
        const CoilRow& c = kCoils[n];
        EXPECT_EQ(le32(b, 4 * n), c.byte) << n;
        EXPECT_EQ(le32(b, 96 + 4 * n), c.mask) << n;
        EXPECT_EQ(le32(b, 192 + 4 * n), c.rest) << n;
        EXPECT_EQ(le32(b, 288 + 4 * n), c.pulse) << n;
        EXPECT_EQ(b[384 + n], c.autoRelease) << n;
        EXPECT_EQ(le32(b, 408 + 4 * n), 0u) << "repeat " << n;
        EXPECT_EQ(le32(b, 504 + 4 * n), 0u) << "time stamp " << n;
        EXPECT_EQ(slotText(b, 600 + 30 * n, 30), cp(c.name)) << n;
    }
    EXPECT_EQ(le32(b, 192 + 40), 20u) << "coil 10 rests 20 ms";
    EXPECT_EQ(le32(b, 288 + 40), 30u) << "coil 10 pulses 30 ms";
}

TEST(CoilsDefaults, TheKnockerRowAsText) {
    const char* const* row = &coilDefaults[3 * kCoilDefaultsRowWidth];
    EXPECT_STREQ(row[0], "00");
    EXPECT_STREQ(row[1], "0x08");
    EXPECT_STREQ(row[2], "80");
    EXPECT_STREQ(row[3], "80");
    EXPECT_STREQ(row[4], "true");
    EXPECT_STREQ(row[5], "0");
    EXPECT_STREQ(row[6], "0");
    EXPECT_STREQ(row[7], "Knocker");
    CoilsRecord r = defaultCoils();
    EXPECT_EQ(r.byteIndex[3], 0u);
    EXPECT_EQ(r.mask[3], 8u);
    EXPECT_EQ(r.restMs[3], 80u);
    EXPECT_EQ(r.pulseMs[3], 80u);
    EXPECT_EQ(r.autoRelease[3], 1);
}

TEST(CoilsDefaults, MissingFileIsRecreatedWithTheTable) {
    ScratchRoot s("pin-coils-create");
    CoilsRecord r;
    createCoilsDefaults(s.root(), r);
    auto b = fileBytes(s.datas("BobinesParam.fli"));
    EXPECT_EQ(b, encodeCoils(defaultCoils()));
    EXPECT_EQ(r.restMs[10], 20u);
    EXPECT_EQ(r.pulseMs[10], 30u);
}

TEST(LampsDefaults, EveryLampAtItsOffsets) {
    auto b = encodeLamps(defaultLamps());
    ASSERT_EQ(b.size(), 2816u);
    for (size_t n = 0; n < 64; ++n) {
        EXPECT_EQ(b[n], 0) << "flags " << n;
        EXPECT_EQ(le32(b, 64 + 4 * n), 1u) << n;
        EXPECT_EQ(le32(b, 320 + 4 * n), 1u) << n;
        EXPECT_EQ(le32(b, 576 + 4 * n), 0u) << n;
        EXPECT_EQ(le32(b, 832 + 4 * n), 0u) << n;
        EXPECT_EQ(b[1088 + n], n / 8) << n;
        EXPECT_EQ(b[1152 + n], 1u << (n % 8)) << n;
    }
    EXPECT_EQ(b[1088 + 13], 1);
    EXPECT_EQ(b[1152 + 13], 0x20);
    EXPECT_EQ(slotText(b, 1216 + 25 * 13, 25), "Led 13 Bonus X4");
    EXPECT_EQ(slotText(b, 1216 + 25 * 24, 25), cp("Led 24 Spécial"));
    EXPECT_EQ(slotText(b, 1216 + 25 * 29, 25), cp("Led 29 Led Inutilisée"));
    EXPECT_EQ(slotText(b, 1216 + 25 * 40, 25), cp("Led 40 Inutilisée"));
    EXPECT_EQ(slotText(b, 1216 + 25 * 63, 25), cp("Led 63 Inutilisée"));
}

TEST(LampsDefaults, MissingFileIsRecreated) {
    ScratchRoot s("pin-lamps-create");
    LampsRecord r;
    createLampsDefaults(s.root(), r);
    EXPECT_EQ(fileBytes(s.datas("VoyantsParam.fli")), encodeLamps(defaultLamps()));
    EXPECT_EQ(r.byteIndex[13], 1);
    EXPECT_EQ(r.mask[13], 0x20);
    EXPECT_EQ(r.names[13].utf8(), "Led 13 Bonus X4");
}

TEST(LampsDefaults, TestGridNamesUseAHyphenFrom33) {
    EXPECT_STREQ(lampNames[13], "Led 13 Bonus X4");
    EXPECT_STREQ(lampNames[32], "Led 32 Inutilisée");
    EXPECT_STREQ(lampNames[33], "Led 33-Inutilisée");
    EXPECT_STREQ(lampNames[38], "Led 38-Led Inutilisée");
    EXPECT_STREQ(lampNames[45], "Led 45-Inutilisée");
    EXPECT_STREQ(lampNames[47], "Led 47-Led Inutilisée");
    EXPECT_STREQ(lampNames[63], "Led 63-Led Inutilisée");
    EXPECT_STREQ(lampNames[64], " ");
}

TEST(CreateDefaults, AFailedSaveLeavesTheRecordAsItWas) {
    ScratchRoot s("pin-create-refused");
    std::filesystem::permissions(s.datas(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    ContactsRecord contacts;
    contacts.names[0].setUtf8("avant");
    EXPECT_THROW(createContactsDefaults(s.root(), contacts), PinError);
    EXPECT_EQ(contacts.names[0].utf8(), "avant");
    CoilsRecord coils;
    coils.pulseMs[4] = 1234;
    EXPECT_THROW(createCoilsDefaults(s.root(), coils), PinError);
    EXPECT_EQ(coils.pulseMs[4], 1234u);
    LampsRecord lamps;
    lamps.onMs[2] = 77;
    EXPECT_THROW(createLampsDefaults(s.root(), lamps), PinError);
    EXPECT_EQ(lamps.onMs[2], 77u);
}

} // namespace
