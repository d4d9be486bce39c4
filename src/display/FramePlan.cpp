// Frame decisions: layer order walk, dirty and shown flags, reel windows, skip rules, strips.
#include "display/FramePlan.h"

#include "config/FrontonParams.h"
#include "platform/Clock.h"

#include <algorithm>
#include <bitset>
#include <climits>

namespace pinstage {

namespace {

// A source bottom that differs from every reel window's: the reel's next frame draws it.
constexpr int32_t kReelRedrawBottom = 25;

// Copies the sides of the reel window that differ into the source rectangle.
bool followReelWindow(const FrontonElement& el, PixelRect& source) {
    PixelRect window{el.reelWindowLeft, el.reelWindowTop, el.reelWindowRight, el.reelWindowBottom};
    if (window == source)
        return false;
    source = window;
    return true;
}

} // namespace

EraseSource eraseSourceOf(int element, const FrontonRecord& layout, const SymbolTable& symbols) {
    if (element < 0 || element >= element::kCount)
        return {};
    int p = elementParent(layout.elements[size_t(element)]).value_or(0);
    if (p != element::kBackground && p != element && symbols[size_t(p)] && symbols[size_t(p)]->shown == 1)
        return {p, true};
    return {};
}

PixelRect parentSourceRect(const PixelRect& dest, const FrontonElement& parent, const DesignMapping& m) {
    int32_t left = m.toDesignX(dest.left);
    int32_t top = m.toDesignY(dest.top);
    // The size is brought back on its own so that two truncated bounds do not lose a unit.
    int64_t width = m.toDesignX(int32_t(std::clamp<int64_t>(dest.width(), 0, INT32_MAX)));
    int64_t height = m.toDesignY(int32_t(std::clamp<int64_t>(dest.height(), 0, INT32_MAX)));
    int64_t x = int64_t(left) - parent.displayLeft;
    int64_t y = int64_t(top) - parent.displayTop;
    auto clamp32 = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    return {clamp32(x), clamp32(y), clamp32(x + width), clamp32(y + height)};
}

PixelRect backgroundSourceRect(const PixelRect& dest, ScreenSize screen, ScreenSize background) {
    if (screen == background || screen.width <= 0 || screen.height <= 0)
        return dest;
    auto sx = [&](int32_t v) { return int32_t(int64_t(v) * background.width / screen.width); };
    auto sy = [&](int32_t v) { return int32_t(int64_t(v) * background.height / screen.height); };
    return {sx(dest.left), sy(dest.top), sx(dest.right), sy(dest.bottom)};
}

bool insideSurface(const PixelRect& r, ScreenSize s) {
    return !r.isEmpty() && r.left >= 0 && r.top >= 0 && r.right <= s.width && r.bottom <= s.height;
}

void forceReelRedraw(const SymbolTable& symbols) {
    for (int e = element::kFirstReel; e < element::kEndReels; ++e)
        if (SymbolPlacement* s = symbols[size_t(e)])
            s->source.bottom = kReelRedrawBottom;
}

std::vector<FrameStep> planFrame(FrontonRecord& layout, const SymbolTable& symbols, bool& changed) {
    std::vector<FrameStep> steps;
    std::bitset<element::kCount> handled;
    for (int slot = 0; slot < element::kCount; ++slot) {
        auto e = elementInDrawSlot(layout.elements[size_t(slot)]);
        if (!e || handled.test(size_t(*e)))
            continue;
        handled.set(size_t(*e));
        FrontonElement& el = layout.elements[size_t(*e)];
        SymbolPlacement* sym = symbols[size_t(*e)];
        if (!sym)
            continue;
        if (element::isReel(*e)) {
            // Reels follow their window and ignore the dirty and shown flags.
            if (followReelWindow(el, sym->source)) {
                changed = true;
                steps.push_back({FrameAction::Draw, *e});
            }
            continue;
        }
        if (el.dirty != 1)
            continue;
        el.dirty = 0;
        changed = true;
        if (sym->shown == 1)
            steps.push_back({FrameAction::Draw, *e});
        else if (*e != element::kBackground)
            steps.push_back({FrameAction::Erase, *e, eraseSourceOf(*e, layout, symbols)});
    }
    return steps;
}

bool frameForbidden(const FrameContext& ctx) {
    return (!ctx.displayInitialised && ctx.loopMode != 0) || ctx.dashboardOpen || ctx.keyboardInUse;
}

bool backToMenuWanted(const FrameContext& ctx) {
    return ctx.playersDoneMask == 0x0F && ctx.gameOverIndicator == 1 && ctx.startupChoiceValue == YesNo::Oui;
}

bool FrameCadence::due(uint32_t now) {
    if (last_ && elapsedSince(now, *last_) < kFramePeriodMs)
        return false;
    last_ = now;
    return true;
}

std::vector<PixelRect> presentStrips(ScreenSize screen, const std::optional<CoveredArea>& covered) {
    std::vector<PixelRect> strips;
    if (!covered) {
        strips.push_back({0, 0, screen.width, screen.height});
        return strips;
    }
    // The covered rectangle is clipped to the screen so that no strip reaches outside it.
    auto clampX = [&](int32_t x) { return std::clamp(x, 0, screen.width); };
    auto clampY = [&](int32_t y) { return std::clamp(y, 0, screen.height); };
    PixelRect c{clampX(covered->rect.left), clampY(covered->rect.top), clampX(covered->rect.right),
                clampY(covered->rect.bottom)};
    auto add = [&](PixelRect r) {
        if (!r.isEmpty())
            strips.push_back(r);
    };
    add({0, 0, c.left, screen.height});
    add({c.left, 0, c.right, c.top});
    add({c.right, 0, screen.width, screen.height});
    if (covered->browser)
        add({0, c.bottom, screen.width, screen.height});
    else
        add({c.left, c.bottom, c.right, screen.height});
    return strips;
}

} // namespace pinstage
