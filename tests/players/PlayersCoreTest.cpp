// The Qt-free side of the webcam: driver entries and connection rules, where a photo may go, the
// bytes of a 24-bit BMP and a Motion-JPEG AVI that is either complete or absent.
#include "platform/FileIo.h"
#include "players/BmpFile.h"
#include "players/CameraDrivers.h"
#include "players/MjpegAviWriter.h"
#include "players/PhotoPath.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace pinstage;
namespace fs = std::filesystem;

namespace {

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

struct TempDir {
    fs::path path;
    TempDir() {
        path = fs::temp_directory_path() / ("pinstage-players-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
};

} // namespace

TEST(CameraDriverRules, ListsTenEntriesAndAFailedConnectionKeepsTheDriver) {
    std::vector<CameraDescription> inputs;
    for (int i = 0; i < 12; ++i)
        inputs.push_back({"Cam " + std::to_string(i), "v" + std::to_string(i)});
    auto list = listCameraDrivers(inputs);
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list[0].text, "Cam 0, v0");
    EXPECT_EQ(list[9].text, "Cam 9, v9");
    EXPECT_EQ(list[9].index, 9);
    EXPECT_TRUE(listCameraDrivers({}).empty());

    CameraConnection c;
    EXPECT_EQ(c.driverIndex, -1);
    EXPECT_FALSE(CameraConnection::acceptable(0, 0));
    EXPECT_FALSE(CameraConnection::acceptable(-1, 2));
    EXPECT_FALSE(CameraConnection::acceptable(2, 2));
    c.beginAttempt();
    c.succeeded(1);
    EXPECT_EQ(c.connectedBefore, 0);
    EXPECT_EQ(c.previewWidth, 320);
    EXPECT_EQ(c.previewHeight, 240);
    c.beginAttempt(); // this attempt fails: nothing but the memory of the connection changes
    EXPECT_EQ(c.connectedBefore, 1);
    EXPECT_EQ(c.driverIndex, 1);
    c.disconnected();
    EXPECT_EQ(c.driverIndex, -1);
}

TEST(PhotoPathRule, OnlyBitmapsBelowThePhotoDirectory) {
    TempDir t;
    fs::path photos = t.path / "bases de donnees" / "Photos";
    fs::create_directories(photos / "sub");
    fs::create_directories(t.path / "elsewhere");
    fs::create_directory_symlink(t.path / "elsewhere", photos / "link");

    EXPECT_EQ(photoPathInside(photos, "Joueur-1_06122026050000.bmp"), photos / "Joueur-1_06122026050000.bmp");
    EXPECT_EQ(photoPathInside(photos, photos / "sub" / "a.BMP"), photos / "sub" / "a.BMP");
    EXPECT_EQ(photoPathInside(photos, photos / "sub" / ".." / "b.bmp"), photos / "b.bmp");
    EXPECT_FALSE(photoPathInside(photos, "../evil.bmp"));
    EXPECT_FALSE(photoPathInside(photos, "sub/../../evil.bmp"));
    EXPECT_FALSE(photoPathInside(photos, t.path / "elsewhere" / "x.bmp"));
    EXPECT_FALSE(photoPathInside(photos, "link/x.bmp")); // a link leading out of the directory
    EXPECT_FALSE(photoPathInside(photos, "/etc/passwd"));
    EXPECT_FALSE(photoPathInside(photos, "photo.txt"));
    EXPECT_FALSE(photoPathInside(photos, ".bmp"));
    EXPECT_FALSE(photoPathInside(photos, photos));
    EXPECT_FALSE(photoPathInside(photos, ""));
    EXPECT_FALSE(photoPathInside(photos.string() + "2", photos / "a.bmp")); // a sibling with a longer name
}

TEST(BmpFileWriter, BottomUpBgrRowsPaddedToFourBytes) {
    // 3 x 2 pixels: row 0 red, green, blue; row 1 white, black, grey (a stride of 10 bytes).
    std::vector<uint8_t> rgb = {255, 0,   0,   0, 255, 0, 0,   0,   255, 99,
                                255, 255, 255, 0, 0,   0, 128, 128, 128, 99};
    auto b = encodeBmp24(3, 2, rgb, 10);
    ASSERT_EQ(b.size(), 54u + 2 * 12);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le32(b, 2), b.size());
    EXPECT_EQ(le32(b, 10), 54u);
    EXPECT_EQ(le32(b, 18), 3u);
    EXPECT_EQ(le32(b, 22), 2u);
    EXPECT_EQ(b[28], 24);
    EXPECT_EQ(le32(b, 30), 0u); // no compression
    // The file's first row is the picture's bottom row, in B, G, R order, then one padding byte... x3.
    std::vector<uint8_t> bottom(b.begin() + 54, b.begin() + 66);
    std::vector<uint8_t> top(b.begin() + 66, b.end());
    EXPECT_EQ(bottom, (std::vector<uint8_t>{255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0}));
    EXPECT_EQ(top, (std::vector<uint8_t>{0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0}));

