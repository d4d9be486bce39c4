#include "players/MjpegAviWriter.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace pinstage {

namespace {

// Byte offsets of the fields the end of the recording fills in.
constexpr uint32_t kRiffSize = 4;
constexpr uint32_t kAvihMicroSecPerFrame = 32;
constexpr uint32_t kAvihMaxBytesPerSec = 36;
constexpr uint32_t kAvihTotalFrames = 48;
constexpr uint32_t kAvihSuggestedBuffer = 60;
constexpr uint32_t kStrhScale = 128;
constexpr uint32_t kStrhRate = 132;
constexpr uint32_t kStrhLength = 140;
constexpr uint32_t kStrhSuggestedBuffer = 144;
constexpr uint32_t kMoviListSize = 216;
constexpr uint32_t kMoviFourcc = 220;
constexpr uint32_t kHeaderSize = 224;
// AVI 1.0 files stay below 1 GiB to be read everywhere; a longer recording is refused frame by frame.
constexpr uint64_t kMaxFileSize = 1u << 30;

// Appends little-endian fields to a buffer sized in advance (growth by push_back trips GCC 12's
// overflow warning here).
struct Bytes {
    std::vector<uint8_t> b;
    size_t at = 0;
    explicit Bytes(size_t size) : b(size, 0) {}
    void u8(uint8_t v) { b.at(at++) = v; }
};
void put16(Bytes& b, uint32_t v) {
    b.u8(uint8_t(v));
    b.u8(uint8_t(v >> 8));
}
void put32(Bytes& b, uint32_t v) {
    for (int k = 0; k < 4; ++k)
        b.u8(uint8_t(v >> (8 * k)));
}
void fourcc(Bytes& b, const char* f) {
    for (int k = 0; k < 4; ++k)
        b.u8(uint8_t(f[k]));
}
std::vector<uint8_t> le32(uint32_t v) {
    Bytes b(4);
    put32(b, v);
    return b.b;
}

std::vector<uint8_t> header(int w, int h) {
    Bytes b(kHeaderSize);
    fourcc(b, "RIFF");
    put32(b, 0);
    fourcc(b, "AVI ");
    fourcc(b, "LIST");
    put32(b, 192); // hdrl: 4 + avih (8 + 56) + strl list (8 + 116)
    fourcc(b, "hdrl");
    fourcc(b, "avih");
    put32(b, 56);
    put32(b, 33333); // microseconds per frame (filled in at the end)
    put32(b, 0);     // max bytes per second
    put32(b, 0);     // padding granularity
    put32(b, 0x10);  // AVIF_HASINDEX
    put32(b, 0);     // total frames
    put32(b, 0);     // initial frames
    put32(b, 1);     // streams
    put32(b, 0);     // suggested buffer size
    put32(b, uint32_t(w));
    put32(b, uint32_t(h));
    for (int k = 0; k < 4; ++k)
        put32(b, 0);
    fourcc(b, "LIST");
    put32(b, 116);
    fourcc(b, "strl");
    fourcc(b, "strh");
    put32(b, 56);
    fourcc(b, "vids");
    fourcc(b, "MJPG");
    put32(b, 0);          // flags
    put16(b, 0);          // priority
    put16(b, 0);          // language
    put32(b, 0);          // initial frames
    put32(b, 1);          // scale
    put32(b, 30);         // rate
    put32(b, 0);          // start
    put32(b, 0);          // length
    put32(b, 0);          // suggested buffer size
    put32(b, 0xFFFFFFFF); // quality: default
    put32(b, 0);          // sample size
    put16(b, 0);
    put16(b, 0);
    put16(b, uint32_t(w));
    put16(b, uint32_t(h));
    fourcc(b, "strf");
    put32(b, 40);
    put32(b, 40);
    put32(b, uint32_t(w));
    put32(b, uint32_t(h));
    put16(b, 1);
    put16(b, 24);
    fourcc(b, "MJPG");
    put32(b, uint32_t(w * h * 3));
    for (int k = 0; k < 4; ++k)
        put32(b, 0);
    fourcc(b, "LIST");
    put32(b, 4); // movi size (filled in at the end)
    fourcc(b, "movi");
    return b.b;
}

} // namespace

MjpegAviWriter::~MjpegAviWriter() {
    abandon();
}

