#include "players/TWebCam.h"

#include "display/QtPath.h"
#include "players/BmpFile.h"
#include "players/PhotoPath.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputDialog>
#include <QPainter>

namespace pinstage {

namespace {
constexpr int kPreviewWidth = 320;
constexpr int kPreviewHeight = 240;
} // namespace

CaptureView::CaptureView(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Fenêtre de capture en cours"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CaptureView::show(const QImage& frame) {
    frame_ = frame;
    update();
}

void CaptureView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (frame_.isNull())
        p.fillRect(rect(), Qt::black);
    else
        p.drawImage(rect(), frame_);
}

ChoiceDialog standardChoiceDialog() {
    return [](QWidget* parent, const QString& title, const QStringList& items, int current) {
        if (items.isEmpty())
            return -1;
        bool ok = false;
        QString picked = QInputDialog::getItem(parent, title, title, items, qMax(current, 0), false, &ok);
        return ok ? int(items.indexOf(picked)) : -1;
    };
}

TWebCam::TWebCam(CameraCatalogue catalogue, const Clock& clock, std::filesystem::path photoDir,
                 QObject* parent)
    : QObject(parent), catalogue_(std::move(catalogue)), clock_(clock), photoDir_(std::move(photoDir)) {
    limitTimer_.setSingleShot(true);
    connect(&limitTimer_, &QTimer::timeout, this, [this] { Arreter(); });
}

TWebCam::~TWebCam() {
    releaseDevice();
}

void TWebCam::attach(QWidget* parentWindow) {
    detach();
    parentWindow_ = parentWindow;
    view_ = new CaptureView(parentWindow);
    view_->resize(0, 0);
    view_->setVisible(true);
}

void TWebCam::detach() {
    releaseDevice();
    drivers_.clear();
    entries_.clear();
    delete view_.data();
    view_ = nullptr;
    parentWindow_ = nullptr;
}

void TWebCam::releaseDevice() {
    preview_ = false;
    if (device_) {
        if (device_->isRecording())
            device_->stopRecording();
        device_->disconnect(this);
        device_->stop();
        device_.reset();
    }
    recording_ = false;
    limitTimer_.stop();
    frame_ = QImage();
    connection_.disconnected();
}

int TWebCam::ListerPeripheriques() {
    if (!view_)
        return 0;
    entries_ = catalogue_ ? catalogue_() : std::vector<CameraEntry>{};
    if (entries_.size() > size_t(kMaxCameraDrivers))
        entries_.resize(size_t(kMaxCameraDrivers));
    std::vector<CameraDescription> descriptions;
    for (const auto& e : entries_)
        descriptions.push_back({e.name.toStdString(), e.version.toStdString()});
    drivers_ = listCameraDrivers(descriptions);
    return int(drivers_.size());
}

int TWebCam::Connecter(int index) {
    if (!view_ || !CameraConnection::acceptable(index, entries_.size()) || !entries_[size_t(index)].open)
        return 0;
    connection_.beginAttempt();
    // The new camera is opened before the old one is let go: a failure keeps the picture running.
    std::unique_ptr<CameraDevice> candidate = entries_[size_t(index)].open();
    if (!candidate)
        return 0;
    candidate->preferFrameSize(QSize(kPreviewWidth, kPreviewHeight));
    if (!candidate->start())
        return 0;
    const int before = connection_.connectedBefore;
    releaseDevice();
    connection_.connectedBefore = before;
    device_ = std::move(candidate);
    connect(device_.get(), &CameraDevice::frameReady, this, &TWebCam::frameFromCamera);
    connect(device_.get(), &CameraDevice::recordingFinished, this, &TWebCam::recordingFinished);
    connection_.succeeded(index);
    view_->setFixedSize(kPreviewWidth, kPreviewHeight);
    if (parentWindow_)
        parentWindow_->adjustSize();
    preview_ = true;
    return 1;
}

int TWebCam::FormatVideo() {
    if (!view_)
        return 0;
    if (device_)
        device_->preferFrameSize(QSize(kPreviewWidth, kPreviewHeight));
    view_->setFixedSize(kPreviewWidth, kPreviewHeight);
    return 1;
}

int TWebCam::Apercu(bool on) {
    if (!view_)
        return 0;
    preview_ = on;
    return 1;
}

