// The default picture set: every file the layout and the other parts name, at the sizes their
// rectangles need, opaque where it must be, and the backglass they make.
#include "DefaultPictures.h"
#include "DisplayTestRig.h"

#include "config/FrontonParams.h"
#include "config/Players.h"
#include "display/DefaultBackglassRender.h"
#include "display/QtPath.h"
#include "platform/FileIo.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <set>

namespace pinstage::test {

namespace {

QImage loadBmp(const std::filesystem::path& p) {
    QImage i;
    i.load(toQString(p), "BMP");
    return i.convertToFormat(QImage::Format_RGB32);
}

int countPureBlue(const QImage& i, QRect area) {
    int n = 0;
    area &= i.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += (i.pixel(x, y) & 0xFFFFFF) == 0x0000FF;
    return n;
}

QRect sourceRect(const FrontonElement& e) {
    return QRect(QPoint(e.sourceLeft, e.sourceTop), QPoint(e.sourceRight - 1, e.sourceBottom - 1));
}

// One set of pictures for the whole program: drawing them takes a moment.
class DefaultPicturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ensureGuiApp();
        dir_ = std::make_unique<TempDir>();
        DataRoot root(dir_->path());
        written_ = writeDefaultPictures(root);
    }
    static void TearDownTestSuite() { dir_.reset(); }
    static DataRoot root() { return DataRoot(dir_->path()); }

    static std::unique_ptr<TempDir> dir_;
    static std::vector<std::filesystem::path> written_;
};

std::unique_ptr<TempDir> DefaultPicturesTest::dir_;
std::vector<std::filesystem::path> DefaultPicturesTest::written_;

} // namespace

TEST_F(DefaultPicturesTest, EveryNamedPictureIsWritten) {
    const FrontonRecord layout = defaultFronton();
    std::set<std::string> layoutFiles;
    for (int p = 0; p < kFrontonPictureCount; ++p)
        layoutFiles.insert(layout.elements[size_t(p)].pictureFile.utf8());
    auto files = defaultPictureFiles();
    EXPECT_EQ(files.size(), layoutFiles.size() + 8 + 2 + 2 + 8 + 15); // posters Pub1, Pub2; slideshow photos
    EXPECT_EQ(written_.size(), files.size());
    for (const auto& f : files)
        EXPECT_TRUE(std::filesystem::exists(root().file(f.dir, f.name))) << f.name;

    // Each layout picture holds its source rectangle.
    for (int p = 0; p < kFrontonPictureCount; ++p) {
        const FrontonElement& e = layout.elements[size_t(p)];
        DataDir dir = p == 50 ? DataDir::PubImages : DataDir::Images;
        QImage img = loadBmp(root().file(dir, e.pictureFile.utf8()));
        ASSERT_FALSE(img.isNull()) << p;
        EXPECT_TRUE(img.rect().contains(sourceRect(e))) << p;
    }
    EXPECT_EQ(loadBmp(root().file(DataDir::Images, "ospentacle1360.bmp")).size(), QSize(1360, 768));
    EXPECT_EQ(loadBmp(root().file(DataDir::Images, "osrlx1.bmp")).size(), QSize(40, 660));
    EXPECT_EQ(loadBmp(root().file(DataDir::Images, "xrules.bmp")).size(), QSize(64, 64));
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(loadBmp(root().file(DataDir::Images, "choix" + std::to_string(c) + ".bmp")).size(),
                  QSize(320, 240));
    for (int i = 0; i < kDefaultPlayerCount; ++i)
        EXPECT_EQ(loadBmp(root().file(DataDir::Photos, playerDefaultRows[size_t(i) * 5 + 3])).size(),
                  QSize(320, 240));
    EXPECT_EQ(loadBmp(root().file(DataDir::Photos, "PhotoDefaut.bmp")).size(), QSize(320, 240));
    for (int series = 0; series < 3; ++series)
        for (int number = 0; number < 5; ++number) {
            std::string name = std::to_string(series) + "_photo-" + std::to_string(number) + ".bmp";
            EXPECT_EQ(loadBmp(root().file(DataDir::Photos, name)).size(), QSize(320, 240)) << name;
        }
    EXPECT_FALSE(loadBmp(root().file(DataDir::Images, "modemploison.bmp")).isNull());
    EXPECT_FALSE(loadBmp(root().file(DataDir::Images, "modemploifronton.bmp")).isNull());
}

