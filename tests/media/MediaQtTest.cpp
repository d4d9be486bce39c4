// The Qt side of the media: the player on a real Motion-JPEG file and on a broken one, the poster
// drawn on the back buffer, and a local ad picture loaded into the display overlay.
#include "config/FrontonParams.h"
#include "display/QtPath.h"
#include "media/BackglassMediaScreen.h"
#include "media/QtVideoPlayer.h"
#include "players/MjpegAviWriter.h"

#include <QBuffer>
#include <QPainter>
#include <QTest>
#include <QVideoWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace pinstage {
namespace {

namespace fs = std::filesystem;

class MediaQtTest : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("pinstage-mediaqt-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    fs::path clip(const std::string& name, int w, int h, int frames, uint32_t ms) {
        MjpegAviWriter writer;
        EXPECT_TRUE(writer.open(dir / name, w, h));
        for (int k = 0; k < frames; ++k) {
            QImage img(w, h, QImage::Format_RGB32);
            img.fill(QColor::fromHsv(k * 30 % 360, 200, 200));
            QByteArray jpeg;
            QBuffer buf(&jpeg);
            buf.open(QIODevice::WriteOnly);
            EXPECT_TRUE(img.save(&buf, "JPG"));
            EXPECT_TRUE(writer.addFrame(
                std::span(reinterpret_cast<const uint8_t*>(jpeg.constData()), size_t(jpeg.size()))));
        }
        EXPECT_TRUE(writer.finish(ms));
        return dir / name;
    }
};

TEST_F(MediaQtTest, PlayerReportsLengthAndSizeStaysHiddenUntilPlacedAndFailsOnABrokenFile) {
    QWidget window;
    window.resize(1920, 1080);
    window.show();
    QtVideoPlayer player(&window);
    EXPECT_EQ(player.widget()->parentWidget(), &window);
    player.start(clip("VideoPub0.avi", 320, 240, 20, 2000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.durationSeconds() > 0 || player.failed(); }, 20000));
    EXPECT_FALSE(player.failed());
    EXPECT_NEAR(player.durationSeconds(), 2.0, 0.1);
    EXPECT_EQ(player.sourceWidth(), 320.0f);
    EXPECT_EQ(player.sourceHeight(), 240.0f);
    EXPECT_FALSE(player.widget()->isVisible());
    EXPECT_FALSE(player.widget()->isEnabled());
    player.place(305, 49, 1311, 983);
    EXPECT_TRUE(player.widget()->isVisible());
    EXPECT_TRUE(player.widget()->isEnabled());
    EXPECT_EQ(player.widget()->geometry(), QRect(305, 49, 1311, 983));
    player.stop();
    EXPECT_FALSE(player.widget()->isVisible());
    EXPECT_FALSE(player.widget()->isEnabled());

    std::ofstream(dir / "VideoPub1.avi") << std::string(4096, 'x');
    player.start(dir / "VideoPub1.avi");
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.failed(); }, 20000));
    EXPECT_EQ(player.sourceWidth(), 0.0f);
    EXPECT_FALSE(player.widget()->isVisible());
    player.stop();
}

TEST_F(MediaQtTest, PosterIsCutFromItsFrameAndDrawnOverItsDestinationOnly) {
    QImage poster(1360, 768, QImage::Format_RGB32);
    poster.fill(Qt::green);
    QPainter(&poster).fillRect(0, 0, 1360, 384, Qt::red);
    ASSERT_TRUE(poster.save(QString::fromStdString((dir / "Pub0.bmp").string()), "BMP"));

    BackglassMediaScreen screen({});
    EXPECT_FALSE(screen.overlayExists());
    EXPECT_FALSE(screen.loadPoster(dir / "Pub9.bmp"));
    ASSERT_TRUE(screen.loadPoster(dir / "Pub0.bmp"));
    QImage back(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    back.fill(Qt::black);
    screen.placePoster({134, 156, 1785, 926}, {0, 0, 1360, 768});
    EXPECT_TRUE(screen.drawPoster(back).isEmpty()); // not shown outside the poster step
    screen.setPosterShown(true);
    EXPECT_EQ(screen.drawPoster(back), QRegion(QRect(134, 156, 1651, 770)));
    EXPECT_EQ(back.pixel(200, 200), qRgb(255, 0, 0));
    EXPECT_EQ(back.pixel(200, 900), qRgb(0, 255, 0));
    EXPECT_EQ(back.pixel(100, 500), qRgb(0, 0, 0));
    EXPECT_EQ(back.pixel(1800, 500), qRgb(0, 0, 0));
    // Half the poster's height shown: only its upper, red half, stretched over the destination.
    back.fill(Qt::black);
    screen.placePoster({134, 700, 1785, 1080}, {0, 0, 1360, 384});
    screen.drawPoster(back);
    EXPECT_EQ(back.pixel(200, 1070), qRgb(255, 0, 0));
    EXPECT_EQ(back.pixel(200, 690), qRgb(0, 0, 0));
}

TEST_F(MediaQtTest, LocalAdPictureGoesIntoTheOverlay) {
    FrontonRecord layout = defaultFronton();
    Backglass b(layout, DataRoot(dir));
    BackglassMediaScreen screen([&] { return &b; });
    EXPECT_FALSE(screen.overlayExists());
    initDisplay(b, ScreenSize{1920, 1080});
    ASSERT_TRUE(screen.overlayExists());
    QImage ad(64, 64, QImage::Format_RGB32);
    ad.fill(Qt::yellow);
    ASSERT_TRUE(ad.save(QString::fromStdString((dir / "ad.bmp").string()), "BMP"));
    EXPECT_FALSE(screen.loadOverlayPicture(dir / "none.bmp"));
    ASSERT_TRUE(screen.loadOverlayPicture(dir / "ad.bmp"));
    EXPECT_EQ(QColor(b.overlay.surface.pixel(10, 10)), QColor(Qt::yellow));
    screen.showOverlay();
    EXPECT_TRUE(b.overlay.visible);
    screen.hideOverlay();
    EXPECT_FALSE(b.overlay.visible);
    releaseDisplay(b);
    EXPECT_FALSE(screen.overlayExists());
}

} // namespace
} // namespace pinstage
