// Captions of the four tables, their choice by mode and case, the layout rows and the effect of each key.
#include "KeyboardFixture.h"

using namespace pinstage;
using namespace pinstage::testing;

namespace {

QString caption(const TVKCaptions& table, TVKButton key) {
    return QString::fromUtf8(table[key]);
}

struct CommandRow {
    TVKButton key;
    const char* text;
    const char* internet;
    const char* code; // Buffer after a press; nullptr when Buffer stays as it was
};

const CommandRow Commands[] = {
    {vkbClear, "Effacer Tout", "Effacer Tout", "12"},
    {vkbInternet, "Internet", "Quitter Internet", "15"},
    {vkbBackSpace, "Retour Arrière", "Retour Arrière", "11"},
    {vkbAbout, "Infos", "Page Suivante", "17"},
    {vkbShift, "Majuscules", "Majuscules", "18"},
    {vkbClose, "Entrée", "Entrée", nullptr},
    {vkbSpace, "Espace", "Espace", "13"},
    {vkbEntree, "Ligne Suivante", "Page d'Accueil", "14"},
    {vkbHelp, "Aide", "Page Précédente", "16"},
    {vkbPhoto, "Photo", "Imprimer", "10"},
    {vkbRefresh, "Refaire Photo", "Recharger Page", "19"},
};

} // namespace

TEST(Captions, CharacterKeysAreTheSameInBothModes) {
    for (int key = vkbReserved; key <= vkbBackSlash; ++key) {
        EXPECT_STREQ(ButtonCaptions[key], ButtonCaptions1[key]) << key;
        EXPECT_STREQ(ButtonCaptionsUp[key], ButtonCaptions1Up[key]) << key;
    }
    for (const TVKCaptions* table :
         {&ButtonCaptions, &ButtonCaptionsUp, &ButtonCaptions1, &ButtonCaptions1Up})
        EXPECT_EQ(caption(*table, vkbReserved), " ");
}

TEST(Captions, DigitsLettersAndPunctuation) {
    const char* shiftedDigits[] = {")", "!", "@", "#", "$", "%", "^", "&", "*", "("};
    for (int d = 0; d < 10; ++d) {
        EXPECT_EQ(caption(ButtonCaptions, TVKButton(vkb0 + d)), QString::number(d));
        EXPECT_STREQ(ButtonCaptionsUp[vkb0 + d], shiftedDigits[d]);
    }
    for (int l = 0; l < 26; ++l) {
        EXPECT_EQ(caption(ButtonCaptions, TVKButton(vkbA + l)), QString(QChar('a' + l)));
        EXPECT_EQ(caption(ButtonCaptionsUp, TVKButton(vkbA + l)), QString(QChar('A' + l)));
    }
    const std::pair<TVKButton, std::pair<const char*, const char*>> punctuation[] = {
        {vkbDash, {"-", "_"}},      {vkbEqual, {"=", "+"}},      {vkbSlash, {"\\", "|"}},
        {vkbSemicolon, {";", ":"}}, {vkbQuoteMark, {",", "\""}}, {vkbBracket1, {"[", "{"}},
        {vkbBracket2, {"]", "}"}},  {vkbComma, {",", "<"}},      {vkbDot, {".", ">"}},
        {vkbBackSlash, {"/", "?"}},
    };
    for (const auto& [key, pair] : punctuation) {
        EXPECT_STREQ(ButtonCaptions[key], pair.first) << int(key);
        EXPECT_STREQ(ButtonCaptionsUp[key], pair.second) << int(key);
    }
}

TEST(Captions, CommandKeysPerModeAndTheirUpperCaseRepeatsThem) {
    for (const CommandRow& row : Commands) {
        EXPECT_EQ(caption(ButtonCaptions, row.key), QString::fromUtf8(row.text));
        EXPECT_EQ(caption(ButtonCaptionsUp, row.key), QString::fromUtf8(row.text));
        EXPECT_EQ(caption(ButtonCaptions1, row.key), QString::fromUtf8(row.internet));
        EXPECT_EQ(caption(ButtonCaptions1Up, row.key), QString::fromUtf8(row.internet));
    }
}

TEST(Captions, GetButtonCaptionFollowsModeAndShift) {
    TClavierVirtuel keyboard;
    EXPECT_FALSE(keyboard.ShiftMode());
    EXPECT_EQ(keyboard.GetButtonCaption(vkb1), "1");
    EXPECT_EQ(keyboard.GetButtonCaption(vkbPhoto), "Photo");
    keyboard.InternetEncours = true;
    EXPECT_EQ(keyboard.GetButtonCaption(vkbPhoto), "Imprimer");
    EXPECT_EQ(keyboard.GetButtonCaption(vkb1), "1");
    keyboard.ButtonType(vkbShift);
    EXPECT_EQ(keyboard.GetButtonCaption(vkb1), "!");
    EXPECT_EQ(keyboard.GetButtonCaption(vkbHelp), "Page Précédente");
    keyboard.InternetEncours = false;
    EXPECT_EQ(keyboard.GetButtonCaption(vkb1), "!");
    EXPECT_EQ(keyboard.GetButtonCaption(vkbHelp), "Aide");
    // The quote-mark key reads like the comma key in lower case.
    keyboard.ButtonType(vkbShift);
    EXPECT_EQ(keyboard.GetButtonCaption(vkbQuoteMark), keyboard.GetButtonCaption(vkbComma));
}

