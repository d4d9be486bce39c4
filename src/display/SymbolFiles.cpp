// Symbol bitmap preparation: picture file checks, cut and stretch, power-safe save as BMP.
#include "display/SymbolFiles.h"

#include "config/FrontonParams.h"
#include "display/QtPath.h"
#include "display/Rouleau.h"
#include "display/SymbolNames.h"
#include "platform/FileIo.h"
#include "platform/PinError.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <map>
#include <system_error>

namespace pinstage {

namespace {

// Larger symbols cannot come from a sane layout; refusing them keeps memory bounded.
constexpr int64_t kLargestSymbolSide = 16384;

QImage loadPicture(const FrontonElement& picture, const DataRoot& root, DataDir dir) {
    std::string name = picture.pictureFile.utf8();
    auto kind = pictureKindOf(name);
    if (!kind || !isPlainFileName(name))
        throw PinError(kPictureFileError);
    QImage image;
    if (!image.load(toQString(root.file(dir, name)), *kind == PictureKind::Bitmap ? "BMP" : "JPG"))
        throw PinError(kPictureFileError);
    return image;
}

void removeStale(const DataRoot& root, const std::optional<std::string>& name) {
    if (!name)
        return;
    std::error_code ec;
    std::filesystem::remove(root.file(DataDir::Symbols, *name), ec);
}

std::vector<uint8_t> encodeBmp(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // 24 bits per pixel, as the screen format of the backglass.
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

} // namespace

void buildSymbolFiles(const FrontonRecord& layout, const DataRoot& root, int first, int end,
                      DataDir pictureDir) {
    first = std::clamp(first, 0, kFrontonElementCount);
    end = std::clamp(end, first, kFrontonElementCount);
    std::map<std::string, QImage> loaded;
    for (int e = first; e < end; ++e) {
        const FrontonElement& el = layout.elements[size_t(e)];
        auto pictureIndex = elementPicture(el);
        if (!pictureIndex)
            continue; // no picture, or a number naming none of the list: the element is not drawn
        const FrontonElement& picture = layout.elements[size_t(*pictureIndex)];
        // Most elements are cut from one sheet: each file is read once per call.
        std::string file = picture.pictureFile.utf8();
        auto cached = loaded.find(file);
        if (cached == loaded.end())
            cached = loaded.emplace(file, loadPicture(picture, root, pictureDir)).first;
        const QImage& source = cached->second;

        auto name = symbolFileName(el);
        QRect cut;
        int64_t width = 0;
        int64_t height = 0;
        if (element::isReel(e)) {
            cut = QRect(0, 0, Rouleau::kStripWidth, Rouleau::kStripHeight);
            width = Rouleau::kStripWidth;
            height = Rouleau::kStripHeight;
        } else {
            int64_t cutWidth = int64_t(picture.sourceRight) - picture.sourceLeft;
            int64_t cutHeight = int64_t(picture.sourceBottom) - picture.sourceTop;
            width = int64_t(el.displayRight) - el.displayLeft;
            height = int64_t(el.displayBottom) - el.displayTop;
            if (cutWidth <= 0 || cutHeight <= 0 || cutWidth > kLargestSymbolSide ||
                cutHeight > kLargestSymbolSide) {
                removeStale(root, name);
                continue;
            }
            cut = QRect(picture.sourceLeft, picture.sourceTop, int(cutWidth), int(cutHeight));
        }
        if (!name || width <= 0 || height <= 0 || width > kLargestSymbolSide || height > kLargestSymbolSide) {
            removeStale(root, name);
            continue;
        }
        // Nearest pixel: the transparent blue must not blend into its neighbours.
        QImage symbol =
            source.copy(cut).scaled(int(width), int(height), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        std::vector<uint8_t> bytes = encodeBmp(symbol);
        if (bytes.empty() || !writeFileAtomically(root.file(DataDir::Symbols, *name), bytes))
            throw PinError("Impossible de créer le fichier symbole " + *name);
    }
}

} // namespace pinstage
