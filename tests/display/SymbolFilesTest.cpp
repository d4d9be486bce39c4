// Symbol bitmaps on disk and symbol surfaces: picture checks, sizes, transparency, missing files.
#include "DisplayTestRig.h"

#include "display/QtPath.h"
#include "display/SymbolFiles.h"
#include "display/SymbolNames.h"
#include "display/SymbolSurfaces.h"
#include "platform/FileIo.h"
#include "platform/PinError.h"

#include <gtest/gtest.h>

namespace pinstage::test {

namespace {

QImage symbolFile(const DataRoot& root, const std::string& name) {
    QImage i;
    i.load(toQString(root.file(DataDir::Symbols, name)), "BMP");
    return i;
}

void expectPictureError(const std::function<void()>& f) {
    try {
        f();
        ADD_FAILURE() << "no error raised";
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), "fichier image de l'élément de jeu corrompu ou introuvable");
    }
}

} // namespace

TEST(SymbolFilesTest, EveryElementWithAPictureGetsItsBitmap) {
    DisplayRig rig;
    buildSymbolFiles(rig.layout, rig.root, 0, 88, DataDir::Images);
    buildSymbolFiles(rig.layout, rig.root, 88, 89, DataDir::PubImages);
    int written = 0;
    for (const auto& entry : std::filesystem::directory_iterator(rig.root.dir(DataDir::Symbols))) {
        (void)entry;
        ++written;
    }
    EXPECT_EQ(written, 89 - 11); // 1, 38, 76-80 and 84-87 have no picture
    // Reels keep the whole strip; other elements take their design size.
    QImage reel = symbolFile(rig.root, "ROULEAU DES UNITES COMPTEUR DE CREDIT.bmp");
    EXPECT_EQ(reel.size(), QSize(40, 660));
    EXPECT_EQ(colourAt(reel, 20, 30), reelDigitColour(9));
    EXPECT_EQ(colourAt(reel, 20, 90), reelDigitColour(0));
    QImage tilt = symbolFile(rig.root, "TILT.bmp");
    EXPECT_EQ(tilt.size(), QSize(212 - 81, 336 - 273));
    EXPECT_EQ(colourAt(tilt, 5, 5), pictureColour(19));
    EXPECT_EQ(symbolFile(rig.root, "IMAGE DE FOND DU FRONTON.bmp").size(), QSize(1360, 768));
    EXPECT_EQ(colourAt(symbolFile(rig.root, "Image publicitaire actuelle changée dynamiquement.bmp"), 9, 9),
              kAdvertColour);
    EXPECT_FALSE(std::filesystem::exists(rig.root.file(DataDir::Symbols, "TITRE OU NOM DU FLIPPER.bmp")));
}

TEST(SymbolFilesTest, PictureFilesMustBeLowerCaseBmpOrJpg) {
    DisplayRig rig;
    std::filesystem::copy_file(rig.root.file(DataDir::Images, "ospentacle1360.bmp"),
                               rig.root.file(DataDir::Images, "ospentacle1360.BMP"));
    rig.layout.elements[0].pictureFile.setUtf8("ospentacle1360.BMP");
    expectPictureError([&] { buildSymbolFiles(rig.layout, rig.root, 0, 1, DataDir::Images); });
    rig.layout.elements[0].pictureFile.setUtf8("ospentacle1360.png");
    expectPictureError([&] { buildSymbolFiles(rig.layout, rig.root, 0, 1, DataDir::Images); });
    rig.layout.elements[0].pictureFile.setUtf8("absent.bmp");
    expectPictureError([&] { buildSymbolFiles(rig.layout, rig.root, 0, 1, DataDir::Images); });
    rig.layout.elements[0].pictureFile.setUtf8("../images/ospentacle1360.bmp");
    expectPictureError([&] { buildSymbolFiles(rig.layout, rig.root, 0, 1, DataDir::Images); });
    // A bitmap under a .jpg name is not a JPEG.
    std::filesystem::copy_file(rig.root.file(DataDir::Images, "ospentacle1360.bmp"),
                               rig.root.file(DataDir::Images, "fake.jpg"));
    rig.layout.elements[0].pictureFile.setUtf8("fake.jpg");
    expectPictureError([&] { buildSymbolFiles(rig.layout, rig.root, 0, 1, DataDir::Images); });

    QImage jpeg(1360, 768, QImage::Format_RGB32);
    jpeg.fill(QColor(200, 100, 50));
    ASSERT_TRUE(jpeg.save(toQString(rig.root.file(DataDir::Images, "fond.jpg")), "JPG"));
    rig.layout.elements[0].pictureFile.setUtf8("fond.jpg");
    buildSymbolFiles(rig.layout, rig.root, 0, 1, DataDir::Images);
    QColor c = colourAt(symbolFile(rig.root, "IMAGE DE FOND DU FRONTON.bmp"), 100, 100);
    EXPECT_NEAR(c.red(), 200, 6);
    EXPECT_NEAR(c.green(), 100, 6);
}

