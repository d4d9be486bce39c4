#include "config/FrontonParams.h"

#include "ConfigTestSupport.h"
#include "platform/PinError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace pinstage;
using namespace pinstage::test;
namespace fs = std::filesystem;

namespace {

std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const PinError& e) {
        return e.what();
    }
    return "(no error)";
}

struct Rect {
    int32_t left, right, top, bottom;
};

Rect display(const FrontonElement& e) {
    return {e.displayLeft, e.displayRight, e.displayTop, e.displayBottom};
}
Rect source(const FrontonElement& e) {
    return {e.sourceLeft, e.sourceRight, e.sourceTop, e.sourceBottom};
}
bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.right == b.right && a.top == b.top && a.bottom == b.bottom;
}

} // namespace

TEST(FrontonDefaults, PictureList) {
    FrontonRecord r = defaultFronton();
    EXPECT_EQ(r.elements[0].pictureFile.utf8(), "ospentacle1360.bmp");
    EXPECT_TRUE(source(r.elements[0]) == (Rect{0, 1360, 0, 768}));
    EXPECT_TRUE(source(r.elements[2]) == (Rect{0, 40, 120, 180}));
    EXPECT_TRUE(source(r.elements[5]) == (Rect{216, 256, 3, 59}));
    EXPECT_TRUE(source(r.elements[14]) == (Rect{680, 716, 3, 59}));
    EXPECT_TRUE(source(r.elements[21]) == (Rect{310, 502, 436, 458}));
    EXPECT_TRUE(source(r.elements[38]) == (Rect{735, 974, 248, 332}));
    for (int p : {39, 40, 41}) {
        EXPECT_FALSE(r.elements[size_t(p)].pictureFile.utf8().empty());
        EXPECT_TRUE(source(r.elements[size_t(p)]) == (Rect{0, 1360, 0, 768}));
    }
    EXPECT_EQ(r.elements[42].pictureFile.utf8(), "Bandeau1.bmp");
    EXPECT_EQ(r.elements[45].pictureFile.utf8(), "Bandeau4.bmp");
    EXPECT_EQ(r.elements[48].pictureFile.utf8(), "lumiscopetitre.bmp");
    EXPECT_TRUE(source(r.elements[48]) == (Rect{50, 583, 103, 317}));
    EXPECT_EQ(r.elements[50].pictureFile.utf8(), "Pub0.bmp");
    for (int e = kFrontonPictureCount; e < kFrontonElementCount; ++e) {
        EXPECT_EQ(r.elements[size_t(e)].pictureFile.utf8(), "") << e;
        EXPECT_TRUE(source(r.elements[size_t(e)]) == (Rect{0, 0, 0, 0})) << e;
    }
}

TEST(FrontonDefaults, ScoreReelsFollowTheirRule) {
    const char* words[] = {"UNITES",     "DIZAINES",    "CENTAINES", "MILLE",
                           "DIX-MILLES", "CENT-MILLES", "MILLIONS"};
    FrontonRecord r = defaultFronton();
    for (int p = 1; p <= 4; ++p)
        for (int k = 0; k < 7; ++k) {
            const FrontonElement& e = r.elements[size_t(2 + 7 * (p - 1) + k)];
            EXPECT_EQ(e.functionLabel.utf8(),
                      std::string("ROULEAU DES ") + words[k] + " COMPTEUR SCORE JOUEUR " + std::to_string(p));
            int32_t left = (p % 2 == 1 ? 341 : 1240) - 46 * k;
            int32_t top = p <= 2 ? 122 : 540;
            EXPECT_TRUE(display(e) == (Rect{left, left + 46, top, top + 50})) << p << " " << k;
            EXPECT_EQ(e.pictureNumber.utf8(), "1");
            EXPECT_EQ(e.layer, 4);
            EXPECT_EQ(e.parent, 0);
        }
}

