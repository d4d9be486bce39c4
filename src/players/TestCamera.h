// The built-in test camera: moving synthetic frames (colour bars, a disc crossing the picture, the
// time) at 30 frames per second, recorded as Motion-JPEG AVI by our own writer, since the system
// recorder of this Qt only records real inputs.
#pragma once

#include "platform/Clock.h"
#include "players/CameraDevice.h"
#include "players/MjpegAviWriter.h"

#include <QTimer>

namespace pinstage {

class TestCamera final : public CameraDevice {
    Q_OBJECT
public:
    // With timed false no timer runs: whoever owns the camera calls produceFrame (tests).
    TestCamera(const Clock& clock, QString label, bool timed = true, QObject* parent = nullptr);
    ~TestCamera() override;

    bool start() override;
    void stop() override;
    bool isActive() const override { return active_; }

    QStringList formats() const override;
    int currentFormat() const override { return 0; }
    bool chooseFormat(int index) override { return index == 0; }
    void preferFrameSize(QSize) override {}

    QStringList codecs() const override;
    int currentCodec() const override { return 0; }
    bool chooseCodec(int index) override { return index == 0; }

    RecordingPlan planRecording(const std::filesystem::path& path) const override;
    bool startRecording(const RecordingPlan& plan, QString* reason) override;
    void stopRecording() override;
    bool isRecording() const override { return writer_.isOpen(); }

    // Draws the frame of the clock's present time and delivers it (and records it).
    void produceFrame();
    // The picture of time ms, as produceFrame draws it.
    QImage frameAt(uint32_t ms) const;

    static constexpr int kFrameIntervalMs = 33;

private:
    const Clock& clock_;
    QString label_;
    QTimer timer_;
    bool active_ = false;
    uint32_t frameNumber_ = 0;
    MjpegAviWriter writer_;
    uint32_t recordStart_ = 0;
};

// The test camera's entry in the driver list: "Caméra de test, pinstage".
CameraEntry testCameraEntry(const Clock& clock);

} // namespace pinstage
