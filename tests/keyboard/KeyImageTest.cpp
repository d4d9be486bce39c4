// Pictures of single keys: widths, the template stretched by thirds, the centred caption, transparency.
#include "KeyboardFixture.h"

using namespace pinstage;
using namespace pinstage::testing;

namespace {

const QColor Left(200, 30, 30), Middle(30, 200, 30), Right(30, 30, 200), Key(0, 0, 0);

// 30 x 40: the thirds in three colours on every row but the last, which holds the key colour.
QImage thirdsTemplate() {
    QImage face(30, 40, QImage::Format_RGB32);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 30; ++x)
            face.setPixelColor(x, y, y == 39 ? Key : (x < 10 ? Left : (x < 20 ? Middle : Right)));
    }
    return face;
}

// The box of the caption's white pixels.
QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() == 255 && c.red() > 150 && c.green() > 150 && c.blue() > 150)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

} // namespace

TEST(KeyImage, LongCaptionStretchesTheTemplateByThirds) {
    TClavierVirtuel keyboard;
    keyboard.SetButtonNormal(thirdsTemplate());
    QImage picture;
    keyboard.GenerateButtonNormal(vkbShift, picture);
    const int width = captionWidth(keyboard, "Majuscules") + 15;
    ASSERT_EQ(picture.size(), QSize(width, 40));
    for (int x = 0; x < width; ++x) {
        const QColor want = x < 10 ? Left : (x >= width - 10 ? Right : Middle);
        EXPECT_EQ(picture.pixelColor(x, 1), want) << "column " << x;
    }
}

TEST(KeyImage, OneCharacterKeyKeepsTheWholeTemplate) {
    TClavierVirtuel keyboard;
    const QImage face = thirdsTemplate();
    keyboard.SetButtonNormal(face);
    QImage picture;
    keyboard.GenerateButtonNormal(vkbDot, picture);
    ASSERT_EQ(picture.size(), face.size());
    for (int x = 0; x < face.width(); ++x)
        EXPECT_EQ(picture.pixelColor(x, 0), face.pixelColor(x, 0)) << x;
}

TEST(KeyImage, TheKeyColourBecomesTransparent) {
    TClavierVirtuel keyboard;
    keyboard.SetButtonNormal(thirdsTemplate());
    QImage picture;
    keyboard.GenerateButtonNormal(vkbClear, picture);
    for (int x = 0; x < picture.width(); ++x)
        EXPECT_EQ(picture.pixelColor(x, 39).alpha(), 0) << x;
    EXPECT_EQ(picture.pixelColor(5, 5).alpha(), 255);
}

TEST(KeyImage, CaptionIsCentredInWhite) {
    TClavierVirtuel keyboard;
    keyboard.SetButtonNormal(thirdsTemplate());
    for (TVKButton key : {vkbW, vkbBackSpace, vkbSpace}) {
        QImage picture;
        keyboard.GenerateButtonNormal(key, picture);
        const QRect ink = inkBox(picture);
        ASSERT_FALSE(ink.isEmpty()) << int(key);
        const int leftMargin = ink.left();
        const int rightMargin = picture.width() - 1 - ink.right();
        EXPECT_LE(std::abs(leftMargin - rightMargin), 4) << int(key);
        const int topMargin = ink.top();
        const int bottomMargin = picture.height() - 1 - ink.bottom();
        EXPECT_LE(std::abs(topMargin - bottomMargin), 6) << int(key);
    }
}

TEST(KeyImage, CaptionColourIsTheControlsTextColour) {
    TClavierVirtuel keyboard;
    QPalette colours = keyboard.palette();
    colours.setColor(QPalette::WindowText, QColor(255, 255, 0));
    keyboard.setPalette(colours);
    QImage picture;
    keyboard.GenerateButtonNormal(vkbHelp, picture);
    bool yellow = false;
    for (int y = 0; y < picture.height() && !yellow; ++y) {
        for (int x = 0; x < picture.width() && !yellow; ++x)
            yellow = picture.pixelColor(x, y) == QColor(255, 255, 0);
    }
    EXPECT_TRUE(yellow);
}

