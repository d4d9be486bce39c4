// QMediaPlayer + QVideoWidget behind the video step's player interface.
#include "media/QtVideoPlayer.h"

#include "display/QtPath.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>
#include <QWidget>

namespace pinstage {

namespace {
constexpr qint64 kNoPictureGraceMs = 3000;
}

QtVideoPlayer::QtVideoPlayer(QWidget* window) : player_(std::make_unique<QMediaPlayer>()) {
    widget_ = new QVideoWidget(window);
    widget_->hide();
    widget_->setEnabled(false);
    widget_->setAspectRatioMode(Qt::IgnoreAspectRatio); // stretched to its rectangle
    player_->setVideoOutput(widget_);
    // Without a sound device the videos play silent rather than fail.
    if (!QMediaDevices::defaultAudioOutput().isNull()) {
        audio_ = new QAudioOutput(player_.get());
        player_->setAudioOutput(audio_);
    }
    QObject::connect(widget_->videoSink(), &QVideoSink::videoFrameChanged, widget_,
                     [this](const QVideoFrame& f) {
                         if (frameSize_.isEmpty() && f.isValid())
                             frameSize_ = f.size();
                     });
    QObject::connect(player_.get(), &QMediaPlayer::errorOccurred, widget_,
                     [this](QMediaPlayer::Error e, const QString&) {
                         if (e != QMediaPlayer::NoError)
                             failed_ = true;
                     });
    QObject::connect(player_.get(), &QMediaPlayer::mediaStatusChanged, widget_,
                     [this](QMediaPlayer::MediaStatus s) {
                         if (s == QMediaPlayer::InvalidMedia)
                             failed_ = true;
                     });
}

QtVideoPlayer::~QtVideoPlayer() {
    // The widget may outlive the player (its parent owns it): no frame may reach it afterwards.
    player_->stop();
    player_->setVideoOutput(static_cast<QObject*>(nullptr));
}

void QtVideoPlayer::start(const std::filesystem::path& file) {
    failed_ = false;
    frameSize_ = QSize();
    widget_->hide();
    widget_->setEnabled(false);
    player_->setSource(QUrl::fromLocalFile(toQString(file)));
    player_->play();
    started_.start();
}

double QtVideoPlayer::durationSeconds() const {
    if (frameSize_.isEmpty() && !(started_.isValid() && started_.elapsed() > kNoPictureGraceMs))
        return 0;
    return double(player_->duration()) / 1000.0;
}

void QtVideoPlayer::place(int left, int top, int width, int height) {
    widget_->setGeometry(left, top, width, height);
    widget_->setEnabled(true);
    widget_->show();
    widget_->raise();
}

void QtVideoPlayer::stop() {
    player_->stop();
    widget_->hide();
    widget_->setEnabled(false);
}

} // namespace pinstage
