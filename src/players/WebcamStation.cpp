#include "players/WebcamStation.h"

#include "players/QtCamera.h"
#include "players/TestCamera.h"

namespace pinstage {

CameraCatalogue programCameraCatalogue(const Clock& clock, bool testCamera, bool simulate) {
    return [&clock, testCamera, simulate] {
        std::vector<CameraEntry> list = systemCameraEntries();
        if (testCamera || (simulate && list.empty()))
            list.push_back(testCameraEntry(clock));
        return list;
    };
}

WebcamStation::WebcamStation(CameraCatalogue catalogue, const Clock& clock, const DataRoot& root,
                             CaptureDialogs dialogs)
    : webcam_(std::make_unique<TWebCam>(std::move(catalogue), clock, root.dir(DataDir::Photos))),
      videoDir_(root.root()), dialogs_(std::move(dialogs)) {}

WebcamStation::~WebcamStation() {
    freeCaptureForm();
}

TFenetre_capture& WebcamStation::openCaptureForm() {
    if (!form_)
        form_ = std::make_unique<TFenetre_capture>(*webcam_, videoDir_, dialogs_);
    return *form_;
}

void WebcamStation::freeCaptureForm() {
    form_.reset();
}

} // namespace pinstage