TEST(KeyImage, SpaceBarIsTheLineLengthLessOneHundredAndTen) {
    TClavierVirtuel keyboard;
    QImage picture;
    keyboard.LongueurLigneClavier = 300;
    keyboard.GenerateButtonNormal(vkbSpace, picture);
    EXPECT_EQ(keyboard.LongueurLigneClavier, 615) << "the normal picture sets the reference length first";
    EXPECT_EQ(picture.width(), 505);
    keyboard.LongueurLigneClavier = 400;
    keyboard.GenerateButtonHover(vkbSpace, picture);
    EXPECT_EQ(picture.width(), 290);
    EXPECT_EQ(keyboard.LongueurLigneClavier, 400);
    keyboard.LongueurLigneClavier = 50;
    keyboard.GenerateButtonDown(vkbSpace, picture);
    EXPECT_TRUE(picture.isNull()) << "a negative width makes no picture";
}

TEST(KeyImage, EachStateUsesItsOwnTemplate) {
    TClavierVirtuel keyboard;
    QImage hover(20, 32, QImage::Format_RGB32), down(26, 30, QImage::Format_RGB32);
    hover.fill(Qt::gray);
    down.fill(Qt::darkGray);
    keyboard.SetButtonHover(hover);
    keyboard.SetButtonDown(down);
    QImage normalPicture, hoverPicture, downPicture;
    keyboard.GenerateButtonNormal(vkbK, normalPicture);
    keyboard.GenerateButtonHover(vkbK, hoverPicture);
    keyboard.GenerateButtonDown(vkbK, downPicture);
    EXPECT_EQ(normalPicture.size(), QSize(32, 32));
    EXPECT_EQ(hoverPicture.size(), QSize(20, 32));
    EXPECT_EQ(downPicture.size(), QSize(26, 30));
}

TEST(KeyImage, TemplatesTooSmallOrMissingNeverCrash) {
    TClavierVirtuel keyboard;
    QImage narrow(2, 32, QImage::Format_RGB32);
    narrow.fill(Qt::blue);
    narrow.setPixelColor(0, 31, Qt::black);
    keyboard.SetButtonNormal(narrow);
    QImage picture;
    keyboard.GenerateButtonNormal(vkbEntree, picture);
    EXPECT_EQ(picture.width(), captionWidth(keyboard, "Ligne Suivante") + 15);
    keyboard.GenerateButtonNormal(vkbA, picture);
    EXPECT_EQ(picture.width(), 2);

    keyboard.SetButtonNormal(QImage());
    keyboard.GenerateButtonNormal(vkbEntree, picture);
    EXPECT_TRUE(picture.isNull());
    keyboard.GenerateButtonNormal(vkbA, picture);
    EXPECT_TRUE(picture.isNull());
}

TEST(KeyImage, BuildAndDestroyCoverEveryKeyOfTheLayout) {
    TClavierVirtuel keyboard;
    keyboard.BuildButtonImages();
    int built = 0;
    for (int row = 0; row < VKRowCount; ++row) {
        for (int place = 0; place < VKRowPlaces; ++place) {
            const TVKInfo& info = keyboard.ButtonInfo[row][place];
            const bool key = isKeyButton(keyboard.RowsOrder[row][place]);
            EXPECT_EQ(!info.Normal.isNull(), key);
            EXPECT_EQ(!info.Hover.isNull(), key);
            EXPECT_EQ(!info.Down.isNull(), key);
            built += key;
        }
    }
    EXPECT_EQ(built, VKButtonCount - 1);
    keyboard.DestroyButtonImages();
    for (const auto& row : keyboard.ButtonInfo) {
        for (const TVKInfo& info : row)
            EXPECT_TRUE(info.Normal.isNull() && info.Hover.isNull() && info.Down.isNull());
    }
}