TEST(Captions, ValuesOutsideTheKeysAreEmptyPlaces) {
    TClavierVirtuel keyboard;
    EXPECT_EQ(keyboard.GetButtonCaption(TVKButton(VKButtonCount)), " ");
    EXPECT_EQ(keyboard.GetButtonCaption(TVKButton(255)), " ");
    keyboard.setBuffer("ab");
    keyboard.ButtonType(TVKButton(200));
    keyboard.ButtonType(vkbReserved);
    EXPECT_EQ(keyboard.Buffer(), "ab");
    EXPECT_FALSE(isKeyButton(vkbReserved));
    EXPECT_FALSE(isKeyButton(VKButtonCount));
    EXPECT_FALSE(isKeyButton(-1));
    EXPECT_TRUE(isKeyButton(vkbRefresh));
}

TEST(ButtonType, CommandKeysReplaceBufferWithTheirCode) {
    TClavierVirtuel keyboard;
    for (const CommandRow& row : Commands) {
        keyboard.setBuffer("xyz");
        keyboard.ButtonType(row.key);
        EXPECT_EQ(keyboard.Buffer(), row.code ? QString(row.code) : QString("xyz")) << int(row.key);
    }
}

TEST(ButtonType, CharacterKeysAppendTheirCurrentCaption) {
    TClavierVirtuel keyboard;
    keyboard.ButtonType(vkbB);
    keyboard.ButtonType(vkbSlash);
    keyboard.ButtonType(vkbQuoteMark);
    EXPECT_EQ(keyboard.Buffer(), "b\\,");
    keyboard.ButtonType(vkbShift);
    keyboard.ButtonType(vkbB);
    keyboard.ButtonType(vkb9);
    EXPECT_EQ(keyboard.Buffer(), "18B(");
}

TEST(Layout, FiveAzertyRowsEndedByEmptyPlaces) {
    TClavierVirtuel keyboard;
    const std::vector<std::vector<TVKButton>> expected = {
        {vkb0, vkb1, vkb2, vkb3, vkb4, vkb5, vkb6, vkb7, vkb8, vkb9, vkbDash, vkbEqual, vkbBackSpace,
         vkbClear},
        {vkbA, vkbZ, vkbE, vkbR, vkbT, vkbY, vkbU, vkbI, vkbO, vkbP, vkbBracket1, vkbBracket2, vkbShift,
         vkbEntree},
        {vkbQ, vkbS, vkbD, vkbF, vkbG, vkbH, vkbJ, vkbK, vkbL, vkbM, vkbQuoteMark, vkbSlash, vkbPhoto,
         vkbInternet},
        {vkbW, vkbX, vkbC, vkbV, vkbB, vkbN, vkbSemicolon, vkbComma, vkbDot, vkbBackSlash, vkbHelp, vkbAbout,
         vkbClose},
        {vkbSpace, vkbRefresh},
    };
    std::vector<int> seen(VKButtonCount, 0);
    for (int row = 0; row < VKRowCount; ++row) {
        for (int place = 0; place < VKRowPlaces; ++place) {
            const TVKButton want = place < int(expected[row].size()) ? expected[row][place] : vkbReserved;
            EXPECT_EQ(keyboard.RowsOrder[row][place], want) << row << "," << place;
            ++seen[keyboard.RowsOrder[row][place]];
        }
    }
    for (int key = vkb0; key < VKButtonCount; ++key)
        EXPECT_EQ(seen[key], 1) << "key " << key << " must appear exactly once";

    keyboard.RowsOrder[2].fill(vkbA);
    keyboard.BuildKeyboardLayout();
    EXPECT_EQ(keyboard.RowsOrder[2][14], vkbReserved);
}

TEST(Construction, ArialBoldTenPointsWhiteWithPointingHand) {
    TClavierVirtuel keyboard;
    const QFontInfo info(keyboard.font());
    EXPECT_TRUE(info.family() == "Arial" || info.family() == "Liberation Sans" ||
                info.family() == "DejaVu Sans")
        << info.family().toStdString();
    EXPECT_TRUE(keyboard.font().bold());
    EXPECT_EQ(keyboard.font().pointSize(), 10);
    EXPECT_EQ(keyboard.palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(keyboard.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(keyboard.InternetEncours);
    EXPECT_FALSE(keyboard.RegenerateKeys);
    EXPECT_EQ(keyboard.LongueurLigneClavier, 615);
    // Images come with BuildButtonImages, not with the constructor.
    EXPECT_TRUE(keyboard.ButtonInfo[0][0].Normal.isNull());
    EXPECT_EQ(keyboard.ButtonNormal().size(), QSize(32, 32));
}

TEST(Construction, LoadedBuildsImagesInTextMode) {
    TClavierVirtuel keyboard;
    keyboard.InternetEncours = true;
    keyboard.Loaded();
    EXPECT_FALSE(keyboard.InternetEncours);
    EXPECT_TRUE(keyboard.RegenerateKeys);
    const TVKInfo& photo = infoOf(keyboard, vkbPhoto);
    EXPECT_EQ(photo.Normal.width(), captionWidth(keyboard, "Photo") + 15);
}
