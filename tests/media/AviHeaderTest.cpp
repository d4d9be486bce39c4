// The AVI header reader on a file from the Motion-JPEG writer, on hand-made headers, and on short
// and hostile ones.
#include "media/AviHeader.h"
#include "players/MjpegAviWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <unistd.h>

namespace pinstage {
namespace {

namespace fs = std::filesystem;

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k)
        b[at + size_t(k)] = uint8_t(v >> (8 * k));
}
void tag(std::vector<uint8_t>& b, size_t at, const char* t) {
    std::memcpy(b.data() + at, t, 4);
}

// A well-formed header of `size` bytes: RIFF over the whole file, hdrl list, 56-byte avih.
std::vector<uint8_t> header(uint32_t usPerFrame, uint32_t frames, uint32_t w, uint32_t h, size_t size = 256) {
    std::vector<uint8_t> b(size, 0);
    tag(b, 0, "RIFF");
    put32(b, 4, uint32_t(size - 8));
    tag(b, 8, "AVI ");
    tag(b, 12, "LIST");
    put32(b, 16, 4 + 8 + 56);
    tag(b, 20, "hdrl");
    tag(b, 24, "avih");
    put32(b, 28, 56);
    put32(b, 32, usPerFrame);
    put32(b, 48, frames);
    put32(b, 64, w);
    put32(b, 68, h);
    return b;
}

class AviHeaderTest : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("pinstage-avi-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    fs::path write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return dir / name;
    }
};

TEST_F(AviHeaderTest, ReadsTheWritersFileAndHandMadeHeaders) {
    MjpegAviWriter writer;
    ASSERT_TRUE(writer.open(dir / "clip.avi", 320, 240));
    const std::vector<uint8_t> frame = {0xFF, 0xD8, 0xFF, 0xD9};
    for (int k = 0; k < 25; ++k)
        ASSERT_TRUE(writer.addFrame(frame));
    ASSERT_TRUE(writer.finish(5000));

    VideoInfo info;
    ASSERT_TRUE(LireEnteteAvi(dir / "clip.avi", info));
    EXPECT_EQ(info.microSecPerFrame, 200000u);
    EXPECT_EQ(info.totalFrames, 25u);
    EXPECT_EQ(info.width, 320u);
    EXPECT_EQ(info.height, 240u);
    EXPECT_EQ(info.durationMs, 5000u);

    // 33 333 us x 901 frames = 30 033.033 ms, the division dropping the fraction.
    ASSERT_TRUE(LireEnteteAvi(write("a.avi", header(33333, 901, 640, 480)), info));
    EXPECT_EQ(info.durationMs, 30033u);
    EXPECT_EQ(info.width, 640u);
    EXPECT_EQ(info.height, 480u);

    // A product beyond 32 bits is computed whole, then cut to the longest accepted duration.
    ASSERT_TRUE(LireEnteteAvi(write("long.avi", header(0xFFFFFFFF, 0xFFFFFFFF, 1, 1)), info));
    EXPECT_EQ(info.durationMs, kMaxHeaderDurationMs);
}

TEST_F(AviHeaderTest, ShortOrHostileHeadersAnswerFalseAndKeepThePreviousValues) {
    VideoInfo info;
    ASSERT_TRUE(parseAviHeader(header(40000, 250, 640, 480), 256, info));
    const VideoInfo before = info;
    EXPECT_EQ(before.durationMs, 10000u);

    std::vector<std::pair<std::string, std::vector<uint8_t>>> bad;
    bad.emplace_back("empty", std::vector<uint8_t>{});
    auto b = header(1, 1, 1, 1);
    b.resize(71);
    bad.emplace_back("cut before the height", b);
    b = header(1, 1, 1, 1);
    tag(b, 0, "RIFX");
    bad.emplace_back("not RIFF", b);
    b = header(1, 1, 1, 1);
    tag(b, 8, "WAVE");
    bad.emplace_back("not AVI", b);
    b = header(1, 1, 1, 1);
    put32(b, 4, 0xFFFFFFF0);
    bad.emplace_back("RIFF longer than the file", b);
    b = header(1, 1, 1, 1);
    put32(b, 4, 20);
    bad.emplace_back("RIFF ending before the header", b);
    b = header(1, 1, 1, 1);
    tag(b, 24, "strh");
    bad.emplace_back("no main header", b);
    b = header(1, 1, 1, 1);
    put32(b, 16, 0xFFFFFFFF);
    bad.emplace_back("list beyond the RIFF chunk", b);
    b = header(1, 1, 1, 1);
    put32(b, 28, 8);
    bad.emplace_back("main header too short for its fields", b);
    b = header(1, 1, 1, 1);
    put32(b, 28, 0xFFFFFFF8);
    bad.emplace_back("main header beyond its list", b);

    for (const auto& [what, bytes] : bad) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(parseAviHeader(bytes, bytes.size(), info));
        EXPECT_FALSE(LireEnteteAvi(write("bad.avi", bytes), info));
        EXPECT_EQ(info.durationMs, before.durationMs);
        EXPECT_EQ(info.totalFrames, before.totalFrames);
    }
    // A prefix that claims more file than there is, and a missing file or a directory.
    EXPECT_FALSE(parseAviHeader(header(1, 1, 1, 1), 100, info));
    EXPECT_FALSE(LireEnteteAvi(dir / "missing.avi", info));
    EXPECT_FALSE(LireEnteteAvi(dir, info));
    EXPECT_EQ(info.durationMs, before.durationMs);
}

} // namespace
} // namespace pinstage
