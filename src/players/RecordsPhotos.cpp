// Loading, captioning and drawing the records display's photos.
#include "players/RecordsPhotos.h"

#include <QFile>
#include <QFont>
#include <QPainter>

namespace pinstage {

namespace {

bool validSlot(int slot) {
    return slot >= 0 && slot < kPhotoRectCount;
}

QString pathText(const std::filesystem::path& p) {
    return QString::fromStdU16String(p.u16string());
}

} // namespace

QRect photoArea(const PhotoRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool RecordsPhotos::load(int slot, const std::filesystem::path& file) {
    if (!validSlot(slot))
        return false;
    QImage& photo = photos_[size_t(slot)];
    photo = QImage();
    QImage read(pathText(file));
    if (read.isNull())
        return false;
    if (read.size() != QSize(kPhotoWidth, kPhotoHeight))
        read = read.scaled(kPhotoWidth, kPhotoHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // The back buffer's own format: drawing becomes a plain copy of rows.
    photo = read.convertToFormat(QImage::Format_RGB32);
    return !photo.isNull();
}

void RecordsPhotos::caption(int slot, const QString& text) {
    if (!loaded(slot))
        return;
    QPainter p(&photos_[size_t(slot)]);
    QFont font;
    font.setPixelSize(30);
    font.setWeight(QFont::Weight(255));
    font.setItalic(true);
    p.setFont(font);
    p.setPen(QColor(255, 85, 38));
    p.setBackgroundMode(Qt::TransparentMode);
    // The text's top at (5, 210), as a text-out at that point places it.
    p.drawText(QRect(5, 210, kPhotoWidth - 5, kPhotoHeight - 210), Qt::AlignLeft | Qt::AlignTop, text);
}

void RecordsPhotos::release(int slot) {
    if (validSlot(slot))
        photos_[size_t(slot)] = QImage();
}

void RecordsPhotos::releaseAll() {
    for (QImage& photo : photos_)
        photo = QImage();
}

bool RecordsPhotos::loaded(int slot) const {
    return validSlot(slot) && !photos_[size_t(slot)].isNull();
}

QRegion RecordsPhotos::draw(QImage& target, const std::array<PhotoRect, kPhotoRectCount>& rects, int first,
                            int end) const {
    QRegion drawn;
    if (target.isNull())
        return drawn;
    QPainter p(&target);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (int k = std::max(first, 0); k < std::min(end, kPhotoRectCount); ++k) {
        if (!loaded(k))
            continue;
        QRect area = photoArea(rects[size_t(k)]);
        p.drawImage(area.topLeft(), photos_[size_t(k)], QRect(0, 0, kPhotoWidth, kPhotoHeight));
        drawn += area & target.rect();
    }
    return drawn;
}

} // namespace pinstage
