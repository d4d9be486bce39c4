// The system's video inputs through Qt Multimedia: a QCamera in a capture session whose frames come
// out of a QVideoSink, recorded by a QMediaRecorder in AVI when the system can, in the container it
// offers otherwise.
#pragma once

#include "players/CameraDevice.h"

#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QMediaFormat>
#include <QMediaRecorder>
#include <QVideoSink>

namespace pinstage {

class QtCamera final : public CameraDevice {
    Q_OBJECT
public:
    explicit QtCamera(const QCameraDevice& device, QObject* parent = nullptr);

    bool start() override;
    void stop() override;
    bool isActive() const override { return camera_.isActive(); }

    QStringList formats() const override;
    int currentFormat() const override;
    bool chooseFormat(int index) override;
    void preferFrameSize(QSize size) override;

    QStringList codecs() const override;
    int currentCodec() const override { return codec_; }
    bool chooseCodec(int index) override;

    RecordingPlan planRecording(const std::filesystem::path& path) const override;
    bool startRecording(const RecordingPlan& plan, QString* reason) override;
    void stopRecording() override;
    bool isRecording() const override { return recorder_.recorderState() != QMediaRecorder::StoppedState; }

private:
    void recorderStateChanged(QMediaRecorder::RecorderState state);

    struct Encoding {
        QMediaFormat::FileFormat container;
        QMediaFormat::VideoCodec codec;
    };
    QCameraDevice device_;
    QCamera camera_;
    QMediaCaptureSession session_;
    QVideoSink sink_;
    QMediaRecorder recorder_;
    std::vector<Encoding> encodings_;
    int codec_ = -1;
    QString recordingFile_;
    bool recordingStarted_ = false;
};

// Each video input of the system, listed as "description, id" (the inputs have no version).
std::vector<CameraEntry> systemCameraEntries();

} // namespace pinstage
