// Offline rendering of the built-in backglass: the same set-up and frame as the machine's.
#include "display/DefaultBackglassRender.h"

#include "config/FrontonParams.h"
#include "display/Backglass.h"
#include "display/FrameComposer.h"
#include "display/SymbolFiles.h"

namespace pinstage {

QImage renderDefaultBackglass(const std::filesystem::path& rootDir, int width, int height,
                              const std::array<int64_t, 4>& scores, int credits) {
    DataRoot root(rootDir);
    root.ensureDirectories();
    FrontonRecord layout = defaultFronton();
    ScreenSize screen{width, height};
    stretchBackgroundToScreen(layout, screen);
    buildSymbolFiles(layout, root, 0, element::kAdvert, DataDir::Images);
    buildSymbolFiles(layout, root, element::kAdvert, kFrontonElementCount, DataDir::PubImages);

    Backglass b(layout, root);
    initDisplay(b, screen);
    initBackglass(b, {}, 0);
    for (int c = 0; c < ReelBank::kPlayerCounters; ++c)
        b.reels.counter(c)->showValueAtOnce(scores[size_t(c)]);
    b.reels.counter(ReelBank::kCreditCounter)->showValueAtOnce(credits < 0 ? 0 : credits % 100);

    ImagePresenter presenter;
    FrameContext ctx;
    ctx.now = 0;
    fullRedraw(b, ctx, presenter);
    return presenter.screen();
}

} // namespace pinstage
