// Frame composition: changed elements and moved reels drawn on the scene, copied to the back
// buffer, transient text and overlay added, presentation, then the back buffer restored.
#include "display/FrameComposer.h"

#include "config/FrontonParams.h"
#include "display/BackToMenuText.h"
#include "display/ImageCopy.h"

#include <QPainter>

#include <algorithm>

namespace pinstage {

namespace {

QRect toQRect(const PixelRect& r) {
    return QRect(r.left, r.top, int(std::clamp<int64_t>(r.width(), 0, INT32_MAX)),
                 int(std::clamp<int64_t>(r.height(), 0, INT32_MAX)));
}

ScreenSize sizeOf(const QImage& i) {
    return {i.width(), i.height()};
}

QRect screenRect(const Backglass& b) {
    return QRect(0, 0, b.screen.width, b.screen.height);
}

// Paints what lies under element e on the painter's surface; returns the place painted.
QRect eraseElement(Backglass& b, int e, const EraseSource& source, QPainter& p) {
    Symbol* s = b.symbol(e);
    if (!s)
        return {};
    const QImage* background = nullptr;
    PixelRect from{};
    if (source.asParent) {
        const QImage& parent = b.surfaces[size_t(source.background)];
        from =
            parentSourceRect(s->place.destination, b.layout.elements[size_t(source.background)], b.mapping);
        // A rectangle outside the parent's picture would paint garbage: the background serves.
        if (!parent.isNull() && insideSurface(from, sizeOf(parent)))
            background = &parent;
    }
    if (!background && !b.surfaces[0].isNull()) {
        background = &b.surfaces[0];
        from = backgroundSourceRect(s->place.destination, b.screen, sizeOf(*background));
    }
    s->erase(p, background, from);
    return toQRect(s->place.destination) & screenRect(b);
}

// A digit element is painted over with what lies under it, then the digit's own picture is drawn
// in its place, so that a new digit never shows through the transparent parts of the old one.
void drawDigit(Backglass& b, int element, Symbol& s, QPainter& p) {
    const QImage* digit = nullptr;
    if (s.place.digit >= 0 && s.place.digit <= 9)
        digit = &b.surfaces[size_t(element::kLottery0 + s.place.digit)];
    if (!digit || digit->isNull()) {
        s.draw(p);
        return;
    }
    eraseElement(b, element, eraseSourceOf(element, b.layout, b.symbolTable()), p);
    Symbol shown = s;
    shown.surface = digit;
    shown.place.source = {0, 0, digit->width(), digit->height()};
    shown.draw(p);
    s.place.shown = 1;
}

QRegion drawSteps(Backglass& b, const std::vector<FrameStep>& steps) {
    QRegion drawn;
    QPainter p(&b.scene);
    for (const FrameStep& step : steps) {
        Symbol* s = b.symbol(step.element);
        if (!s)
            continue;
        if (step.action == FrameAction::Draw) {
            if (s->place.digit >= 0)
                drawDigit(b, step.element, *s, p);
            else
                s->draw(p);
            drawn += toQRect(s->place.destination) & screenRect(b);
        } else {
            drawn += eraseElement(b, step.element, step.erase, p);
        }
    }
    return drawn;
}

QRegion stripsRegion(const Backglass& b, const FrameContext& ctx) {
    QRegion r;
    for (const PixelRect& s : presentStrips(b.screen, ctx.covered))
        r += toQRect(s);
    return r;
}

} // namespace

void ImagePresenter::present(const QImage& backBuffer, const QRegion& region) {
    if (screen_.size() != backBuffer.size() || screen_.format() != backBuffer.format()) {
        screen_ = QImage(backBuffer.size(), backBuffer.format());
        screen_.fill(Qt::black);
    }
    copyRegion(screen_, backBuffer, region);
    lastRegion_ = region;
    ++presentations_;
}

FrameOutcome composeFrame(Backglass& b, const FrameContext& ctx, FramePresenter& presenter,
                          const FrameHooks& hooks) {
    FrameOutcome out;
    if (frameForbidden(ctx) || !b.displayReady || b.scene.isNull())
        return out;
    if (!b.cadence.due(ctx.now))
        return out;
    out.composed = true;

    bool changed = false;
    std::vector<FrameStep> steps = planFrame(b.layout, b.symbolTable(), changed);
    if (changed)
        b.changed = true;
    if (!steps.empty()) {
        // Drawn once on the scene, then copied: the back buffer ends as if drawn on both.
        QRegion drawn = drawSteps(b, steps);
        copyRegion(b.backBuffer, b.scene, drawn);
        b.damage += drawn;
    }
    if (hooks.recordsStep) {
        QRegion drawn = hooks.recordsStep(b.backBuffer);
        if (!drawn.isEmpty()) {
            b.changed = true;
            b.damage += drawn;
            b.backBufferOnly += drawn;
        }
    }

    if (b.changed && !ctx.presentSuppressed) {
        b.changed = false;
        if (backToMenuWanted(ctx)) {
            QRect text = drawBackToMenuText(b.backBuffer);
            b.damage += text;
            b.backBufferOnly += text;
            out.backToMenuShown = true;
        }
        if (b.overlay.exists() && b.overlay.visible) {
            QRect place = toQRect(b.overlay.screenRect());
            QPainter p(&b.backBuffer);
            p.drawImage(place.topLeft(), b.overlay.keyed());
            b.damage += place & screenRect(b);
            b.backBufferOnly += place & screenRect(b);
        }
        QRegion strips = stripsRegion(b, ctx);
        presenter.present(b.backBuffer, b.damage & strips);
        // What a covering window hid is still to be shown once it goes.
        b.damage -= strips;
        ++b.presentations;
        out.presented = true;
    }

    // The back buffer gets the scene back: transient text and pictures vanish from the next frame.
    if (!b.backBufferOnly.isEmpty()) {
        copyRegion(b.backBuffer, b.scene, b.backBufferOnly);
        b.damage += b.backBufferOnly;
        b.backBufferOnly = QRegion();
    }
    return out;
}

FrameOutcome fullRedraw(Backglass& b, const FrameContext& ctx, FramePresenter& presenter) {
    for (int e = 0; e < element::kCount; ++e) {
        Symbol* s = b.symbol(e);
        if (!s)
            break;
        if (s->place.shown == 1)
            b.layout.elements[size_t(e)].dirty = 1;
    }
    forceReelRedraw(b.symbolTable());
    for (int e = 0; e < element::kAdvert; ++e)
        b.layout.elements[size_t(e)].dirty = 1;
    b.cadence.force();
    b.damage += screenRect(b);
    return composeFrame(b, ctx, presenter);
}

FrameOutcome redrawBackglass(Backglass& b, int creditUnits, int creditTens, const FrameContext& ctx,
                             FramePresenter& presenter) {
    if (creditUnits != 0 || creditTens != 0) {
        if (Rouleau* units = b.reels.reel(ReelBank::kCreditCounter, 0))
            units->showDigitAtOnce(creditUnits);
        if (Rouleau* tens = b.reels.reel(ReelBank::kCreditCounter, 1))
            tens->showDigitAtOnce(creditTens);
    }
    forceReelRedraw(b.symbolTable());
    for (int e = element::kFirstReel; e < element::kAdvert; ++e)
        b.layout.elements[size_t(e)].dirty = 1;
    FrameOutcome out = composeFrame(b, ctx, presenter);
    presenter.requestRepaint();
    return out;
}

void hideElements(Backglass& b, int first, int count) {
    if (!b.displayReady || b.scene.isNull() || count <= 0)
        return;
    int64_t end = std::min<int64_t>(int64_t(first) + count, element::kCount);
    QRegion drawn;
    {
        QPainter p(&b.scene);
        for (int64_t e = std::max(first, 0); e < end; ++e) {
            if (!b.symbol(int(e)))
                continue;
            drawn += eraseElement(b, int(e), eraseSourceOf(int(e), b.layout, b.symbolTable()), p);
        }
    }
    copyRegion(b.backBuffer, b.scene, drawn);
    b.damage += drawn;
    // Erased at once, shown at the next frame even when nothing else changes.
    b.changed = true;
}

void showOverlay(Backglass& b) {
    if (!b.overlay.exists())
        return;
    b.overlay.visible = true;
    b.damage += toQRect(b.overlay.screenRect());
    b.changed = true;
}

void hideOverlay(Backglass& b) {
    if (!b.overlay.exists())
        return;
    if (b.overlay.visible) {
        b.damage += toQRect(b.overlay.screenRect());
        b.changed = true;
    }
    b.overlay.visible = false;
}

} // namespace pinstage