TEST_F(DefaultPicturesTest, OnlyMissingFilesAreWritten) {
    EXPECT_TRUE(writeDefaultPictures(root()).empty());
    TempDir other;
    DataRoot r(other.path());
    r.ensureDirectories();
    std::vector<uint8_t> mine{1, 2, 3};
    ASSERT_TRUE(writeFileAtomically(r.file(DataDir::Images, "osrlx1.bmp"), mine));
    auto written = writeDefaultPictures(r);
    EXPECT_EQ(written.size(), defaultPictureFiles().size() - 1);
    EXPECT_EQ(readWholeFile(r.file(DataDir::Images, "osrlx1.bmp")), mine);
    // The same pictures each time.
    EXPECT_EQ(readWholeFile(r.file(DataDir::Images, "ossymbols2.bmp")),
              readWholeFile(root().file(DataDir::Images, "ossymbols2.bmp")));
    EXPECT_EQ(readWholeFile(r.file(DataDir::Images, "ospentacle1360.bmp")),
              readWholeFile(root().file(DataDir::Images, "ospentacle1360.bmp")));
}

TEST_F(DefaultPicturesTest, PureBlueOnlyWhereTransparencyIsMeant) {
    for (const auto& f : defaultPictureFiles()) {
        if (f.name == "ossymbols2.bmp")
            continue;
        QImage img = loadBmp(root().file(f.dir, f.name));
        EXPECT_EQ(countPureBlue(img, img.rect()), 0) << f.name;
    }
    // The sheet: every rectangle an element shows is mostly drawn, the space between them blue.
    const FrontonRecord layout = defaultFronton();
    QImage sheet = loadBmp(root().file(DataDir::Images, "ossymbols2.bmp"));
    std::set<int> shown;
    for (int e = 32; e < 88; ++e)
        if (auto p = elementPicture(layout.elements[size_t(e)]))
            shown.insert(*p);
    QRegion used;
    for (int p : shown) {
        QRect r = sourceRect(layout.elements[size_t(p)]);
        used += r;
        EXPECT_LT(countPureBlue(sheet, r), r.width() * r.height() / 5) << "picture " << p;
    }
    EXPECT_EQ(countPureBlue(sheet, QRect(600, 400, 300, 100)), 300 * 100); // nothing there
    EXPECT_FALSE(used.contains(QPoint(700, 450)));
}

TEST_F(DefaultPicturesTest, ReelStripCellsShowTheirDigits) {
    QImage strip = loadBmp(root().file(DataDir::Images, "osrlx1.bmp"));
    auto cell = [&](int c) { return strip.copy(0, 60 * c, 40, 60); };
    EXPECT_EQ(cell(0), cell(10)); // 9 above 0 and below 8
    for (int a = 1; a <= 10; ++a)
        for (int b = a + 1; b <= 10; ++b)
            EXPECT_NE(cell(a), cell(b)) << a << " " << b;
    for (int c = 0; c < 11; ++c) {
        int dark = 0;
        QImage img = cell(c);
        for (int y = 0; y < 60; ++y)
            for (int x = 8; x < 32; ++x)
                dark += qGray(img.pixel(x, y)) < 80;
        EXPECT_GT(dark, 100) << c; // a digit is printed
    }
}

TEST_F(DefaultPicturesTest, RenderedBackglassShowsScoresAndLitPanels) {
    QImage frame = renderDefaultBackglass(dir_->path(), 1920, 1080, {123450, 0, 0, 0}, 12);
    ASSERT_EQ(frame.size(), QSize(1920, 1080));
    EXPECT_EQ(countPureBlue(frame, frame.rect()), 0);

    // Reels of one size show one digit alike: player 1's millions and player 2's millions are 0;
    // player 1's tens (5) is not what player 2's tens (0) shows.
    FrontonRecord layout = defaultFronton();
    DesignMapping m = DesignMapping::fromLayout({1920, 1080}, layout);
    auto reel = [&](int e) {
        PixelRect r = m.mapElement(layout.elements[size_t(e)]);
        return frame.copy(r.left, r.top, 44, 60);
    };
    EXPECT_EQ(reel(8), reel(15));
    EXPECT_NE(reel(3), reel(10));
    EXPECT_EQ(reel(2), reel(16)); // units 0 on players 1 and 3

    // A second rendering with other credits only changes the credit reels.
    QImage other = renderDefaultBackglass(dir_->path(), 1920, 1080, {123450, 0, 0, 0}, 13);
    PixelRect units = m.mapElement(layout.elements[30]);
    QRect unitsRect(units.left, units.top, int(units.width()), int(units.height()));
    EXPECT_NE(frame.copy(unitsRect), other.copy(unitsRect));
    QImage a = frame, b = other;
    {
        QPainter pa(&a), pb(&b);
        pa.fillRect(unitsRect, Qt::black);
        pb.fillRect(unitsRect, Qt::black);
    }
    EXPECT_EQ(a, b);

    // GAME OVER is lit: brighter red than its unlit print on the panel.
    PixelRect go = m.mapElement(layout.elements[37]);
    int red = 0;
    for (int y = go.top; y < go.bottom; ++y)
        for (int x = go.left; x < go.right; ++x) {
            QColor c = frame.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 120;
        }
    EXPECT_GT(red, 100);
}

} // namespace pinstage::test