TEST(FrontonDefaults, ElementTable) {
    FrontonRecord r = defaultFronton();
    const auto& el = r.elements;
    EXPECT_EQ(el[0].functionLabel.utf8(), "IMAGE DE FOND DU FRONTON");
    EXPECT_EQ(el[1].pictureNumber.utf8(), "");
    EXPECT_TRUE(display(el[1]) == (Rect{100, 386, 322, 372}));
    EXPECT_EQ(el[31].functionLabel.utf8(), "ROULEAU DES DIZAINES COMPTEUR DE CREDIT");
    EXPECT_TRUE(display(el[31]) == (Rect{599, 635, 644, 673}));
    EXPECT_EQ(el[37].layer, 2);
    EXPECT_EQ(el[37].parent, 43);
    EXPECT_EQ(el[37].pictureNumber.utf8(), "20");
    EXPECT_EQ(el[42].functionLabel.utf8(), "PANNEAU PLAYERS CAN PLAY AT THE SAME TIME...A GAME OF SKILL");
    EXPECT_EQ(el[47].functionLabel.utf8(), "CHIFFRE 3 DU PANNEAU CAN PLAY AT THE SAME TIME");
    EXPECT_EQ(el[47].pictureNumber.utf8(), "33");
    EXPECT_TRUE(display(el[47]) == (Rect{141, 173, 680, 708}));
    EXPECT_EQ(el[47].parent, 42);
    EXPECT_EQ(el[49].functionLabel.utf8(), "LOTERIE 0 ");
    EXPECT_EQ(el[49].pictureNumber.utf8(), "5");
    EXPECT_TRUE(display(el[50]) == (Rect{1227, 1243, 292, 322}));
    EXPECT_EQ(el[58].functionLabel.utf8(), "LOTERIE 9 ");
    EXPECT_TRUE(display(el[58]) == (Rect{1280, 1304, 292, 322}));
    EXPECT_EQ(el[59].functionLabel.utf8(), "BANDEAU 1st PLAYER");
    EXPECT_TRUE(display(el[66]) == (Rect{522, 546, 709, 738}));
    EXPECT_TRUE(display(el[67]) == (Rect{559, 575, 709, 739}));
    EXPECT_EQ(el[67].pictureNumber.utf8(), "10");
    for (int k = 0; k < 7; ++k)
        EXPECT_TRUE(display(el[size_t(68 + k)]) == (Rect{834 + 31 * k, 860 + 31 * k, 364, 404})) << k;
    EXPECT_EQ(el[69].functionLabel.utf8(), "CHIFFRE CENT MILLES RECORD");
    EXPECT_EQ(el[83].functionLabel.utf8(), "VALEUR DES UNITES SECONDES RESTANTES");
    EXPECT_TRUE(display(el[85]) == (Rect{700, 726, 660, 720}));
    EXPECT_EQ(el[88].functionLabel.utf8(), "Image publicitaire actuelle changée dynamiquement");
    EXPECT_EQ(el[88].layer, 16);
    EXPECT_EQ(el[88].parent, 2);
    for (int e : {1, 38, 76, 77, 78, 79, 80, 84, 85, 86, 87})
        EXPECT_EQ(el[size_t(e)].pictureNumber.utf8(), "") << e;
    for (const FrontonElement& e : el) {
        EXPECT_EQ(e.pictureNumberCopy.utf8(), e.pictureNumber.utf8());
        EXPECT_EQ(e.drawSlot, 0);
        EXPECT_EQ(e.reelWindowLeft | e.reelWindowRight | e.reelWindowTop | e.reelWindowBottom, 0);
        EXPECT_EQ(e.dirty, 0);
        EXPECT_EQ(e.editorVisibility, 0);
    }
}

TEST(FrontonFile, FreshDefaultsAreTwoIdenticalFilesAtTheirOffsets) {
    ScratchRoot s("pin-cfgm-fronton-fresh");
    FrontonRecord r;
    createFrontonDefaults(s.root(), 3, r);
    auto bytes = fileBytes(s.datas("FrontonParam3.fli"));
    ASSERT_EQ(bytes.size(), 16376u);
    EXPECT_EQ(bytes, fileBytes(s.datas("DefautFronton3.fli")));
    EXPECT_EQ(bytes, encodeFronton(r));
    size_t e88 = 88 * 184;
    EXPECT_EQ(slotText(bytes, e88 + 48, 80), "Image publicitaire actuelle chang\xE9"
                                             "e dynamiquement");
    EXPECT_EQ(slotText(bytes, e88 + 128, 4), "50");
    EXPECT_EQ(slotText(bytes, e88 + 178, 6), "50");
    EXPECT_EQ(le32(bytes, e88 + 136), 1360u);
    EXPECT_EQ(le32(bytes, e88 + 144), 768u);
    EXPECT_EQ(le32(bytes, e88 + 148), 16u);
    EXPECT_EQ(le32(bytes, e88 + 152), 2u);
    size_t e5 = 5 * 184;
    EXPECT_EQ(slotText(bytes, e5, 32), "ossymbols2.bmp");
    EXPECT_EQ(le32(bytes, e5 + 32), 216u);
    EXPECT_EQ(le32(bytes, e5 + 36), 256u);
    EXPECT_EQ(le32(bytes, e5 + 40), 3u);
    EXPECT_EQ(le32(bytes, e5 + 44), 59u);
    EXPECT_EQ(le32(bytes, 37 * 184 + 152), 43u);
}

