// The shared stage of the media timings.
#include "MediaStage.h"

#include "DefaultVideo.h"

namespace pinstage {

MediaStage::MediaStage() : BackglassStage("pinstage-media-stage") {
    writeDefaultVideos(root());
    screen = std::make_unique<BackglassMediaScreen>([this] { return b.get(); });
}

FrameOutcome MediaStage::frame() {
    ctx.now += 40;
    FrameHooks hooks;
    hooks.recordsStep = [this](QImage& back) { return screen->drawPoster(back); };
    return composeFrame(*b, ctx, presenter, hooks);
}

void MediaStage::posterSteps() {
    for (int k = 0; k < 2; ++k) {
        posters.AnimerAffiche();
        posters.takePause();
        if (posters.takeNextRequest()) {
            const auto pub = root().dir(DataDir::PubImages);
            screen->loadPoster(pub / posters.NouvelleAffiche([&](const std::string& n) {
                return std::filesystem::exists(pub / n);
            }));
        }
        screen->placePoster(posters.destination(), posters.source());
    }
}

} // namespace pinstage
