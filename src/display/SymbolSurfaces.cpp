// Colour keying of symbol pictures and picture loading into a surface of fixed size.
#include "display/SymbolSurfaces.h"

#include "display/QtPath.h"

#include <QImage>
#include <QPainter>

namespace pinstage {

QImage toSymbolSurface(const QImage& picture) {
    if (picture.isNull())
        return {};
    // Keyed on the opaque 32-bit form so that only exact pure blue becomes transparent.
    QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QImage out = rgb.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (line[x] == kTransparentBlue)
                line[x] = 0;
    }
    return out;
}

namespace {

bool isRgb16OrMore(const QImage& s) {
    if (s.isNull() || s.depth() < 16)
        return false;
    switch (s.format()) {
    case QImage::Format_Grayscale16:
    case QImage::Format_Alpha8:
    case QImage::Format_Grayscale8:
        return false;
    default:
        return true;
    }
}

bool fail(std::string* debug, const char* text) {
    if (debug)
        *debug = text;
    return false;
}

} // namespace

bool loadImageIntoSurface(QImage& surface, const std::filesystem::path& file, std::string* debug) {
    if (!isRgb16OrMore(surface))
        return fail(debug, "le fichier image ne peut être interprété\n il doit être rgb 16 bits");
    QImage picture;
    if (!picture.load(toQString(file)))
        return fail(debug, " fichier ou resource introuvable\n");
    QPainter p(&surface);
    if (!p.isActive())
        return fail(debug, "impossible d'obtenir le device context\n");
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QRect(0, 0, surface.width(), surface.height()), picture);
    return true;
}

} // namespace pinstage
