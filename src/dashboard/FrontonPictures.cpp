// Reading and cutting the editor's pictures.
#include "dashboard/FrontonPictures.h"

#include "display/QtPath.h"
#include "display/ScreenMapping.h"

#include <QPainter>

namespace pinstage {

QImage readLayoutPicture(const std::filesystem::path& file) {
    std::string ext = file.extension().string();
    const char* format = ext == ".bmp" ? "BMP" : ext == ".jpg" ? "JPG" : nullptr;
    if (!format)
        return {};
    QImage img;
    if (!img.load(toQString(file), format))
        return {};
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage withBlueTransparent(const QImage& picture) {
    QImage img = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xFFFFFF) == 0x0000FF)
                line[x] = 0;
    }
    return img;
}

FrontonPictures::FrontonPictures(const DataRoot& root, const FrontonRecord& layout)
    : root_(root), layout_(layout) {}

const QImage& FrontonPictures::file(DataDir dir, const std::string& name) {
    auto key = std::make_pair(dir, name);
    auto it = files_.find(key);
    if (it == files_.end()) {
        QImage img = name.empty() ? QImage() : readLayoutPicture(root_.file(dir, name));
        it = files_.emplace(key, img).first;
    }
    return it->second;
}

const QImage& FrontonPictures::pictureOf(int e, bool keyed) {
    static const QImage none;
    if (e < 0 || e >= kFrontonElementCount)
        return none;
    auto& cache = keyed ? keyed_ : plain_;
    if (auto it = cache.find(e); it != cache.end())
        return it->second;
    QImage cut;
    if (auto picture = elementPicture(layout_.elements[size_t(e)])) {
        const FrontonElement& source = layout_.elements[size_t(*picture)];
        // The advertising element takes its picture from the advertising pictures, as on the backglass.
        const QImage& whole =
            file(e == element::kAdvert ? DataDir::PubImages : DataDir::Images, source.pictureFile.utf8());
        auto size = pictureSourceSize(source);
        if (whole.isNull() || !size)
            unreadable_ = true;
        else
            cut = whole.copy(source.sourceLeft, source.sourceTop, size->width, size->height);
    }
    if (keyed && !cut.isNull())
        cut = withBlueTransparent(cut);
    return cache.emplace(e, cut).first->second;
}

void FrontonPictures::draw(QPainter& p, const std::vector<int>& order,
                           const std::function<EditRect(int)>& rect, int opaque) {
    for (int e : order) {
        const QImage& img = pictureOf(e, e != opaque);
        EditRect r = rect(e);
        if (!img.isNull() && r.width() > 0 && r.height() > 0)
            p.drawImage(QRect(r.left, r.top, r.width(), r.height()), img);
    }
}

} // namespace pinstage
