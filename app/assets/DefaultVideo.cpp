// Default video: a ball crossing a lit panel under the machine's name, encoded frame by frame.
#include "DefaultVideo.h"

#include "platform/PinError.h"
#include "players/MjpegAviWriter.h"

#include <QBuffer>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace pinstage {

QImage drawDefaultVideoFrame(int k) {
    const int w = kDefaultVideoWidth, h = kDefaultVideoHeight;
    const double t = double(k) / kDefaultVideoFrames; // 0 .. 1 over the clip
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor::fromHsv(int(220 + 60 * t) % 360, 200, 90));
    sky.setColorAt(1, QColor(10, 8, 20));
    p.fillRect(img.rect(), sky);
    // Lamps along the bottom lighting one after the other.
    for (int i = 0; i < 10; ++i) {
        const bool lit = (i + k) % 4 == 0;
        p.setBrush(lit ? QColor(255, 210, 80) : QColor(90, 60, 30));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(40 + i * 62, h - 50), 16, 16);
    }
    // The ball on a bouncing path.
    const double x = 60 + (w - 120) * t;
    const double y = 300 - 160 * std::abs(std::sin(t * 3 * std::numbers::pi));
    QRadialGradient ball(QPointF(x - 8, y - 8), 30);
    ball.setColorAt(0, Qt::white);
    ball.setColorAt(1, QColor(120, 120, 140));
    p.setBrush(ball);
    p.drawEllipse(QPointF(x, y), 26, 26);
    QFont title("DejaVu Serif", 54, QFont::Bold);
    p.setFont(title);
    p.setPen(QColor(255, 230, 150));
    p.drawText(QRect(0, 30, w, 90), Qt::AlignCenter, "LUMISCOPE");
    QFont line("DejaVu Sans", 22);
    p.setFont(line);
    p.setPen(QColor(230, 230, 240));
    p.drawText(QRect(0, 120, w, 40), Qt::AlignCenter, QString::fromUtf8("Votre vidéo publicitaire ici"));
    p.drawText(QRect(0, h - 120, w, 36), Qt::AlignCenter,
               QString::number(kDefaultVideoFrames - k) + QStringLiteral(" / ") +
                   QString::number(kDefaultVideoFrames));
    return img;
}

std::vector<std::filesystem::path> writeDefaultVideos(const DataRoot& root) {
    root.ensureDirectories();
    const auto path = root.file(DataDir::PubVideo, "VideoPub0.avi");
    if (std::filesystem::exists(path))
        return {};
    MjpegAviWriter writer;
    const std::string failure = "Impossible de créer la vidéo " + path.filename().string();
    if (!writer.open(path, kDefaultVideoWidth, kDefaultVideoHeight))
        throw PinError(failure);
    for (int k = 0; k < kDefaultVideoFrames; ++k) {
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        if (!drawDefaultVideoFrame(k).save(&buffer, "JPG", 85) ||
            !writer.addFrame(
                std::span(reinterpret_cast<const uint8_t*>(jpeg.constData()), size_t(jpeg.size())))) {
            writer.abandon();
            throw PinError(failure);
        }
    }
    if (!writer.finish(kDefaultVideoMs))
        throw PinError(failure);
    return {path};
}

} // namespace pinstage
