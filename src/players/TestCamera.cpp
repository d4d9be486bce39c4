#include "players/TestCamera.h"

#include "display/QtPath.h"

#include <QBuffer>
#include <QDateTime>
#include <QPainter>

#include <cmath>

namespace pinstage {

namespace {
constexpr int kWidth = 320;
constexpr int kHeight = 240;
} // namespace

TestCamera::TestCamera(const Clock& clock, QString label, bool timed, QObject* parent)
    : CameraDevice(parent), clock_(clock), label_(std::move(label)) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kFrameIntervalMs);
    if (timed)
        connect(&timer_, &QTimer::timeout, this, &TestCamera::produceFrame);
}

TestCamera::~TestCamera() {
    writer_.abandon();
}

bool TestCamera::start() {
    active_ = true;
    timer_.start();
    return true;
}

void TestCamera::stop() {
    active_ = false;
    timer_.stop();
}

QStringList TestCamera::formats() const {
    return {QStringLiteral("320 × 240, 30 images/s, RGB 24 bits")};
}

QStringList TestCamera::codecs() const {
    return {QStringLiteral("AVI, Motion JPEG (enregistreur intégré)")};
}

RecordingPlan TestCamera::planRecording(const std::filesystem::path& path) const {
    return {path, QStringLiteral("AVI"), {}};
}

bool TestCamera::startRecording(const RecordingPlan& plan, QString* reason) {
    if (!writer_.open(plan.file, kWidth, kHeight)) {
        if (reason)
            *reason = QStringLiteral("impossible de créer le fichier %1").arg(toQString(plan.file));
        return false;
    }
    recordStart_ = clock_.now();
    return true;
}

void TestCamera::stopRecording() {
    if (!writer_.isOpen())
        return;
    const QString file = toQString(writer_.target());
    const uint32_t frames = writer_.frameCount();
    const uint32_t duration = elapsedSince(clock_.now(), recordStart_);
    if (writer_.finish(duration))
        emit recordingFinished(true, file,
                               QStringLiteral("Vidéo enregistrée : %1 (%2 images, %3 s)")
                                   .arg(file)
                                   .arg(frames)
                                   .arg(double(duration) / 1000.0, 0, 'f', 1));
    else
        emit recordingFinished(false, file, QStringLiteral("Impossible d'enregistrer la vidéo %1").arg(file));
}

QImage TestCamera::frameAt(uint32_t ms) const {
    QImage img(kWidth, kHeight, QImage::Format_RGB888);
    QPainter p(&img);
    // Colour bars over the upper two thirds, a grey ramp under them.
    static const QColor bars[] = {Qt::white, Qt::yellow, Qt::cyan, Qt::green, Qt::magenta, Qt::red, Qt::blue};
    const int barsHeight = kHeight * 2 / 3;
    for (int i = 0; i < 7; ++i)
        p.fillRect(i * kWidth / 7, 0, (i + 1) * kWidth / 7 - i * kWidth / 7, barsHeight, bars[i]);
    for (int x = 0; x < kWidth; x += 8)
        p.fillRect(x, barsHeight, 8, kHeight - barsHeight, QColor::fromHsv(0, 0, x * 255 / kWidth));
    // The disc goes round an ellipse once every 4 s.
    const double a = (ms % 4000) / 4000.0 * 2 * M_PI;
    const QPointF centre(kWidth / 2 + 110 * std::cos(a), kHeight / 2 - 10 + 70 * std::sin(a));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(255, 140, 0));
    p.drawEllipse(centre, 22, 22);
    // The time: the clock's seconds and the time of day.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(0, kHeight - 34, kWidth, 34, QColor(0, 0, 0, 170));
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(14);
    p.setFont(f);
    p.drawText(QRect(6, kHeight - 34, kWidth - 12, 17), Qt::AlignLeft | Qt::AlignVCenter, label_);
    p.drawText(QRect(6, kHeight - 17, kWidth - 12, 17), Qt::AlignLeft | Qt::AlignVCenter,
               QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
    p.drawText(QRect(6, kHeight - 17, kWidth - 12, 17), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("%1 s").arg(double(ms) / 1000.0, 0, 'f', 2));
    return img;
}

void TestCamera::produceFrame() {
    if (!active_)
        return;
    ++frameNumber_;
    QImage frame = frameAt(clock_.now());
    if (writer_.isOpen()) {
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        if (!frame.save(&buffer, "JPG", 85) ||
            !writer_.addFrame({reinterpret_cast<const uint8_t*>(jpeg.constData()), size_t(jpeg.size())}))
            stopRecording(); // the file is full or the disk refused: finish what was recorded
    }
    emit frameReady(frame);
}

CameraEntry testCameraEntry(const Clock& clock) {
    return {QStringLiteral("Caméra de test"), QStringLiteral("pinstage"),
            [&clock] { return std::make_unique<TestCamera>(clock, QStringLiteral("Caméra de test")); }};
}

} // namespace pinstage
