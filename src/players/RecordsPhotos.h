// The records display's pictures: the six ranking photos and the slideshow photo as 320 x 240
// images in the back buffer's format, their captions, and their drawing at the photo rectangles.
#pragma once

#include "players/RecordsDisplay.h"

#include <QImage>
#include <QRegion>
#include <QString>

#include <array>
#include <filesystem>

namespace pinstage {

class RecordsPhotos {
public:
    // Loads a picture file into slot (0-5 ranking, 6 slideshow); a picture of another size is
    // scaled to 320 x 240. False, and the slot left empty, when the file cannot be read.
    bool load(int slot, const std::filesystem::path& file);
    // Writes the caption onto the slot's photo: red (255, 85, 38), italic, 30 pixels high, at
    // (5, 210) of the photo, on a transparent background.
    void caption(int slot, const QString& text);
    void release(int slot);
    void releaseAll();
    bool loaded(int slot) const;
    const QImage& photo(int slot) const { return photos_[size_t(slot)]; }

    // Draws the loaded photos of slots first .. end-1 at their rectangles; returns what was drawn
    // (clipped to the target).
    QRegion draw(QImage& target, const std::array<PhotoRect, kPhotoRectCount>& rects, int first,
                 int end) const;

private:
    std::array<QImage, kPhotoRectCount> photos_{};
};

// The screen area of a photo rectangle.
QRect photoArea(const PhotoRect& r);

} // namespace pinstage