TEST(FrontonFile, RoundTripKeepsEveryByte) {
    ScratchRoot s("pin-cfgm-fronton-roundtrip");
    auto noise = noiseBytes(kFrontonFileSize, 21);
    FrontonRecord r;
    decodeFronton(noise, r);
    EXPECT_EQ(encodeFronton(r), noise);
    saveFronton(s.datas("FrontonParam0.fli"), r);
    FrontonRecord back;
    loadFronton(s.datas("FrontonParam0.fli"), back);
    EXPECT_EQ(encodeFronton(back), noise);
}

TEST(FrontonFile, ShortAndLongFiles) {
    ScratchRoot s("pin-cfgm-fronton-sizes");
    FrontonRecord r = defaultFronton();
    auto noise = noiseBytes(184 + 150, 4); // element 1 cut inside its layer
    writeBytes(s.datas("FrontonParam0.fli"), noise);
    loadFronton(s.datas("FrontonParam0.fli"), r);
    auto image = encodeFronton(r);
    EXPECT_TRUE(std::equal(noise.begin(), noise.end(), image.begin()));
    EXPECT_EQ(uint32_t(r.elements[1].layer) & 0xFFFF0000u, 0u);
    EXPECT_EQ(r.elements[2].functionLabel.utf8(), "ROULEAU DES UNITES COMPTEUR SCORE JOUEUR 1");

    auto longer = noiseBytes(kFrontonFileSize + 184, 5);
    writeBytes(s.datas("FrontonParam0.fli"), longer);
    loadFronton(s.datas("FrontonParam0.fli"), r);
    EXPECT_EQ(encodeFronton(r), std::vector<uint8_t>(longer.begin(), longer.begin() + kFrontonFileSize));
}

TEST(FrontonFile, SaveOverwritesInPlaceKeepingALongerFilesTail) {
    ScratchRoot s("pin-cfgm-fronton-inplace");
    auto old = noiseBytes(kFrontonFileSize + 184, 15);
    writeBytes(s.datas("FrontonParam0.fli"), old);
    FrontonRecord r = defaultFronton();
    saveFronton(s.datas("FrontonParam0.fli"), r);
    auto bytes = fileBytes(s.datas("FrontonParam0.fli"));
    ASSERT_EQ(bytes.size(), old.size());
    auto image = encodeFronton(r);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), bytes.begin()));
    EXPECT_TRUE(std::equal(old.begin() + kFrontonFileSize, old.end(), bytes.begin() + kFrontonFileSize));
}

TEST(FrontonFile, MissingFileAndFailedSaveRaiseTheirMessages) {
    ScratchRoot s("pin-cfgm-fronton-errors");
    FrontonRecord r = defaultFronton();
    auto before = encodeFronton(r);
    EXPECT_EQ(messageOf([&] { loadFronton(s.datas("FrontonParam1.fli"), r); }),
              "fichier des paramètres du fronton introuvable");
    EXPECT_EQ(encodeFronton(r), before);
    auto old = noiseBytes(100, 9);
    writeBytes(s.datas("FrontonParam0.fli"), old);
    fs::permissions(s.datas("FrontonParam0.fli"), fs::perms::owner_read);
    EXPECT_EQ(messageOf([&] { saveFronton(s.datas("FrontonParam0.fli"), r); }),
              "Impossible de créer le fichier de paramètrages du fronton");
    EXPECT_EQ(fileBytes(s.datas("FrontonParam0.fli")), old);

    fs::permissions(s.datas(), fs::perms::owner_read | fs::perms::owner_exec);
    FrontonRecord kept;
    kept.elements[7].layer = 33;
    EXPECT_EQ(messageOf([&] { createFrontonDefaults(s.root(), 4, kept); }),
              "Impossible de créer le fichier de paramètrages du fronton");
    EXPECT_EQ(kept.elements[7].layer, 33);
}

