// The default picture set: every picture the built-in backglass layout names (background, reel
// strip, symbol sheet, banners, counters, title, rules badge, poster, the backgrounds of the other
// configurations), the table-choice thumbnails, the help pages of the dashboard and the photos of
// the players file, drawn so that a fresh data root looks like a machine. Deterministic.
#pragma once

#include "platform/DataRoot.h"

#include <QImage>

#include <filesystem>
#include <string>
#include <vector>

namespace pinstage {

// Default attract posters Pub0.bmp (the layout's picture 50) to Pub2.bmp.
constexpr int kDefaultPosterCount = 3;

struct DefaultPictureFile {
    DataDir dir;
    std::string name; // UTF-8
};

// Every file of the set, in the order they are written.
std::vector<DefaultPictureFile> defaultPictureFiles();

// One picture of the set (null for a name the set does not hold). Needs a QGuiApplication (fonts).
QImage drawDefaultPicture(const DefaultPictureFile& file);

// Writes each picture of the set missing from the data root as a 24-bit BMP (existing files are
// left alone) and returns the paths written. Throws PinError when a file cannot be written or no
// QGuiApplication exists.
std::vector<std::filesystem::path> writeDefaultPictures(const DataRoot& root);

} // namespace pinstage
