// Composition of the keyboard picture: key places, sizes, the red gaps and keys that cannot be drawn.
#include "KeyboardFixture.h"

#include <QMessageBox>

using namespace pinstage;
using namespace pinstage::testing;

namespace {

const QColor Red(255, 0, 0);

int rowEnd(const TClavierVirtuel& keyboard, int row) {
    int x = 5;
    for (int place = 0; place < VKRowPlaces && isKeyButton(keyboard.RowsOrder[row][place]); ++place)
        x += keyboard.ButtonInfo[row][place].Rect.width() + 2;
    return x;
}

} // namespace

TEST(Drawing, KeysFollowEachOtherTwoPixelsApartInRowsFivePixelsApart) {
    ShownKeyboard shown;
    const TClavierVirtuel& keyboard = shown.keyboard;
    int widest = 0;
    for (int row = 0; row < VKRowCount; ++row) {
        int x = 5;
        for (int place = 0; place < VKRowPlaces && isKeyButton(keyboard.RowsOrder[row][place]); ++place) {
            const TVKInfo& info = keyboard.ButtonInfo[row][place];
            EXPECT_EQ(info.Rect, QRect(QPoint(x, 5 + row * 37), info.Normal.size())) << row << "," << place;
            x = info.Rect.right() + 1 + 2;
        }
        EXPECT_EQ(x, rowEnd(keyboard, row));
        widest = std::max(widest, x);
    }
    EXPECT_EQ(keyboard.MinWidth(), widest);
    EXPECT_EQ(keyboard.MinHeight(), 5 + 5 * (32 + 5));
    EXPECT_EQ(keyboard.size(), QSize(widest, 190)) << "the control sizes itself to the keys";
    EXPECT_EQ(keyboard.sizeHint(), keyboard.size());
    EXPECT_EQ(keyboard.BigBuffer().size(), QSize(750, 250));
}

TEST(Drawing, FifthRowIsTheSpaceBarThenRefairePhoto) {
    ShownKeyboard shown;
    EXPECT_EQ(shown.rectOf(vkbSpace), QRect(5, 153, 505, 32));
    const QRect refresh = shown.rectOf(vkbRefresh);
    EXPECT_EQ(refresh.topLeft(), QPoint(512, 153));
    EXPECT_EQ(refresh.width(), captionWidth(shown.keyboard, "Refaire Photo") + 15);
    EXPECT_EQ(shown.keyboard.RowsOrder[4][2], vkbReserved);
    EXPECT_TRUE(shown.keyboard.ButtonInfo[4][2].Rect.isEmpty());
}

TEST(Drawing, CommandKeysAreAsWideAsTheirCaptionPlusFifteen) {
    ShownKeyboard shown;
    for (TVKButton key : {vkbBackSpace, vkbClear, vkbShift, vkbEntree, vkbPhoto, vkbInternet, vkbHelp,
                          vkbAbout, vkbClose, vkbRefresh})
        EXPECT_EQ(shown.rectOf(key).width(),
                  captionWidth(shown.keyboard, shown.keyboard.GetButtonCaption(key)) + 15)
            << int(key);
    for (TVKButton key : {vkb0, vkbA, vkbM, vkbDash, vkbBackSlash})
        EXPECT_EQ(shown.rectOf(key).width(), 32) << int(key);
    EXPECT_LE(shown.keyboard.MinWidth(), 750) << "every row fits the keyboard picture";
}

