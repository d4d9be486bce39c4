// The shared stage of the media timings.
#include "MediaStage.h"

#include "DefaultPictures.h"
#include "DefaultVideo.h"
#include "display/SymbolFiles.h"

#include <unistd.h>

namespace pinstage {

MediaStage::MediaStage() {
    dir = std::filesystem::temp_directory_path() / ("pinstage-media-stage-" + std::to_string(getpid()));
    DataRoot data(dir);
    writeDefaultPictures(data);
    writeDefaultVideos(data);
    ScreenSize size{1920, 1080};
    stretchBackgroundToScreen(layout, size);
    buildSymbolFiles(layout, data, 0, 88, DataDir::Images);
    buildSymbolFiles(layout, data, 88, 89, DataDir::PubImages);
    b = std::make_unique<Backglass>(layout, data);
    initDisplay(*b, size);
    initBackglass(*b, {}, 0);
    ctx.now = 1000;
    fullRedraw(*b, ctx, presenter);
    screen = std::make_unique<BackglassMediaScreen>([this] { return b.get(); });
}

MediaStage::~MediaStage() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
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