TEST(SymbolFilesTest, PictureNumbersNameThePictureList) {
    DisplayRig rig;
    // "7" and "07" select the same picture.
    FrontonElement& a = rig.layout.elements[49];
    FrontonElement& b = rig.layout.elements[50];
    a.pictureNumber.setUtf8("7");
    b.pictureNumber.setUtf8("07");
    b.displayLeft = a.displayLeft;
    b.displayRight = a.displayRight;
    b.displayTop = a.displayTop;
    b.displayBottom = a.displayBottom;
    buildSymbolFiles(rig.layout, rig.root, 49, 51, DataDir::Images);
    auto bytesA = readWholeFile(rig.root.file(DataDir::Symbols, "LOTERIE 0 .bmp"));
    auto bytesB = readWholeFile(rig.root.file(DataDir::Symbols, "LOTERIE 1 .bmp"));
    ASSERT_TRUE(bytesA && bytesB);
    EXPECT_EQ(*bytesA, *bytesB);
    EXPECT_EQ(colourAt(symbolFile(rig.root, "LOTERIE 1 .bmp"), 3, 3), pictureColour(7));

    // A number naming no picture means no picture, as an empty one.
    std::filesystem::remove(rig.root.file(DataDir::Symbols, "LOTERIE 1 .bmp"));
    for (const char* number : {"60", "x1"}) {
        b.pictureNumber.setUtf8(number);
        buildSymbolFiles(rig.layout, rig.root, 50, 51, DataDir::Images);
        EXPECT_FALSE(std::filesystem::exists(rig.root.file(DataDir::Symbols, "LOTERIE 1 .bmp"))) << number;
    }
    // Ranges outside 0-89 are cut.
    buildSymbolFiles(rig.layout, rig.root, -20, 1, DataDir::Images);
    buildSymbolFiles(rig.layout, rig.root, 88, 500, DataDir::PubImages);
}

TEST(SymbolFilesTest, UnusableLabelsAndSizesWriteNothing) {
    DisplayRig rig;
    rig.layout.elements[36].functionLabel.setUtf8("../TILT");
    rig.layout.elements[39].displayRight = rig.layout.elements[39].displayLeft; // MATCH of width 0
    rig.layout.elements[40].displayBottom = 2000000000;                         // absurd height
    std::filesystem::path stale = rig.root.file(DataDir::Symbols, "MATCH.bmp");
    rig.root.ensureDirectories();
    QImage old(4, 4, QImage::Format_RGB32);
    old.fill(Qt::red);
    old.save(toQString(stale), "BMP");
    buildSymbolFiles(rig.layout, rig.root, 0, 88, DataDir::Images);
    EXPECT_FALSE(std::filesystem::exists(rig.root.dir(DataDir::Images).parent_path() / "TILT.bmp"));
    EXPECT_FALSE(std::filesystem::exists(rig.root.file(DataDir::Symbols, "TILT.bmp")));
    EXPECT_FALSE(std::filesystem::exists(stale)); // a stale bitmap is not shown instead
    EXPECT_FALSE(std::filesystem::exists(rig.root.file(DataDir::Symbols, "BALL IN PLAY.bmp")));
    EXPECT_TRUE(std::filesystem::exists(rig.root.file(DataDir::Symbols, "SECONDES.bmp")));
}

