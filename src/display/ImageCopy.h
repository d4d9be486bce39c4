// Copies parts of one screen-size image into another (scene to back buffer, back buffer to screen).
#pragma once

class QImage;
class QRegion;

namespace pinstage {

// Copies region of src into dst at the same place, pixels as they are; parts outside either
// image are left out.
void copyRegion(QImage& dst, const QImage& src, const QRegion& region);

} // namespace pinstage
