// Video series, header-based provisional end, measurement and placement of the player.
#include "media/VideoSequence.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <system_error>

namespace pinstage {

namespace fs = std::filesystem;

std::string videoFileName(unsigned number) {
    return "VideoPub" + std::to_string(number) + ".avi";
}

std::optional<VideoPlacement> placeVideo(int32_t screenWidth, int32_t screenHeight, float sourceWidth,
                                         float sourceHeight) {
    if (!std::isfinite(sourceWidth) || !std::isfinite(sourceHeight) || sourceWidth <= 0 || sourceHeight <= 0)
        return std::nullopt;
    const float ratio = float(screenHeight) / sourceHeight;
    const float s = float(double(ratio) - 0.2);
    if (!(s > 0))
        return std::nullopt;
    const double h = double(sourceHeight) * double(s);
    const double w = double(sourceWidth) * double(s);
    if (h > double(INT32_MAX) || w > double(INT32_MAX))
        return std::nullopt;
    VideoPlacement p;
    p.height = int32_t(h);
    p.width = int32_t(w);
    p.left = screenWidth / 2 - p.width / 2;
    p.top = screenHeight / 2 - p.height / 2;
    return p;
}

VideoSequence::VideoSequence(fs::path videoDir, int32_t screenWidth, int32_t screenHeight,
                             VideoPlayer& player, MediaJournal journal)
    : dir_(std::move(videoDir)), screenWidth_(screenWidth), screenHeight_(screenHeight), player_(player),
      journal_(std::move(journal)) {}

uint32_t VideoSequence::VideoSuivante(uint32_t now) {
    std::error_code ec;
    std::string name = videoFileName(counter_);
    if (!fs::is_regular_file(dir_ / name, ec)) {
        counter_ = 0;
        name = videoFileName(0);
        if (!fs::is_regular_file(dir_ / name, ec)) {
            chosen_ = false;
            journal_(now, "media video none");
            return now;
        }
    }
    LireEnteteAvi(dir_ / name, info_); // a false answer keeps the previous values
    info_.fileName = name;
    chosen_ = true;
    ++counter_;
    journal_(now, "media video " + name + " header " + std::to_string(info_.durationMs) + " ms");
    return now + info_.durationMs + kVideoEndMargin;
}

void VideoSequence::DemarrerVideo(uint32_t) {
    if (!chosen_)
        return;
    playing_ = true;
    measured_ = false;
    placement_.reset();
    player_.start(dir_ / info_.fileName);
}

std::optional<uint32_t> VideoSequence::MesurerVideo(uint32_t now) {
    if (!playing_ || measured_)
        return std::nullopt;
    if (player_.failed()) {
        // Nothing will play: end the step instead of waiting out the header's duration.
        measured_ = true;
        journal_(now, "media video " + info_.fileName + " failed");
        return now;
    }
    const double d = player_.durationSeconds();
    if (!(d > 0))
        return std::nullopt;
    const double ms = std::min(d * 1000.0, double(kMaxHeaderDurationMs));
    const uint32_t length = uint32_t(ms);
    measured_ = true;
    placement_ = placeVideo(screenWidth_, screenHeight_, player_.sourceWidth(), player_.sourceHeight());
    // A source size the player does not give fills the screen rather than leaving it unshown.
    const VideoPlacement p = placement_.value_or(VideoPlacement{0, 0, screenWidth_, screenHeight_});
    player_.place(p.left, p.top, p.width, p.height);
    journal_(now, "media video measured " + std::to_string(length) + " ms at " + std::to_string(p.left) +
                      "," + std::to_string(p.top) + " " + std::to_string(p.width) + "x" +
                      std::to_string(p.height));
    return now + length;
}

void VideoSequence::stop(uint32_t now) {
    if (!playing_)
        return;
    player_.stop();
    playing_ = false;
    journal_(now, "media video end");
}

} // namespace pinstage