TEST(Drawing, GapsAndKeyCornersShowPureRed) {
    ShownKeyboard shown;
    const QImage picture = shown.keyboard.grab().toImage();
    const QRect a = shown.rectOf(vkbA);
    EXPECT_EQ(picture.pixelColor(a.right() + 1, a.center().y()), Red) << "gap between keys";
    EXPECT_EQ(picture.pixelColor(a.center().x(), a.top() - 1), Red) << "gap between rows";
    EXPECT_EQ(picture.pixelColor(2, 2), Red) << "margin";
    EXPECT_EQ(picture.pixelColor(a.topLeft()), Red) << "rounded corner of the key face is transparent";
    EXPECT_EQ(picture.pixelColor(a.left(), a.bottom()), Red);
    EXPECT_NE(picture.pixelColor(a.left() + 16, a.top() + 4), Red) << "key face";
    const QRect space = shown.rectOf(vkbSpace);
    EXPECT_NE(picture.pixelColor(space.left() + 250, space.top() + 4), Red)
        << "the space bar is filled all along";
    EXPECT_NE(picture.pixelColor(space.right() - 5, space.top() + 4), Red);
}

TEST(Drawing, APaintWithoutChangeOnlyCopiesThePicture) {
    ShownKeyboard shown;
    const qint64 composed = shown.keyboard.BigBuffer().cacheKey();
    shown.keyboard.repaint();
    EXPECT_EQ(shown.keyboard.BigBuffer().cacheKey(), composed);
    shown.keyboard.RegenerateKeys = true;
    shown.keyboard.repaint();
    EXPECT_NE(shown.keyboard.BigBuffer().cacheKey(), composed);
    EXPECT_FALSE(shown.keyboard.RegenerateKeys);
}

TEST(Drawing, SwitchingToInternetCaptionsResizesTheKeys) {
    ShownKeyboard shown;
    const int photoWidth = shown.rectOf(vkbPhoto).width();
    shown.keyboard.InternetEncours = true;
    shown.keyboard.BuildButtonImages();
    shown.keyboard.RegenerateKeys = true;
    shown.keyboard.repaint();
    EXPECT_NE(shown.rectOf(vkbPhoto).width(), photoWidth);
    EXPECT_EQ(shown.rectOf(vkbPhoto).width(), captionWidth(shown.keyboard, "Imprimer") + 15);
    EXPECT_EQ(shown.keyboard.width(),
              std::max({rowEnd(shown.keyboard, 0), rowEnd(shown.keyboard, 1), rowEnd(shown.keyboard, 2),
                        rowEnd(shown.keyboard, 3), rowEnd(shown.keyboard, 4)}));
}

TEST(OutOfResources, AKeyThatCannotBeDrawnIsReportedAndTheOthersAreDrawn) {
    ShownKeyboard shown;
    const QRect zBefore = shown.rectOf(vkbZ);
    shown.keyboard.SetButtonDown(QImage()); // no pressed picture can be made any more
    shown.press(vkbA);
    EXPECT_EQ(shown.errors, std::vector<QString>{"Out of Resources"});
    EXPECT_TRUE(shown.rectOf(vkbA).isEmpty()) << "a key not drawn cannot be pressed";
    EXPECT_EQ(shown.rectOf(vkbZ).left(), 5) << "drawing went on with the next key";
    EXPECT_EQ(shown.rectOf(vkbZ).width(), zBefore.width());
    EXPECT_EQ(shown.rectOf(vkbQ).top(), 79) << "the following rows are in place";
    const QImage picture = shown.keyboard.grab().toImage();
    EXPECT_NE(picture.pixelColor(shown.rectOf(vkbZ).left() + 16, shown.rectOf(vkbZ).top() + 4), Red);
    shown.release(vkbA);
    EXPECT_EQ(shown.keyboard.Buffer(), "a");
}

TEST(OutOfResources, KeysWithoutImagesAreEachReportedAndNotPressable) {
    TClavierVirtuel keyboard;
    std::vector<QString> errors;
    keyboard.setErrorReporter([&errors](const QString& message) { errors.push_back(message); });
    keyboard.RegenerateKeys = true;
    keyboard.DrawButtons();
    EXPECT_EQ(errors.size(), size_t(VKButtonCount - 1));
    for (const QString& message : errors)
        EXPECT_EQ(message, "Out of Resources");
    keyboard.DownButtonFromPoint(QPoint(10, 10));
    EXPECT_EQ(keyboard.Buffer(), "");
    EXPECT_FALSE(keyboard.RegenerateKeys);
}

