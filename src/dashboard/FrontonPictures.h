// The backglass editor's pictures: each element's part of its picture file, read from the images
// directory, cut to the picture's source rectangle, with pure blue made transparent when asked;
// and the drawing of a list of elements onto a canvas at given rectangles.
#pragma once

#include "config/FrontonParams.h"
#include "dashboard/EditorGeometry.h"
#include "platform/DataRoot.h"

#include <QImage>

#include <functional>
#include <map>
#include <string>
#include <utility>

class QPainter;

namespace pinstage {

inline constexpr const char* kPictureUnreadable = "fichier image de l'élément de jeu corrompu ou introuvable";

// A picture file of the images directory: the extension must be exactly "bmp" or "jpg".
// Null when it is not, or when the file cannot be read.
QImage readLayoutPicture(const std::filesystem::path& file);

class FrontonPictures {
public:
    FrontonPictures(const DataRoot& root, const FrontonRecord& layout);

    // Element e's picture: the source rectangle of its picture, pure blue transparent when keyed.
    // Null when it has no picture or the picture cannot be read (unreadable() is then true).
    const QImage& pictureOf(int element, bool keyed);
    bool unreadable() const { return unreadable_; }

    // Draws the elements of order at rect(e), keyed except opaque (-1 for none).
    void draw(QPainter& p, const std::vector<int>& order, const std::function<EditRect(int)>& rect,
              int opaque = -1);

private:
    const QImage& file(DataDir dir, const std::string& name);

    DataRoot root_;
    const FrontonRecord& layout_;
    std::map<std::pair<DataDir, std::string>, QImage> files_;
    std::map<int, QImage> keyed_;
    std::map<int, QImage> plain_;
    bool unreadable_ = false;
};

// Pure blue (red 0, green 0, blue 255) made transparent.
QImage withBlueTransparent(const QImage& picture);

} // namespace pinstage