TEST(FrontonFile, RestoreReadsTheDefaultCopyOrCreatesBothFiles) {
    ScratchRoot s("pin-cfgm-fronton-restore");
    FrontonRecord r;
    restoreFrontonDefaults(s.root(), 6, r);
    EXPECT_TRUE(fs::exists(s.datas("FrontonParam6.fli")));
    EXPECT_TRUE(fs::exists(s.datas("DefautFronton6.fli")));
    EXPECT_EQ(r.elements[88].layer, 16);
    FrontonRecord edited = r;
    edited.elements[88].layer = 12;
    saveFronton(s.datas("DefautFronton6.fli"), edited);
    restoreFrontonDefaults(s.root(), 6, r);
    EXPECT_EQ(r.elements[88].layer, 12);
}

TEST(FrontonAccess, PictureNumbersParentsAndDrawSlotsAreChecked) {
    FrontonElement e;
    auto picture = [&](const char* text) {
        e.pictureNumber.setCp1252(text);
        return elementPicture(e);
    };
    EXPECT_EQ(picture("7"), 7);
    EXPECT_EQ(picture("07"), 7);
    EXPECT_EQ(picture("0"), 0);
    EXPECT_EQ(picture("50"), 50);
    EXPECT_FALSE(picture("51").has_value());
    EXPECT_FALSE(picture("999").has_value());
    EXPECT_FALSE(picture("").has_value());
    EXPECT_FALSE(picture("-1").has_value());
    EXPECT_FALSE(picture("a7").has_value());
    e.pictureNumber.bytes = {'1', '2', '3', '4'}; // no terminator: read up to the slot only
    EXPECT_FALSE(elementPicture(e).has_value());
    e.pictureNumber.bytes = {'9', 0, '1', '2'}; // bytes after the terminator do not count
    EXPECT_EQ(elementPicture(e), 9);

    e.parent = 88;
    EXPECT_EQ(elementParent(e), 88);
    e.parent = 89;
    EXPECT_FALSE(elementParent(e).has_value());
    e.parent = -1;
    EXPECT_FALSE(elementParent(e).has_value());
    e.drawSlot = 40;
    EXPECT_EQ(elementInDrawSlot(e), 40);
    e.drawSlot = 1000;
    EXPECT_FALSE(elementInDrawSlot(e).has_value());
    EXPECT_TRUE(isDrawnLayer(0));
    EXPECT_TRUE(isDrawnLayer(39));
    EXPECT_FALSE(isDrawnLayer(40));
    EXPECT_FALSE(isDrawnLayer(-1));
}

TEST(FrontonDescribe, ListsEveryFieldAndFlagsOddValues) {
    FrontonRecord r = defaultFronton();
    r.elements[3].pictureNumber.setCp1252("77");
    r.elements[40].layer = 45;
    r.elements[41].parent = 89;
    auto bytes = encodeFronton(r);
    auto lines = describeFronton(bytes);
    ASSERT_EQ(lines.size(), 89u * 21);
    const FieldLine& pic3 = lines[3 * 21 + 6];
    EXPECT_EQ(pic3.offset, 3u * 184 + 128);
    EXPECT_NE(pic3.value.find("hors limites"), std::string::npos);
    EXPECT_EQ(lines[2 * 21 + 6].value, "1");
    const FieldLine& layer40 = lines[40 * 21 + 11];
    EXPECT_EQ(layer40.offset, 40u * 184 + 148);
    EXPECT_NE(layer40.value.find("45"), std::string::npos);
    EXPECT_NE(layer40.value.find("non affiché"), std::string::npos);
    EXPECT_NE(lines[41 * 21 + 12].value.find("hors limites"), std::string::npos);
    EXPECT_EQ(lines[88 * 21 + 5].value, "Image publicitaire actuelle changée dynamiquement");

    EXPECT_EQ(layer40.name, "layer[40]");
    EXPECT_EQ(lines[88 * 21 + 20].name, "pictureNumberCopy[88]");
    EXPECT_EQ(lines[88 * 21 + 20].offset, 88u * 184 + 178);

    auto cut = describeFronton(std::span(bytes).first(184 + 130));
    ASSERT_EQ(cut.size(), 27u);
    EXPECT_EQ(cut[26].value, "TITRE OU NOM DU FLIPPER");
    bytes.resize(bytes.size() + 184, 7);
    EXPECT_EQ(describeFronton(bytes).size(), 89u * 21);
}
