// The video player of the attract sequence on Qt Multimedia: a QMediaPlayer drawing into a
// QVideoWidget child of the backglass window, hidden and disabled until placed.
#pragma once

#include "media/VideoPlayer.h"

#include <QElapsedTimer>
#include <QMediaPlayer>
#include <QSize>

#include <memory>

class QAudioOutput;
class QVideoWidget;
class QWidget;

namespace pinstage {

class QtVideoPlayer final : public VideoPlayer {
public:
    // The video widget is made a child of window (not owned here; Qt's parent owns it).
    explicit QtVideoPlayer(QWidget* window);
    ~QtVideoPlayer() override;
    QtVideoPlayer(const QtVideoPlayer&) = delete;
    QtVideoPlayer& operator=(const QtVideoPlayer&) = delete;

    void start(const std::filesystem::path& file) override;
    // The length once the first frame has given the picture size (the demuxer may not tell it),
    // or 3 s after the start for a media without pictures.
    double durationSeconds() const override;
    float sourceWidth() const override { return frameSize_.isValid() ? float(frameSize_.width()) : 0.0f; }
    float sourceHeight() const override { return frameSize_.isValid() ? float(frameSize_.height()) : 0.0f; }
    bool failed() const override { return failed_; }
    void place(int left, int top, int width, int height) override;
    void stop() override;

    QVideoWidget* widget() const { return widget_; }
    QMediaPlayer& player() { return *player_; }

private:
    std::unique_ptr<QMediaPlayer> player_;
    QAudioOutput* audio_ = nullptr; // child of the player, when the machine has a sound output
    QVideoWidget* widget_ = nullptr;
    QSize frameSize_;
    bool failed_ = false;
    QElapsedTimer started_;
};

} // namespace pinstage
