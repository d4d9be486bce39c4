// The webcam: one capture window (the live picture, 320 x 240) inside a parent window, the list of
// capture drivers, the connected camera, photos saved as 24-bit BMP inside the photo directory,
// the clipboard, and recordings with a time limit. Every operation answers 0 and does nothing
// while no capture window exists.
#pragma once

#include "platform/Clock.h"
#include "players/CameraDevice.h"
#include "players/CameraDrivers.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace pinstage {

// The capture window: paints the last frame taken while the preview is on.
class CaptureView final : public QWidget {
    Q_OBJECT
public:
    explicit CaptureView(QWidget* parent);
    void show(const QImage& frame);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage frame_;
};

// Asks the operator to pick one of several texts; answers its index, or -1 when cancelled.
using ChoiceDialog =
    std::function<int(QWidget* parent, const QString& title, const QStringList& items, int current)>;
ChoiceDialog standardChoiceDialog();

class TWebCam final : public QObject {
    Q_OBJECT
public:
    TWebCam(CameraCatalogue catalogue, const Clock& clock, std::filesystem::path photoDir,
            QObject* parent = nullptr);
    ~TWebCam() override;

    // Creates the capture window ("Fenêtre de capture en cours") in the parent window; the list of
    // drivers starts empty and no driver is connected.
    void attach(QWidget* parentWindow);
    // The parent window goes: the preview stops, the camera is released, the list is emptied.
    void detach();
    QWidget* captureWindow() const { return view_; }

    int ListerPeripheriques();
    const std::vector<CameraDriverEntry>& drivers() const { return drivers_; }
    // Connects listed driver index; 1 on success, 0 with the previous driver kept on failure.
    int Connecter(int index);
    int driverIndex() const { return connection_.driverIndex; }
    const CameraConnection& connection() const { return connection_; }

    int FormatVideo();
    int Apercu(bool on);
    bool previewing() const { return preview_; }
    int DialogueSource();
    int DialogueCompression();

    // Saves the current frame as a 320 x 240, 24-bit BMP (through a temporary file and a rename)
    // at a path inside the photo directory. Answers an empty text, or the French reason it failed.
    QString EnregistrerImage(const std::filesystem::path& path);
    int Copier();
    // The current frame into picture, without going through (and emptying) the clipboard.
    int CopierVersImage(QImage& picture);

    int FichierCapture(const std::filesystem::path& path);
    // Starts a recording to the capture file, stopped after recordingTimeLimit seconds (0: at
    // Arreter). 1 when it started; recordingNote() then says where it goes when that is not the
    // file asked for, lastError() why it did not start otherwise. recordingEnded follows.
    int Enregistrer();
    int Arreter();
    bool recording() const { return recording_; }
    int recordingTimeLimit = 0;
    const QString& recordingNote() const { return note_; }
    const QString& lastError() const { return error_; }

    QImage currentFrame() const { return frame_; }
    // Clock time of the last frame the camera delivered.
    uint32_t lastFrameTime() const { return lastFrameTime_; }
    CameraDevice* device() const { return device_.get(); }
    const std::filesystem::path& photoDirectory() const { return photoDir_; }

    // The dialogs of DialogueSource and DialogueCompression (tests give their own).
    ChoiceDialog choose = standardChoiceDialog();

signals:
    // Each frame delivered, with the parameters 10 and 30 the parent window receives.
    void frameArrived(int a, int b);
    void recordingEnded(bool ok, const QString& file, const QString& message);

private:
    void frameFromCamera(const QImage& frame);
    void releaseDevice();
    void recordingFinished(bool ok, const QString& file, const QString& message);

    CameraCatalogue catalogue_;
    const Clock& clock_;
    std::filesystem::path photoDir_;
    QPointer<QWidget> parentWindow_;
    QPointer<CaptureView> view_;
    std::vector<CameraEntry> entries_;
    std::vector<CameraDriverEntry> drivers_;
    CameraConnection connection_;
    std::unique_ptr<CameraDevice> device_;
    bool preview_ = false;
    QImage frame_;
    uint32_t lastFrameTime_ = 0;
    std::filesystem::path captureFile_;
    bool recording_ = false;
    uint32_t recordingStart_ = 0;
    QTimer limitTimer_;
    QString note_;
    QString error_;
};

} // namespace pinstage