bool MjpegAviWriter::open(const std::filesystem::path& path, int width, int height) {
    abandon();
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF || path.filename().empty())
        return false;
    path_ = path;
    tmp_ = path;
    tmp_ += ".part-" + std::to_string(::getpid());
    fd_ = ::open(tmp_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0)
        return false;
    width_ = width;
    height_ = height;
    failed_ = false;
    size_ = 0;
    largestFrame_ = 0;
    index_.clear();
    auto h = header(width, height);
    if (h.size() != kHeaderSize || !append(h)) {
        abandon();
        return false;
    }
    return true;
}

bool MjpegAviWriter::append(std::span<const uint8_t> bytes) {
    if (!writeAt(size_, bytes))
        return false;
    size_ += bytes.size();
    return true;
}

bool MjpegAviWriter::writeAt(uint64_t at, std::span<const uint8_t> bytes) {
    if (fd_ < 0 || failed_)
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, off_t(at + done));
        if (n <= 0) {
            failed_ = true;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

bool MjpegAviWriter::addFrame(std::span<const uint8_t> jpeg) {
    if (fd_ < 0 || failed_ || jpeg.size() < 4 || jpeg.size() > 0x7FFFFFFF)
        return false;
    const uint64_t padded = jpeg.size() + (jpeg.size() & 1);
    if (size_ + 8 + padded + 16 * (index_.size() + 1) + 8 > kMaxFileSize)
        return false;
    Bytes chunk(8 + padded);
    fourcc(chunk, "00dc");
    put32(chunk, uint32_t(jpeg.size()));
    std::copy(jpeg.begin(), jpeg.end(), chunk.b.begin() + 8);
    const uint32_t offset = uint32_t(size_ - kMoviFourcc); // from the "movi" fourcc
    if (!append(chunk.b))
        return false;
    index_.push_back({offset, uint32_t(jpeg.size())});
    largestFrame_ = std::max(largestFrame_, uint32_t(jpeg.size()));
    return true;
}

bool MjpegAviWriter::finish(uint32_t durationMs) {
    if (fd_ < 0)
        return false;
    const uint32_t frames = frameCount();
    if (frames == 0 || failed_) {
        abandon();
        return false;
    }
    const uint32_t moviSize = uint32_t(size_ - kMoviFourcc);
    Bytes idx(8 + 16 * size_t(frames));
    fourcc(idx, "idx1");
    put32(idx, 16 * frames);
    for (const auto& e : index_) {
        fourcc(idx, "00dc");
        put32(idx, 0x10); // key frame
        put32(idx, e.offset);
        put32(idx, e.size);
    }
    // The frames are shown at the pace they were taken: frames over the recording's duration.
    const uint64_t durationUs = std::max<uint64_t>(uint64_t(durationMs) * 1000, 1000);
    const uint32_t usPerFrame = uint32_t(std::max<uint64_t>(durationUs / frames, 1));
    const uint32_t scale = uint32_t(std::max<uint64_t>(durationMs, 1));
    const uint32_t rate = frames * 1000;
    const uint32_t bytesPerSec = uint32_t(uint64_t(moviSize) * 1000000 / durationUs);
    bool ok = append(idx.b) && writeAt(kRiffSize, le32(uint32_t(size_ - 8))) &&
              writeAt(kAvihMicroSecPerFrame, le32(usPerFrame)) &&
              writeAt(kAvihMaxBytesPerSec, le32(bytesPerSec)) && writeAt(kAvihTotalFrames, le32(frames)) &&
              writeAt(kAvihSuggestedBuffer, le32(largestFrame_ + 8)) && writeAt(kStrhScale, le32(scale)) &&
              writeAt(kStrhRate, le32(rate)) && writeAt(kStrhLength, le32(frames)) &&
              writeAt(kStrhSuggestedBuffer, le32(largestFrame_ + 8)) &&
              writeAt(kMoviListSize, le32(moviSize));
    ok = ok && ::fsync(fd_) == 0;
    ok = (::close(fd_) == 0) && ok;
    fd_ = -1;
    if (ok && std::rename(tmp_.c_str(), path_.c_str()) != 0)
        ok = false;
    if (!ok) {
        ::unlink(tmp_.c_str());
        return false;
    }
    int dfd = ::open(path_.parent_path().empty() ? "." : path_.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    index_.clear();
    return true;
}

void MjpegAviWriter::abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(tmp_.c_str());
    }
    fd_ = -1;
    index_.clear();
}

} // namespace pinstage
