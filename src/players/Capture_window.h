// The capture form: a borderless window "Lumiscope vidéo" holding the webcam's capture window, a
// hidden picture (Image1) and the operator's menu (photo, preview picture, recording, clipboard,
// format, driver and compression), with one checked entry per capture driver.
#pragma once

#include "players/TWebCam.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <vector>

namespace pinstage {

// The file dialogs and message boxes of the form (tests give their own).
struct CaptureDialogs {
    // A photo file name, proposed in the photo directory; empty when cancelled.
    std::function<QString(QWidget*, const QString& photoDir)> photoFile;
    // A video file name ("Sélection du fichier de capture vidéo"); empty when cancelled.
    std::function<QString(QWidget*, const QString& startDir)> videoFile;
    std::function<void(QWidget*, const QString&)> inform;
    std::function<void(QWidget*, const QString&)> warn;
};
CaptureDialogs standardCaptureDialogs();

// What VideoRecord started: the file the recording goes to, and the operator's message.
struct VideoRecordStart {
    bool started = false;
    QString file;
    QString message;
};

class TFenetre_capture final : public QMainWindow {
    Q_OBJECT
public:
    // videoDir is where VideoRecord writes "Videotest.avi".
    TFenetre_capture(TWebCam& webcam, std::filesystem::path videoDir, CaptureDialogs dialogs,
                     QWidget* parent = nullptr);
    ~TFenetre_capture() override;

    TWebCam& webcam() { return webcam_; }
    QLabel* Image1() const { return image1_; }
    // The driver entries of "Paramètres Web Cam", in list order (their data is the driver index).
    const std::vector<QAction*>& driverEntries() const { return driverEntries_; }

    // Preview off, the current frame saved at path, preview on. Empty text, or the French reason.
    QString UnePhoto(const std::filesystem::path& path);
    // "Videotest.avi", 4 s, stops by itself; recordingEnded of the webcam says how it ended.
    VideoRecordStart VideoRecord();

    void Prendre_Une_PhotoClick();
    void QuitterClick();
    void VisualisationClick();
    void Demarre_CaptureClick();
    void Arret_CaptureClick();
    void Copier_Clip_BoardClick();
    void Choix_format_videoClick();
    void Choix_Peripherique_de_captureClick();
    void CompressionClick();
    void FormResize();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void driverEntryClicked(QAction* entry);
    void checkConnectedDriver();

    TWebCam& webcam_;
    std::filesystem::path videoDir_;
    CaptureDialogs dialogs_;
    QLabel* image1_ = nullptr;
    QMenu* webcamMenu_ = nullptr;
    std::vector<QAction*> driverEntries_;
    bool menuRecording_ = false;
};

} // namespace pinstage