int TWebCam::DialogueSource() {
    if (!view_ || !device_)
        return 0;
    int picked =
        choose(parentWindow_, QStringLiteral("Source vidéo"), device_->formats(), device_->currentFormat());
    return picked >= 0 && device_->chooseFormat(picked) ? 1 : 0;
}

int TWebCam::DialogueCompression() {
    if (!view_ || !device_)
        return 0;
    int picked = choose(parentWindow_, QStringLiteral("Compression vidéo"), device_->codecs(),
                        device_->currentCodec());
    return picked >= 0 && device_->chooseCodec(picked) ? 1 : 0;
}

void TWebCam::frameFromCamera(const QImage& frame) {
    lastFrameTime_ = clock_.now();
    if (preview_ && view_) {
        frame_ = frame;
        view_->show(frame);
    }
    if (recording_ && recordingTimeLimit > 0 &&
        periodPassed(lastFrameTime_, recordingStart_, uint32_t(recordingTimeLimit) * 1000))
        Arreter();
    emit frameArrived(10, 30);
}

QString TWebCam::EnregistrerImage(const std::filesystem::path& path) {
    const QString shown = toQString(path);
    auto failed = [&](const QString& why) {
        return QStringLiteral("Impossible d'enregistrer la photo %1 : %2").arg(shown, why);
    };
    if (!view_ || !device_)
        return failed(QStringLiteral("aucune webcam n'est connectée"));
    if (frame_.isNull())
        return failed(QStringLiteral("la webcam n'a encore fourni aucune image"));
    auto target = photoPathInside(photoDir_, path);
    if (!target)
        return failed(QStringLiteral("une photo s'enregistre en .bmp dans le répertoire des photos %1")
                          .arg(toQString(photoDir_)));
    QImage img =
        frame_.size() == QSize(kPreviewWidth, kPreviewHeight)
            ? frame_.convertToFormat(QImage::Format_RGB888)
            : frame_.scaled(kPreviewWidth, kPreviewHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_RGB888);
    std::span<const uint8_t> pixels(img.constBits(), size_t(img.sizeInBytes()));
    if (!writeBmp24(*target, img.width(), img.height(), pixels, size_t(img.bytesPerLine())))
        return failed(QStringLiteral("écriture refusée"));
    return {};
}

int TWebCam::Copier() {
    if (!view_ || frame_.isNull())
        return 0;
    QGuiApplication::clipboard()->setImage(frame_);
    return 1;
}

int TWebCam::CopierVersImage(QImage& picture) {
    if (!view_ || frame_.isNull())
        return 0;
    picture = frame_.copy();
    return 1;
}

int TWebCam::FichierCapture(const std::filesystem::path& path) {
    if (!view_)
        return 0;
    captureFile_ = path;
    return 1;
}

int TWebCam::Enregistrer() {
    note_.clear();
    error_.clear();
    if (!view_ || !device_ || recording_ || captureFile_.empty()) {
        error_ = QStringLiteral("Impossible d'enregistrer la vidéo : %1")
                     .arg(!device_     ? QStringLiteral("aucune webcam n'est connectée")
                          : recording_ ? QStringLiteral("un enregistrement est déjà en cours")
                                       : QStringLiteral("aucun fichier de capture choisi"));
        return 0;
    }
    RecordingPlan plan = device_->planRecording(captureFile_);
    QString reason;
    if (!device_->startRecording(plan, &reason)) {
        error_ =
            QStringLiteral("Impossible d'enregistrer la vidéo %1 : %2").arg(toQString(plan.file), reason);
        return 0;
    }
    note_ = plan.note;
    recording_ = true;
    recordingStart_ = clock_.now();
    // The frames stop the recording on time; the timer only if they stop coming.
    if (recordingTimeLimit > 0)
        limitTimer_.start(recordingTimeLimit * 1000 + 1000);
    return 1;
}

int TWebCam::Arreter() {
    if (!view_ || !device_ || !recording_)
        return 0;
    limitTimer_.stop();
    device_->stopRecording();
    return 1;
}

void TWebCam::recordingFinished(bool ok, const QString& file, const QString& message) {
    recording_ = false;
    limitTimer_.stop();
    emit recordingEnded(ok, file, note_.isEmpty() || !ok ? message : message + QStringLiteral("\n") + note_);
}

} // namespace pinstage