    EXPECT_TRUE(encodeBmp24(3, 2, rgb, 8).empty());  // stride shorter than a row
    EXPECT_TRUE(encodeBmp24(3, 3, rgb, 10).empty()); // more rows than the buffer holds
    EXPECT_TRUE(encodeBmp24(0, 2, rgb, 10).empty());

    TempDir t;
    EXPECT_FALSE(writeBmp24(t.path / "missing" / "a.bmp", 3, 2, rgb, 10));
    EXPECT_TRUE(writeBmp24(t.path / "a.bmp", 3, 2, rgb, 10));
    EXPECT_EQ(readWholeFile(t.path / "a.bmp"), b);
}

TEST(MjpegAviWriterFile, CompleteWithIndexOrNotThereAtAll) {
    TempDir t;
    const std::vector<uint8_t> odd = {0xFF, 0xD8, 1, 2, 3, 0xFF, 0xD9}; // 7 bytes: padded
    const std::vector<uint8_t> even = {0xFF, 0xD8, 1, 2, 0xFF, 0xD9};   // 6 bytes
    {
        MjpegAviWriter w; // dropped half-way: nothing at the target, no temporary left
        ASSERT_TRUE(w.open(t.path / "a.avi", 320, 240));
        ASSERT_TRUE(w.addFrame(odd));
    }
    EXPECT_TRUE(fs::is_empty(t.path));
    MjpegAviWriter none;
    ASSERT_TRUE(none.open(t.path / "b.avi", 320, 240));
    EXPECT_FALSE(none.finish(1000)); // no frame, no file
    EXPECT_TRUE(fs::is_empty(t.path));
    EXPECT_FALSE(none.open(t.path / "no" / "c.avi", 320, 240));

    MjpegAviWriter w;
    ASSERT_TRUE(w.open(t.path / "d.avi", 320, 240));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(w.addFrame(i == 1 ? even : odd));
    EXPECT_FALSE(w.addFrame({}));
    ASSERT_TRUE(w.finish(100));
    auto b = *readWholeFile(t.path / "d.avi");
    const size_t movi = 224 + (8 + 8) + (8 + 6) + (8 + 8); // header, three chunks
    ASSERT_EQ(b.size(), movi + 8 + 3 * 16);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(le32(b, 4), b.size() - 8);
    EXPECT_EQ(le32(b, 32), 33333u); // 100 ms over 3 frames
    EXPECT_EQ(le32(b, 48), 3u);
    EXPECT_EQ(le32(b, 64), 320u);
    EXPECT_EQ(le32(b, 68), 240u);
    EXPECT_EQ(std::string(b.begin() + 112, b.begin() + 116), "MJPG");
    EXPECT_EQ(le32(b, 128), 100u);  // scale
    EXPECT_EQ(le32(b, 132), 3000u); // rate: 30 frames per second
    EXPECT_EQ(le32(b, 140), 3u);
    EXPECT_EQ(le32(b, 216), movi - 220);
    EXPECT_EQ(std::string(b.begin() + 224, b.begin() + 228), "00dc");
    EXPECT_EQ(le32(b, 228), 7u);
    EXPECT_EQ(b[232 + 7], 0); // the pad byte
    EXPECT_EQ(std::string(b.begin() + movi, b.begin() + movi + 4), "idx1");
    // Index offsets count from the "movi" fourcc and name each chunk.
    EXPECT_EQ(le32(b, movi + 8 + 16 + 8), 4u + 16);
    EXPECT_EQ(le32(b, movi + 8 + 16 + 12), 6u);
    EXPECT_EQ(std::string(b.begin() + 220 + 20, b.begin() + 220 + 24), "00dc");
}
