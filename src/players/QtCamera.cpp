#include "players/QtCamera.h"

#include "display/QtPath.h"

#include <QFileInfo>
#include <QMediaDevices>
#include <QMimeType>
#include <QUrl>
#include <QVideoFrame>

namespace pinstage {

namespace {

QString formatText(const QCameraFormat& f) {
    return QStringLiteral("%1 × %2, %3 images/s, %4")
        .arg(f.resolution().width())
        .arg(f.resolution().height())
        .arg(double(f.maxFrameRate()), 0, 'f', 0)
        .arg(QVideoFrameFormat::pixelFormatToString(f.pixelFormat()));
}

QString extensionOf(QMediaFormat::FileFormat f) {
    QMediaFormat m(f);
    const QStringList suffixes = m.mimeType().suffixes();
    return suffixes.isEmpty() ? QStringLiteral("video") : suffixes.first();
}

} // namespace

QtCamera::QtCamera(const QCameraDevice& device, QObject* parent)
    : CameraDevice(parent), device_(device), camera_(device) {
    session_.setCamera(&camera_);
    session_.setVideoSink(&sink_);
    session_.setRecorder(&recorder_);
    connect(&sink_, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
        QImage image = frame.toImage();
        if (!image.isNull())
            emit frameReady(image);
    });
    connect(&recorder_, &QMediaRecorder::recorderStateChanged, this, &QtCamera::recorderStateChanged);

    // What the recorder can write here: AVI first (the file the operator asks for), then the rest.
    const QMediaFormat::FileFormat containers[] = {QMediaFormat::AVI,       QMediaFormat::Matroska,
                                                   QMediaFormat::WebM,      QMediaFormat::MPEG4,
                                                   QMediaFormat::QuickTime, QMediaFormat::Ogg};
    const QMediaFormat::VideoCodec preferred[] = {
        QMediaFormat::VideoCodec::MotionJPEG, QMediaFormat::VideoCodec::VP8,
        QMediaFormat::VideoCodec::MPEG4,      QMediaFormat::VideoCodec::H264,
        QMediaFormat::VideoCodec::VP9,        QMediaFormat::VideoCodec::Theora};
    for (auto container : containers) {
        QMediaFormat probe(container);
        const auto supported = probe.supportedVideoCodecs(QMediaFormat::Encode);
        for (auto codec : preferred)
            if (supported.contains(codec))
                encodings_.push_back({container, codec});
    }
    codec_ = encodings_.empty() ? -1 : 0;
}

bool QtCamera::start() {
    camera_.start();
    return camera_.error() == QCamera::NoError;
}

void QtCamera::stop() {
    camera_.stop();
}

QStringList QtCamera::formats() const {
    QStringList list;
    for (const auto& f : device_.videoFormats())
        list << formatText(f);
    return list;
}

int QtCamera::currentFormat() const {
    return int(device_.videoFormats().indexOf(camera_.cameraFormat()));
}

bool QtCamera::chooseFormat(int index) {
    const auto formats = device_.videoFormats();
    if (index < 0 || index >= formats.size())
        return false;
    camera_.setCameraFormat(formats[index]);
    return true;
}

void QtCamera::preferFrameSize(QSize size) {
    const auto formats = device_.videoFormats();
    int best = -1;
    qint64 bestScore = 0;
    for (int i = 0; i < formats.size(); ++i) {
        const QSize r = formats[i].resolution();
        qint64 score = qAbs(qint64(r.width()) * r.height() - qint64(size.width()) * size.height()) * 100 -
                       qint64(formats[i].maxFrameRate());
        if (best < 0 || score < bestScore) {
            best = i;
            bestScore = score;
        }
    }
    if (best >= 0 && formats[best] != camera_.cameraFormat())
        camera_.setCameraFormat(formats[best]);
}

QStringList QtCamera::codecs() const {
    QStringList list;
    for (const auto& e : encodings_)
        list << QStringLiteral("%1, %2").arg(QMediaFormat::fileFormatName(e.container),
                                             QMediaFormat::videoCodecName(e.codec));
    return list;
}

bool QtCamera::chooseCodec(int index) {
    if (index < 0 || size_t(index) >= encodings_.size())
        return false;
    codec_ = index;
    return true;
}

RecordingPlan QtCamera::planRecording(const std::filesystem::path& path) const {
    if (codec_ < 0)
        return {path, {}, {}};
    const Encoding& e = encodings_[size_t(codec_)];
    RecordingPlan plan{path, QMediaFormat::fileFormatName(e.container), {}};
    if (e.container != QMediaFormat::AVI) {
        plan.file.replace_extension(extensionOf(e.container).toStdString());
        plan.note =
            QStringLiteral("Ce système n'enregistre pas l'AVI : la vidéo est enregistrée au format %1 "
                           "dans %2")
                .arg(plan.container, toQString(plan.file));
    }
    return plan;
}

bool QtCamera::startRecording(const RecordingPlan& plan, QString* reason) {
    if (codec_ < 0) {
        if (reason)
            *reason = QStringLiteral("aucun format vidéo n'est enregistrable sur ce système");
        return false;
    }
    const Encoding& e = encodings_[size_t(codec_)];
    QMediaFormat format(e.container);
    format.setVideoCodec(e.codec);
    recorder_.setMediaFormat(format);
    recorder_.setVideoResolution(QSize(320, 240));
    recorder_.setQuality(QMediaRecorder::NormalQuality);
    recordingFile_ = toQString(plan.file);
    recorder_.setOutputLocation(QUrl::fromLocalFile(recordingFile_));
    recordingStarted_ = true;
    recorder_.record();
    if (recorder_.error() != QMediaRecorder::NoError) {
        recordingStarted_ = false;
        if (reason)
            *reason = recorder_.errorString();
        return false;
    }
    return true;
}

void QtCamera::stopRecording() {
    recorder_.stop();
}

void QtCamera::recorderStateChanged(QMediaRecorder::RecorderState state) {
    if (state != QMediaRecorder::StoppedState || !recordingStarted_)
        return;
    recordingStarted_ = false;
    QString file =
        recorder_.actualLocation().isLocalFile() ? recorder_.actualLocation().toLocalFile() : recordingFile_;
    const QFileInfo info(file);
    if (recorder_.error() == QMediaRecorder::NoError && info.exists() && info.size() > 0)
        emit recordingFinished(true, file, QStringLiteral("Vidéo enregistrée : %1").arg(file));
    else
        emit recordingFinished(false, file,
                               QStringLiteral("Impossible d'enregistrer la vidéo %1 : %2")
                                   .arg(file, recorder_.errorString().isEmpty()
                                                  ? QStringLiteral("fichier vide")
                                                  : recorder_.errorString()));
}

std::vector<CameraEntry> systemCameraEntries() {
    std::vector<CameraEntry> list;
    for (const QCameraDevice& d : QMediaDevices::videoInputs())
        list.push_back(
            {d.description(), QString::fromUtf8(d.id()), [d] { return std::make_unique<QtCamera>(d); }});
    return list;
}

} // namespace pinstage
