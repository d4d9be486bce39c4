// The program's one webcam: the TWebCam kept for the whole run and its capture form, created when
// a part of the program needs the picture and freed when another needs the screen. Other parts
// ask it for the driver index and whether the capture window is on screen.
#pragma once

#include "platform/Clock.h"
#include "platform/DataRoot.h"
#include "players/Capture_window.h"
#include "players/TWebCam.h"

#include <memory>

namespace pinstage {

// The inputs the program lists: the system's video inputs, then the built-in test camera when
// asked for (--camera test) or when a simulated machine (--simulate) has no video input.
CameraCatalogue programCameraCatalogue(const Clock& clock, bool testCamera, bool simulate);

class WebcamStation {
public:
    WebcamStation(CameraCatalogue catalogue, const Clock& clock, const DataRoot& root,
                  CaptureDialogs dialogs = standardCaptureDialogs());
    ~WebcamStation();
    WebcamStation(const WebcamStation&) = delete;
    WebcamStation& operator=(const WebcamStation&) = delete;

    TWebCam& webcam() { return *webcam_; }
    // The capture form when it exists.
    TFenetre_capture* captureForm() const { return form_.get(); }
    // Creates the form when missing (drivers listed, the first connected) and answers it.
    TFenetre_capture& openCaptureForm();
    // Frees the form; the driver index is -1 until the form is created again.
    void freeCaptureForm();

    // -1 while no camera is connected (no form, or no driver).
    int driverIndex() const { return form_ ? webcam_->driverIndex() : -1; }
    bool captureVisible() const { return form_ && form_->isVisible(); }

private:
    std::unique_ptr<TWebCam> webcam_;
    std::filesystem::path videoDir_;
    CaptureDialogs dialogs_;
    std::unique_ptr<TFenetre_capture> form_;
};

} // namespace pinstage
