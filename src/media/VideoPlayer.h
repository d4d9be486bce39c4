// What the video step needs of a media player: start a file hidden, report the length and the
// source size once known (or a failure to load), be placed and shown, and stop.
#pragma once

#include <filesystem>

namespace pinstage {

class VideoPlayer {
public:
    virtual ~VideoPlayer() = default;
    // Starts playing the file, hidden and disabled.
    virtual void start(const std::filesystem::path& file) = 0;
    // The media's length in seconds; 0 while not known.
    virtual double durationSeconds() const = 0;
    // The source picture's size in pixels; 0 while not known.
    virtual float sourceWidth() const = 0;
    virtual float sourceHeight() const = 0;
    // True once the player has given up on the file (unknown format, corrupt or missing file).
    virtual bool failed() const = 0;
    // Stretched to fit this screen rectangle and made visible.
    virtual void place(int left, int top, int width, int height) = 0;
    // Hidden, disabled, playback stopped.
    virtual void stop() = 0;
};

} // namespace pinstage
