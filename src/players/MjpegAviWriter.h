// A Motion-JPEG AVI file written frame by frame: the frames go to a temporary file beside the
// target, the headers get the true frame count and duration at the end, and only a complete file
// is renamed to its name. Used where the system recorder cannot take our frames.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace pinstage {

class MjpegAviWriter {
public:
    MjpegAviWriter() = default;
    ~MjpegAviWriter();
    MjpegAviWriter(const MjpegAviWriter&) = delete;
    MjpegAviWriter& operator=(const MjpegAviWriter&) = delete;

    // Starts a file of width x height frames. False when the temporary file cannot be made.
    bool open(const std::filesystem::path& path, int width, int height);
    bool isOpen() const { return fd_ >= 0; }
    // One JPEG picture as the next frame. False once a write has failed.
    bool addFrame(std::span<const uint8_t> jpeg);
    // Completes the headers and the index with the recording's duration, flushes and renames.
    // False (and no file at the target) on any failure or without a frame.
    bool finish(uint32_t durationMs);
    // Drops the recording: the temporary file goes, the target is untouched.
    void abandon();

    uint32_t frameCount() const { return uint32_t(index_.size()); }
    const std::filesystem::path& target() const { return path_; }

private:
    bool writeAt(uint64_t at, std::span<const uint8_t> bytes);
    bool append(std::span<const uint8_t> bytes);

    struct IndexEntry {
        uint32_t offset;
        uint32_t size;
    };
    int fd_ = -1;
    bool failed_ = false;
    std::filesystem::path path_;
    std::filesystem::path tmp_;
    int width_ = 0;
    int height_ = 0;
    uint64_t size_ = 0;
    uint32_t largestFrame_ = 0;
    std::vector<IndexEntry> index_;
};

} // namespace pinstage
