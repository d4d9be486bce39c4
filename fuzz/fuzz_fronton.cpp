// The backglass layout loaded from a file holding the fuzzed bytes, then laid out on a screen the
// way the backglass does it without pixels: design mapping, symbol places, layer order, reels and
// a few frames with their erase rectangles.
#include "FuzzFile.h"

#include "config/FrontonParams.h"
#include "config/LayerOrder.h"
#include "display/FramePlan.h"
#include "display/ReelBank.h"
#include "display/SymbolNames.h"
#include "platform/PinError.h"

#include <algorithm>
#include <array>
#include <climits>

using namespace pinstage;

namespace {

constexpr std::array<ScreenSize, 3> kScreens{{{1360, 768}, {1920, 1080}, {800, 600}}};

// The symbol places as the backglass sets them from the layout.
void placeSymbols(const FrontonRecord& layout, const DesignMapping& mapping, ScreenSize screen,
                  std::array<SymbolPlacement, element::kCount>& places, SymbolTable& table) {
    for (int e = 0; e < element::kCount; ++e) {
        const FrontonElement& el = layout.elements[size_t(e)];
        SymbolPlacement& p = places[size_t(e)];
        p = {};
        table[size_t(e)] = &p;
        if (pictureNumberEmpty(el))
            continue;
        p.destination = e == 0 ? PixelRect{0, 0, screen.width, screen.height} : mapping.mapElement(el);
        p.parent = elementParent(el).value_or(0);
        if (element::isReel(e)) {
            if (auto picture = elementPicture(el)) {
                const FrontonElement& pic = layout.elements[size_t(*picture)];
                p.source = {pic.sourceLeft, pic.sourceTop, pic.sourceRight, pic.sourceBottom};
            }
        } else {
            p.source = {0, 0, int32_t(std::clamp<int64_t>(displayRect(el).width(), 0, INT32_MAX)),
                        int32_t(std::clamp<int64_t>(displayRect(el).height(), 0, INT32_MAX))};
        }
        (void)symbolFileName(el);
        p.shown = uint8_t(e % 3 == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto file = fuzz::fuzzDir().write("FrontonParam0.fli", data, size);
    static const FrontonRecord kDefault = defaultFronton(); // parsed once from the label tables
    FrontonRecord layout = kDefault;
    try {
        loadFronton(file, layout);
    } catch (const PinError&) {
        return 0;
    }
    ScreenSize screen = kScreens[size % kScreens.size()];
    DesignMapping mapping = DesignMapping::fromLayout(screen, layout);
    (void)pictureSourceSize(layout.elements[0]);
    for (const FrontonElement& el : layout.elements) {
        PixelRect r = mapping.mapElement(el);
        (void)mapping.toDesignX(r.left);
        (void)mapping.toDesignY(r.bottom);
        (void)elementPicture(el);
        (void)elementInDrawSlot(el);
        (void)isDrawnLayer(el.layer);
    }
    computeLayerOrder(layout);

    ReelBank reels;
    reels.build(layout, mapping, {});
    reels.copyWindowsToLayout(layout);
    for (int c = 0; c < ReelBank::kCounterCount; ++c)
        (void)reels.counterValue(c, 7);

    std::array<SymbolPlacement, element::kCount> places{};
    SymbolTable table{};
    placeSymbols(layout, mapping, screen, places, table);
    ScreenSize background = pictureSourceSize(layout.elements[0]).value_or(screen);
    uint32_t now = 0;
    for (int frame = 0; frame < 3; ++frame) {
        for (FrontonElement& el : layout.elements)
            el.dirty = 1;
        reels.startReelSteps();
        now += 40;
        reels.animateReels(now);
        bool changed = false;
        for (const FrameStep& step : planFrame(layout, table, changed)) {
            const SymbolPlacement& p = places[size_t(step.element)];
            PixelRect under =
                step.erase.asParent
                    ? parentSourceRect(p.destination, layout.elements[size_t(step.erase.background)], mapping)
                    : backgroundSourceRect(p.destination, screen, background);
            (void)insideSurface(under, background);
            (void)insideSurface(p.source, screen);
        }
        for (SymbolPlacement& p : places)
            p.shown ^= 1;
    }
    return 0;
}
