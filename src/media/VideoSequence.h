// The video step of the attract sequence: the series VideoPub0.avi, VideoPub1.avi..., the
// provisional end from the file's header, the player started hidden, measured and placed at the
// centre of the screen at nearly its height, and stopped at the end of the step.
#pragma once

#include "media/AviHeader.h"
#include "media/MediaJournal.h"
#include "media/VideoPlayer.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace pinstage {

// Added to the header's duration for the step's provisional end.
constexpr uint32_t kVideoEndMargin = 10000;

struct VideoPlacement {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const VideoPlacement&) const = default;
};

// Scale s = screen height / H0 - 0.2, held as a 32-bit float after each operation; sizes
// truncated, centred with integer halves. nullopt for a source size that is not a positive number
// or a scale that is not positive.
std::optional<VideoPlacement> placeVideo(int32_t screenWidth, int32_t screenHeight, float sourceWidth,
                                         float sourceHeight);

// "VideoPub.avi" with the number before the extension.
std::string videoFileName(unsigned number);

class VideoSequence {
public:
    VideoSequence(std::filesystem::path videoDir, int32_t screenWidth, int32_t screenHeight,
                  VideoPlayer& player, MediaJournal journal = {});

    // Chooses the next file and returns the step's end: now + header duration + 10 s. When not even
    // VideoPub0.avi exists, nothing is chosen and the step ends now.
    uint32_t VideoSuivante(uint32_t now);
    // Starts the player on the chosen file (nothing when none was chosen).
    void DemarrerVideo(uint32_t now);
    // Once the player knows the length: the step's real end (now + length), the player placed and
    // shown. A player that failed on the file ends the step now. nullopt while nothing is known.
    std::optional<uint32_t> MesurerVideo(uint32_t now);
    // The end of the step: the player hidden and stopped when a video plays.
    void stop(uint32_t now);

    bool playing() const { return playing_; }
    bool measured() const { return measured_; }
    bool chosen() const { return chosen_; }
    const VideoInfo& info() const { return info_; }
    uint8_t counter() const { return counter_; }
    const std::optional<VideoPlacement>& placement() const { return placement_; }

private:
    std::filesystem::path dir_;
    int32_t screenWidth_;
    int32_t screenHeight_;
    VideoPlayer& player_;
    MediaJournal journal_;
    VideoInfo info_;
    uint8_t counter_ = 0;
    bool chosen_ = false;
    bool playing_ = false;
    bool measured_ = false;
    std::optional<VideoPlacement> placement_;
};

} // namespace pinstage