TEST(SymbolSurfacesTest, PureBlueBecomesTransparent) {
    ensureGuiApp();
    QImage picture(3, 1, QImage::Format_RGB32);
    picture.setPixelColor(0, 0, QColor(0, 0, 255));
    picture.setPixelColor(1, 0, QColor(0, 0, 254));
    picture.setPixelColor(2, 0, QColor(10, 20, 30));
    QImage s = toSymbolSurface(picture);
    EXPECT_EQ(s.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(s.pixel(0, 0), 0u);
    EXPECT_EQ(qAlpha(s.pixel(1, 0)), 255);
    EXPECT_EQ(s.pixel(2, 0), QColor(10, 20, 30).rgba());
    EXPECT_TRUE(toSymbolSurface(QImage()).isNull());
}

TEST(SymbolSurfacesTest, MissingBitmapLeavesOnlyThatElementInvisible) {
    DisplayRig rig;
    buildSymbolFiles(rig.layout, rig.root, 0, 88, DataDir::Images);
    buildSymbolFiles(rig.layout, rig.root, 88, 89, DataDir::PubImages);
    std::filesystem::remove(rig.root.file(DataDir::Symbols, "TILT.bmp"));
    // A damaged bitmap counts as missing too.
    std::filesystem::resize_file(rig.root.file(DataDir::Symbols, "MATCH.bmp"), 20);
    initDisplay(rig.b(), {1360, 768});
    initBackglass(rig.b(), {}, 0);
    for (int e = 0; e < 89; ++e) {
        bool expected = !pictureNumberEmpty(rig.layout.elements[size_t(e)]) && e != 36 && e != 39;
        EXPECT_EQ(!rig.b().surfaces[size_t(e)].isNull(), expected) << e;
        ASSERT_NE(rig.b().symbol(e), nullptr) << e;
    }
    for (int e : {36, 39, 32, 34}) {
        rig.b().symbol(e)->place.shown = 1;
        rig.layout.elements[size_t(e)].dirty = 1;
    }
    rig.frame();
    const QImage& screen = rig.presenter.screen();
    EXPECT_EQ(colourAt(screen, rig.centreOf(36).x(), rig.centreOf(36).y()), kBackgroundColour);
    EXPECT_EQ(colourAt(screen, rig.centreOf(39).x(), rig.centreOf(39).y()), kBackgroundColour);
    EXPECT_EQ(colourAt(screen, rig.centreOf(32).x(), rig.centreOf(32).y()), pictureColour(15));
    EXPECT_EQ(colourAt(screen, rig.centreOf(34).x() + 30, rig.centreOf(34).y()), pictureColour(17));
}

// A layout edited by hand or damaged names pictures beyond the list: the backglass still comes up,
// those elements (a reel among them) are simply not drawn, and the others are.
TEST(SymbolSurfacesTest, PictureNumbersBeyondTheListMeanNoPicture) {
    DisplayRig rig;
    rig.layout.elements[36].pictureNumber.setUtf8("51");                  // TILT
    rig.layout.elements[39].pictureNumber.setUtf8("999");                 // MATCH
    rig.layout.elements[40].pictureNumber.bytes = {'7', 0xC9, '#', 0xFF}; // BALL IN PLAY, no terminator
    rig.layout.elements[8].pictureNumber.setUtf8("-1");                   // millions reel of player 1
    rig.build();
    Backglass& b = rig.b();
    for (int e : {36, 39, 40, 8}) {
        EXPECT_TRUE(b.surfaces[size_t(e)].isNull()) << e;
        EXPECT_EQ(b.symbol(e)->place.destination, PixelRect{}) << e;
        EXPECT_FALSE(std::filesystem::exists(
            rig.root.file(DataDir::Symbols, *symbolFileName(rig.layout.elements[size_t(e)]))))
            << e;
    }
    EXPECT_EQ(b.reels.counter(0)->reelCount(), 6) << "the reels under the millions still turn";
    for (int e : {36, 39, 40}) {
        b.symbol(e)->place.shown = 1;
        rig.layout.elements[size_t(e)].dirty = 1;
    }
    rig.layout.elements[32].dirty = 1;
    b.symbol(32)->place.shown = 1;
    EXPECT_TRUE(rig.frame().presented);
    const QImage& screen = rig.presenter.screen();
    for (int e : {36, 39, 40})
        EXPECT_EQ(colourAt(screen, rig.centreOf(e).x(), rig.centreOf(e).y()), kBackgroundColour) << e;
    EXPECT_EQ(colourAt(screen, rig.centreOf(32).x(), rig.centreOf(32).y()), pictureColour(15));
}

TEST(SymbolSurfacesTest, SymbolsOfTheLayout) {
    DisplayRig rig({1920, 1080});
    rig.build();
    Backglass& b = rig.b();
    // No picture: empty rectangles, never drawn.
    EXPECT_EQ(b.symbol(1)->place.destination, PixelRect{});
    EXPECT_EQ(b.symbol(1)->place.source, PixelRect{});
    EXPECT_EQ(b.symbol(1)->surface, nullptr);
    // The background covers the screen.
    EXPECT_EQ(b.symbol(0)->place.destination, (PixelRect{0, 0, 1920, 1080}));
    EXPECT_EQ(b.symbol(0)->place.source, (PixelRect{0, 0, 1920, 1080}));
    // The credit units reel lands at 896-947 x 905-946.
    EXPECT_EQ(b.symbol(30)->place.destination, (PixelRect{896, 905, 947, 946}));
    EXPECT_EQ(b.symbol(37)->place.parent, 43);
    EXPECT_EQ(b.symbol(36)->place.source, (PixelRect{0, 0, 131, 63}));
    // Reels start from their picture's rectangle and are shown.
    EXPECT_EQ(b.symbol(2)->place.source, (PixelRect{0, 0, 40, 60}));
    EXPECT_EQ(b.symbol(30)->place.source, (PixelRect{0, 120, 40, 180}));
    for (int e = 2; e < 32; ++e)
        EXPECT_EQ(b.symbol(e)->place.shown, 1);
    // Attract mode: panels, GAME OVER, bands lit and waiting to be drawn.
    for (int e : {0, 1, 37, 42, 43, 48, 59, 60, 61, 62, 76, 80}) {
        EXPECT_EQ(b.symbol(e)->place.shown, 1) << e;
        EXPECT_EQ(rig.layout.elements[size_t(e)].dirty, 1) << e;
    }
    EXPECT_EQ(b.symbol(36)->place.shown, 0);
    EXPECT_EQ(rig.layout.elements[0].drawSlot, 0);
    EXPECT_EQ(rig.layout.elements[88].drawSlot, 88);
}

TEST(SymbolSurfacesTest, BackgroundRectangleThatDoesNotFitIsNoPicture) {
    // Bottom minus top overflows 32 bits; 1 to INT32_MAX fits 32 bits but no picture.
    for (auto [top, bottom] : {std::pair{-2, INT32_MAX}, std::pair{1, INT32_MAX}, std::pair{INT32_MIN, 5}}) {
        DisplayRig rig;
        buildSymbolFiles(rig.layout, rig.root, 0, 88, DataDir::Images);
        buildSymbolFiles(rig.layout, rig.root, 88, 89, DataDir::PubImages);
        rig.layout.elements[0].sourceTop = top;
        rig.layout.elements[0].sourceBottom = bottom;
        EXPECT_EQ(pictureSourceSize(rig.layout.elements[0]), std::nullopt) << top;
        initDisplay(rig.b(), {1360, 768});
        initBackglass(rig.b(), {}, 0);
        EXPECT_EQ(rig.b().mapping.design(), ScreenSize{}) << top;
        EXPECT_EQ(rig.b().symbol(0)->surface, nullptr) << top;
        // The other elements still draw, one to one.
        rig.frame();
        EXPECT_EQ(colourAt(rig.presenter.screen(), 5, 5), QColor(Qt::black)) << top;
        EXPECT_EQ(rig.b().symbol(30)->place.destination, displayRect(rig.layout.elements[30])) << top;
    }
    FrontonElement sane = defaultFronton().elements[0];
    EXPECT_EQ(pictureSourceSize(sane), (ScreenSize{1360, 768}));
}

TEST(SymbolSurfacesTest, PictureIntoSurface) {
    DisplayRig rig;
    QImage surface(64, 64, QImage::Format_RGB555);
    std::string why;
    EXPECT_TRUE(loadImageIntoSurface(surface, rig.root.file(DataDir::PubImages, "Pub0.bmp"), &why));
    QColor c = colourAt(surface, 10, 10);
    EXPECT_NEAR(c.red(), kAdvertColour.red(), 8);
    EXPECT_NEAR(c.blue(), kAdvertColour.blue(), 8);
    EXPECT_FALSE(loadImageIntoSurface(surface, rig.root.file(DataDir::PubImages, "absent.bmp"), &why));
    EXPECT_EQ(why, " fichier ou resource introuvable\n");
    QImage indexed(64, 64, QImage::Format_Indexed8);
    EXPECT_FALSE(loadImageIntoSurface(indexed, rig.root.file(DataDir::PubImages, "Pub0.bmp"), &why));
    EXPECT_EQ(why, "le fichier image ne peut être interprété\n il doit être rgb 16 bits");
    QImage none;
    EXPECT_FALSE(loadImageIntoSurface(none, rig.root.file(DataDir::PubImages, "Pub0.bmp")));
}

TEST(DisplaySetUpTest, ScreenSizesAndRelease) {
    DisplayRig rig;
    try {
        initDisplay(rig.b(), {0, 768});
        ADD_FAILURE();
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), "impossible de régler le format d'écran");
    }
    rig.build();
    initDisplay(rig.b(), {800, 600}); // already there: kept
    EXPECT_EQ(rig.b().backBuffer.size(), QSize(1360, 768));
    EXPECT_EQ(rig.b().scene.size(), QSize(1360, 768));
    EXPECT_TRUE(rig.frame().presented);
    releaseDisplay(rig.b());
    EXPECT_TRUE(rig.b().backBuffer.isNull());
    EXPECT_TRUE(rig.b().scene.isNull());
    EXPECT_FALSE(rig.b().overlay.exists());
    EXPECT_EQ(rig.b().symbol(0), nullptr);
    EXPECT_TRUE(rig.b().surfaces[0].isNull());
    EXPECT_FALSE(rig.b().reels.built());
    rig.layout.elements[36].dirty = 1;
    EXPECT_FALSE(rig.frame().composed);
    hideElements(rig.b(), 0, 89);
    showOverlay(rig.b());
    EXPECT_FALSE(rig.b().changed);
}

} // namespace pinstage::test
