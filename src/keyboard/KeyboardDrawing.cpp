// Key pictures and the composition of the whole keyboard into its off-screen picture.
#include "clavpack/Claviervirtuel.h"

#include "KeyImage.h"

#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace pinstage {

namespace {

constexpr int Margin = 5;
constexpr int KeyGap = 2;
constexpr int RowGap = 5;
constexpr int SpaceBarShortening = 110;

} // namespace

void TClavierVirtuel::generateKey(TVKButton button, QImage& bitmap, const QImage& keyTemplate) const {
    bitmap = QImage();
    const QString caption = GetButtonCaption(button);
    int width = keyTemplate.width();
    if (caption.size() >= 2) {
        width = (button == vkbSpace) ? LongueurLigneClavier - SpaceBarShortening
                                     : keyCaptionWidth(font(), caption) + 15;
    }
    bitmap = composeKeyImage(keyTemplate, width, caption, font(), palette().color(QPalette::WindowText));
}

void TClavierVirtuel::GenerateButtonNormal(TVKButton button, QImage& bitmap) {
    LongueurLigneClavier = ReferenceLineLength;
    generateKey(button, bitmap, FButtonNormal);
}

void TClavierVirtuel::GenerateButtonHover(TVKButton button, QImage& bitmap) {
    generateKey(button, bitmap, FButtonHover);
}

void TClavierVirtuel::GenerateButtonDown(TVKButton button, QImage& bitmap) {
    generateKey(button, bitmap, FButtonDown);
}

void TClavierVirtuel::BuildButtonImages() {
    for (int row = 0; row < VKRowCount; ++row) {
        for (int place = 0; place < VKRowPlaces && isKeyButton(RowsOrder[row][place]); ++place) {
            TVKInfo& info = ButtonInfo[row][place];
            const TVKButton key = RowsOrder[row][place];
            GenerateButtonNormal(key, info.Normal);
            GenerateButtonHover(key, info.Hover);
            GenerateButtonDown(key, info.Down);
        }
    }
}

void TClavierVirtuel::DestroyButtonImages() {
    for (auto& row : ButtonInfo) {
        for (TVKInfo& info : row) {
            info.Normal = QImage();
            info.Hover = QImage();
            info.Down = QImage();
        }
    }
}

const QImage& TClavierVirtuel::imageForState(const TVKInfo& info) const {
    switch (info.State) {
    case vksHover:
        return info.Hover;
    case vksDown:
        return info.Down;
    default:
        return info.Normal;
    }
}

// Rectangles every key gets from the images of its current state, and the size they need. A place after
// the row's end, or whose picture is missing, gets an empty rectangle: nothing there can be pressed.
struct TClavierVirtuel::KeyPlacement {
    std::array<std::array<QRect, VKRowPlaces>, VKRowCount> rects{};
    QSize extent{1, 1};
};

TClavierVirtuel::KeyPlacement TClavierVirtuel::placeKeys() const {
    KeyPlacement placement;
    int y = Margin;
    for (int row = 0; row < VKRowCount; ++row) {
        int x = Margin;
        int rowHeight = 0; // height of the row's last key drawn
        for (int place = 0; place < VKRowPlaces && isKeyButton(RowsOrder[row][place]); ++place) {
            const QImage& image = imageForState(ButtonInfo[row][place]);
            if (image.isNull())
                continue;
            placement.rects[row][place] = QRect(x, y, image.width(), image.height());
            x += image.width() + KeyGap;
            rowHeight = image.height();
        }
        y += rowHeight + RowGap;
        placement.extent = placement.extent.expandedTo(QSize(x, y));
    }
    return placement;
}

QSize TClavierVirtuel::sizeHint() const {
    return placeKeys().extent;
}

void TClavierVirtuel::DrawButtons() {
    if (!RegenerateKeys)
        return;
    const KeyPlacement placement = placeKeys();
    // The picture is 750 x 250 unless the keys need more: a key outside it would be pressable but unseen.
    FBigBuffer = QImage(std::max(BigBufferWidth, placement.extent.width()),
                        std::max(BigBufferHeight, placement.extent.height()), QImage::Format_RGB32);
    FBigBuffer.fill(Qt::red);
    {
        QPainter painter(&FBigBuffer);
        for (int row = 0; row < VKRowCount; ++row) {
            bool inRow = true;
            for (int place = 0; place < VKRowPlaces; ++place) {
                TVKInfo& info = ButtonInfo[row][place];
                info.Rect = placement.rects[row][place];
                inRow = inRow && isKeyButton(RowsOrder[row][place]);
                if (!inRow)
                    continue;
                if (info.Rect.isEmpty()) {
                    reportError(QStringLiteral("Out of Resources"));
                    continue;
                }
                painter.drawImage(info.Rect.topLeft(), imageForState(info));
            }
        }
    }
    FMinWidth = placement.extent.width();
    FMinHeight = placement.extent.height();
    RegenerateKeys = false;
    if (size() != placement.extent)
        resize(placement.extent);
    updateGeometry();
}

void TClavierVirtuel::paintEvent(QPaintEvent*) {
    DrawButtons();
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), FBigBuffer);
    // A control stretched beyond its picture shows the gap colour there.
    const QRegion uncovered = QRegion(rect()) - QRegion(FBigBuffer.rect());
    for (const QRect& part : uncovered)
        painter.fillRect(part, Qt::red);
}

} // namespace pinstage
