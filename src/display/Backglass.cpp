// Backglass set-up: surfaces from the symbol bitmaps, symbols from the layout, counters, and the
// elements lit in attract mode.
#include "display/Backglass.h"

#include "config/FrontonParams.h"
#include "config/LayerOrder.h"
#include "display/QtPath.h"
#include "display/SymbolNames.h"
#include "display/SymbolSurfaces.h"
#include "platform/PinError.h"

#include <algorithm>
#include <climits>

namespace pinstage {

namespace {

// A screen larger than this is not a screen: refusing it keeps the buffers' memory bounded.
constexpr int32_t kLargestScreenSide = 16384;

// Elements lit when the backglass is built: counter frames, title, background, the players panel
// with its digit 4, the second panel, GAME OVER and the four player bands.
constexpr std::array<int, 15> kAttractElements{
    element::kScoreFrame1,     element::kScoreFrame1 + 1, element::kScoreFrame1 + 2,
    element::kScoreFrame1 + 3, element::kCreditFrame,     element::kTitle,
    element::kBackground,      element::kPanelPlayers,    element::kPanelDigit1 + 3,
    element::kPanelCompete,    element::kGameOver,        element::kBanner1,
    element::kBanner1 + 1,     element::kBanner1 + 2,     element::kBanner1 + 3};

} // namespace

SymbolTable Backglass::symbolTable() {
    SymbolTable t{};
    for (size_t e = 0; e < t.size(); ++e)
        t[e] = symbols[e] ? &symbols[e]->place : nullptr;
    return t;
}

void stretchBackgroundToScreen(FrontonRecord& layout, ScreenSize screen) {
    FrontonElement& bg = layout.elements[element::kBackground];
    bg.displayLeft = 0;
    bg.displayTop = 0;
    bg.displayRight = screen.width;
    bg.displayBottom = screen.height;
}

void initDisplay(Backglass& b, ScreenSize screen) {
    if (b.displayReady)
        return;
    if (screen.width <= 0 || screen.height <= 0 || screen.width > kLargestScreenSide ||
        screen.height > kLargestScreenSide)
        throw PinError("impossible de régler le format d'écran");
    b.screen = screen;
    b.mapping = DesignMapping::fromLayout(screen, b.layout);
    b.backBuffer = QImage(screen.width, screen.height, QImage::Format_RGB32);
    if (b.backBuffer.isNull())
        throw PinError("Erreur sur GetAttachedSurface");
    b.backBuffer.fill(Qt::black);
    b.overlay.create();
    b.displayReady = true;
}

void releaseDisplay(Backglass& b) {
    b.backBuffer = QImage();
    b.overlay.release();
    b.scene = QImage();
    for (auto& s : b.symbols)
        s.reset();
    for (auto& s : b.surfaces)
        s = QImage();
    b.reels.release();
    b.changed = false;
    b.damage = QRegion();
    b.backBufferOnly = QRegion();
    b.displayReady = false;
}

void loadSymbolSurfaces(Backglass& b) {
    for (int e = 0; e < element::kCount; ++e) {
        QImage& surface = b.surfaces[size_t(e)];
        surface = QImage();
        const FrontonElement& el = b.layout.elements[size_t(e)];
        if (!elementHasPicture(el))
            continue;
        auto name = symbolFileName(el);
        if (!name)
            continue;
        QImage picture;
        if (picture.load(toQString(b.root.file(DataDir::Symbols, *name)), "BMP"))
            surface = toSymbolSurface(picture);
    }
    b.scene = QImage(b.screen.width, b.screen.height, QImage::Format_RGB32);
    if (b.scene.isNull())
        throw PinError("Erreur création surface hors écran scène");
    b.scene.fill(Qt::black);
}

void createSymbols(Backglass& b, int first, int end) {
    first = std::clamp(first, 0, element::kCount);
    end = std::clamp(end, first, element::kCount);
    for (int e = first; e < end; ++e) {
        auto symbol = std::make_unique<Symbol>();
        const QImage& surface = b.surfaces[size_t(e)];
        symbol->surface = surface.isNull() ? nullptr : &surface;
        const FrontonElement& el = b.layout.elements[size_t(e)];
        // A background whose source rectangle does not fit gives no design size: no picture.
        if (e == 0 && !pictureSourceSize(el))
            symbol->surface = nullptr;
        if (elementHasPicture(el)) {
            SymbolPlacement& p = symbol->place;
            // The background always covers the screen, whatever the screen's size.
            p.destination = e == element::kBackground ? PixelRect{0, 0, b.screen.width, b.screen.height}
                                                      : b.mapping.mapElement(el);
            p.parent = elementParent(el).value_or(0);
            if (element::isReel(e)) {
                auto picture = elementPicture(el);
                if (picture) {
                    const FrontonElement& pic = b.layout.elements[size_t(*picture)];
                    p.source = {pic.sourceLeft, pic.sourceTop, pic.sourceRight, pic.sourceBottom};
                }
            } else {
                int64_t w = int64_t(el.displayRight) - el.displayLeft;
                int64_t h = int64_t(el.displayBottom) - el.displayTop;
                p.source = {0, 0, int32_t(std::clamp<int64_t>(w, 0, INT32_MAX)),
                            int32_t(std::clamp<int64_t>(h, 0, INT32_MAX))};
            }
        }
        b.symbols[size_t(e)] = std::move(symbol);
    }
}

GameOverIndicator initBackglass(Backglass& b, ReelSounds sounds, uint32_t now) {
    b.mapping = DesignMapping::fromLayout(b.screen, b.layout); // the layout may have been reloaded
    loadSymbolSurfaces(b);
    createSymbols(b, 0, element::kCount);
    b.reels.build(b.layout, b.mapping, sounds);
    for (int e = element::kFirstReel; e < element::kEndReels; ++e)
        if (Symbol* s = b.symbol(e))
            s->place.shown = 1;
    for (int e : kAttractElements) {
        if (Symbol* s = b.symbol(e))
            s->place.shown = 1;
        b.layout.elements[size_t(e)].dirty = 1;
    }
    computeLayerOrder(b.layout);
    b.reels.copyWindowsToLayout(b.layout);
    b.cadence.force();
    b.changed = false;
    b.damage = QRegion();
    b.backBufferOnly = QRegion();
    return {1, now + 10000};
}

} // namespace pinstage