TEST(OutOfResources, TheDefaultReportShowsOneMessageBoxAfterThePaint) {
    TClavierVirtuel keyboard;
    keyboard.RegenerateKeys = true;
    keyboard.DrawButtons();
    keyboard.RegenerateKeys = true;
    keyboard.DrawButtons();
    QCoreApplication::processEvents();
    const auto boxes = keyboard.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.front()->text(), "Out of Resources");
    EXPECT_TRUE(boxes.front()->isVisible());
    boxes.front()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(keyboard.findChildren<QMessageBox*>().empty());
    keyboard.RegenerateKeys = true;
    keyboard.DrawButtons();
    QCoreApplication::processEvents();
    EXPECT_EQ(keyboard.findChildren<QMessageBox*>().size(), 1) << "a later failure is shown again";
    for (QMessageBox* box : keyboard.findChildren<QMessageBox*>())
        box->close();
}

TEST(Drawing, PlacesAfterTheEndOfARowLoseTheirOldRectangle) {
    ShownKeyboard shown;
    const QPoint refresh = shown.rectOf(vkbRefresh).center();
    shown.keyboard.RowsOrder[4][1] = vkbReserved;
    shown.keyboard.RegenerateKeys = true;
    shown.keyboard.repaint();
    EXPECT_TRUE(shown.keyboard.ButtonInfo[4][1].Rect.isEmpty());
    QTest::mouseClick(&shown.keyboard, Qt::LeftButton, {}, refresh);
    EXPECT_EQ(shown.keyboard.Buffer(), "");
    EXPECT_TRUE(shown.errors.empty());
}

TEST(Drawing, KeysTallerThanThePictureEnlargeIt) {
    ShownKeyboard shown;
    QImage tall(32, 60, QImage::Format_RGB32);
    tall.fill(Qt::darkBlue);
    tall.setPixelColor(0, 59, Qt::black); // the key colour, made transparent
    shown.keyboard.SetButtonNormal(tall);
    shown.keyboard.repaint();
    EXPECT_EQ(shown.keyboard.MinHeight(), 5 + 5 * (60 + 5));
    EXPECT_GE(shown.keyboard.BigBuffer().height(), shown.keyboard.MinHeight());
    EXPECT_EQ(shown.keyboard.height(), shown.keyboard.MinHeight());
    const QRect space = shown.rectOf(vkbSpace);
    EXPECT_EQ(space.bottom(), 5 + 4 * 65 + 59);
    const QImage picture = shown.keyboard.grab().toImage();
    EXPECT_EQ(picture.pixelColor(space.left() + 20, space.top() + 5), QColor(Qt::darkBlue));
    EXPECT_EQ(picture.pixelColor(space.left(), space.bottom()), Red);
}

TEST(Templates, ReplacingAFaceRebuildsTheKeysOnlyWhenItDiffers) {
    ShownKeyboard shown;
    const QImage sameFace = shown.keyboard.ButtonHover();
    shown.keyboard.SetButtonHover(sameFace);
    EXPECT_FALSE(shown.keyboard.RegenerateKeys);
    QImage other(40, 32, QImage::Format_RGB32);
    other.fill(Qt::darkGreen);
    shown.keyboard.SetButtonHover(other);
    EXPECT_TRUE(shown.keyboard.RegenerateKeys);
    EXPECT_EQ(shown.keyboard.ButtonHover(), other);
    EXPECT_EQ(infoOf(shown.keyboard, vkbA).Hover.width(), 40);
    EXPECT_EQ(infoOf(shown.keyboard, vkbA).Normal.width(), 32);
    other.fill(Qt::yellow);
    EXPECT_NE(shown.keyboard.ButtonHover(), other) << "the keyboard keeps its own copy";
}
