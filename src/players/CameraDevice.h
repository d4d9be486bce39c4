// The camera behind TWebCam: one opened video input that delivers frames, offers its formats and
// records. The system's inputs (Qt Multimedia) and the built-in test camera both implement it, so
// the capture form and the contest never depend on a device.
#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace pinstage {

// How a recording will be written: the file actually made (its extension follows the container)
// and, when that is not the AVI asked for, the operator's explanation.
struct RecordingPlan {
    std::filesystem::path file;
    QString container; // "AVI", "Matroska"...
    QString note;      // empty when the file is the one asked for
};

class CameraDevice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~CameraDevice() override = default;

    // Starts delivering frames; false when the input cannot be opened.
    virtual bool start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

    // The formats the input offers, as shown to the operator, and the one in use.
    virtual QStringList formats() const = 0;
    virtual int currentFormat() const = 0;
    virtual bool chooseFormat(int index) = 0;
    // The offered format nearest to the given frame size becomes the one in use.
    virtual void preferFrameSize(QSize size) = 0;

    // The recorder's containers and codecs, as shown to the operator, and the one in use.
    virtual QStringList codecs() const = 0;
    virtual int currentCodec() const = 0;
    virtual bool chooseCodec(int index) = 0;

    // Where a recording asked for at path will land.
    virtual RecordingPlan planRecording(const std::filesystem::path& path) const = 0;
    // Starts recording to plan.file; false with a French reason when it cannot start.
    virtual bool startRecording(const RecordingPlan& plan, QString* reason) = 0;
    // Ends the recording; recordingFinished follows (at once or when the recorder has finished).
    virtual void stopRecording() = 0;
    virtual bool isRecording() const = 0;

signals:
    void frameReady(const QImage& frame);
    // ok only when the file exists complete on disk; message says what happened, in French.
    void recordingFinished(bool ok, const QString& file, const QString& message);
};

// One input the system offers: how it is listed and how it is opened.
struct CameraEntry {
    QString name;
    QString version;
    std::function<std::unique_ptr<CameraDevice>()> open;
};

// The inputs present now, in the system's order; asked each time the drivers are listed.
using CameraCatalogue = std::function<std::vector<CameraEntry>()>;

} // namespace pinstage
