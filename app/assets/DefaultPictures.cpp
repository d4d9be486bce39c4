// The default picture set: the list of files and what each one is drawn from.
#include "DefaultPictures.h"

#include "DefaultPictureArt.h"
#include "DefaultPictureBackglass.h"
#include "DefaultPictureCells.h"
#include "DefaultPictureEditorHelp.h"
#include "DefaultPictureExtras.h"
#include "DefaultPictureSoundHelp.h"
#include "config/FrontonParams.h"
#include "config/Players.h"
#include "platform/FileIo.h"
#include "platform/PinError.h"

#include <QBuffer>
#include <QGuiApplication>

#include <map>
#include <set>

namespace pinstage {

namespace {

constexpr const char* kTableName = "PENTACLE";
constexpr int kChoiceCount = 8;
// The game-over slideshow's photos: "<0..2>_photo-<0..4>.bmp".
constexpr int kSlideshowSeries = 3;
constexpr int kSlideshowNumbers = 5;

std::string slideshowName(int series, int number) {
    return std::to_string(series) + "_photo-" + std::to_string(number) + ".bmp";
}

// The backgrounds of the other selectable configurations: pictures 39-41 of the layout.
struct Variant {
    const char* title;
    int hueShift;
};
constexpr Variant kVariants[] = {{kTableName, 0}, {"TABLE 1", 110}, {"TABLE 2", 200}, {"TABLE 3", 290},
                                 {"TABLE 4", 40}, {"TABLE 5", 150}, {"TABLE 6", 240}, {"TABLE 7", 320}};

std::string layoutFile(int picture) {
    return defaultFronton().elements[size_t(picture)].pictureFile.utf8();
}

QImage drawOne(const DefaultPictureFile& f, std::map<int, QImage>& backgrounds) {
    auto background = [&](int variant) -> const QImage& {
        auto it = backgrounds.find(variant);
        if (it == backgrounds.end())
            it = backgrounds
                     .emplace(variant,
                              art::drawBackglass(kVariants[variant].title, kVariants[variant].hueShift))
                     .first;
        return it->second;
    };
    const std::string& n = f.name;
    if (f.dir == DataDir::Images) {
        if (n == layoutFile(0))
            return background(0);
        if (n == layoutFile(1))
            return art::drawReelStrip();
        if (n == layoutFile(3))
            return art::drawSymbolSheet();
        for (int v = 1; v <= 3; ++v)
            if (n == layoutFile(38 + v))
                return background(v);
        for (int b = 1; b <= 4; ++b)
            if (n == layoutFile(41 + b))
                return art::drawBanner(b);
        if (n == layoutFile(46))
            return art::drawCounterPicture(true);
        if (n == layoutFile(47))
            return art::drawCounterPicture(false);
        if (n == layoutFile(48))
            return art::drawTitlePicture();
        if (n == layoutFile(49))
            return art::drawRulesBadge();
        for (int c = 0; c < kChoiceCount; ++c)
            if (n == "choix" + std::to_string(c) + ".bmp")
                return art::drawChoiceThumbnail(background(c), kVariants[c].title);
        if (n == "modemploison.bmp")
            return art::drawSoundHelpPage();
        if (n == "modemploifronton.bmp")
            return art::drawBackglassEditorHelp();
    }
    if (f.dir == DataDir::PubImages && n == layoutFile(50))
        return art::drawPoster(0);
    for (int v = 1; v < kDefaultPosterCount; ++v)
        if (f.dir == DataDir::PubImages && n == "Pub" + std::to_string(v) + ".bmp")
            return art::drawPoster(v);
    if (f.dir == DataDir::Photos) {
        if (n == "PhotoDefaut.bmp")
            return art::drawDefaultPhoto();
        for (int i = 0; i < kDefaultPlayerCount; ++i)
            if (n == playerDefaultRows[size_t(i) * 5 + 3])
                return i == 0 ? art::drawWelcomePhoto() : art::drawPortrait(i - 1);
        for (int series = 0; series < kSlideshowSeries; ++series)
            for (int number = 0; number < kSlideshowNumbers; ++number)
                if (n == slideshowName(series, number))
                    return art::drawSlideshowPhoto(series, number);
    }
    return {};
}

// Every picture but the symbol sheet is opaque: no pixel may read as the transparent blue.
QImage finished(const DefaultPictureFile& f, QImage img) {
    if (img.isNull())
        return img;
    img = img.convertToFormat(QImage::Format_RGB32);
    if (f.dir == DataDir::Images && f.name == layoutFile(3))
        return img;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xFFFFFF) == 0x0000FF)
                line[x] = qRgb(0, 0, 254);
    }
    return img;
}

void requireGui() {
    if (!QGuiApplication::instance())
        throw PinError("les images par défaut demandent l'affichage graphique");
}

} // namespace

std::vector<DefaultPictureFile> defaultPictureFiles() {
    std::vector<DefaultPictureFile> files;
    std::set<std::string> seen;
    FrontonRecord layout = defaultFronton();
    for (int p = 0; p < kFrontonPictureCount; ++p) {
        std::string name = layout.elements[size_t(p)].pictureFile.utf8();
        if (name.empty() || !seen.insert(name).second)
            continue;
        files.push_back({p == kFrontonPictureCount - 1 ? DataDir::PubImages : DataDir::Images, name});
    }
    for (int c = 0; c < kChoiceCount; ++c)
        files.push_back({DataDir::Images, "choix" + std::to_string(c) + ".bmp"});
    // The attract posters after the layout's Pub0.bmp.
    for (int v = 1; v < kDefaultPosterCount; ++v)
        files.push_back({DataDir::PubImages, "Pub" + std::to_string(v) + ".bmp"});
    files.push_back({DataDir::Images, "modemploison.bmp"});
    files.push_back({DataDir::Images, "modemploifronton.bmp"});
    for (int i = 0; i < kDefaultPlayerCount; ++i)
        files.push_back({DataDir::Photos, playerDefaultRows[size_t(i) * 5 + 3]});
    files.push_back({DataDir::Photos, "PhotoDefaut.bmp"});
    for (int series = 0; series < kSlideshowSeries; ++series)
        for (int number = 0; number < kSlideshowNumbers; ++number)
            files.push_back({DataDir::Photos, slideshowName(series, number)});
    return files;
}

QImage drawDefaultPicture(const DefaultPictureFile& file) {
    requireGui();
    std::map<int, QImage> backgrounds;
    return finished(file, drawOne(file, backgrounds));
}

std::vector<std::filesystem::path> writeDefaultPictures(const DataRoot& root) {
    requireGui();
    root.ensureDirectories();
    std::vector<std::filesystem::path> written;
    std::map<int, QImage> backgrounds; // drawn once for the background and its thumbnail
    for (const DefaultPictureFile& f : defaultPictureFiles()) {
        std::filesystem::path path = root.file(f.dir, f.name);
        if (std::filesystem::exists(path))
            continue;
        QImage img = finished(f, drawOne(f, backgrounds));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (img.isNull() || !img.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP") ||
            !writeFileAtomically(path,
                                 std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                                          size_t(bytes.size()))))
            throw PinError("Impossible de créer l'image " + f.name);
        written.push_back(path);
    }
    return written;
}

} // namespace pinstage
