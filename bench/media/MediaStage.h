// A default backglass at 1920 x 1080 in a fresh data root with the default pictures and video,
// and the media content drawn on it, shared by the media timings and the measured run.
#pragma once

#include "config/FrontonParams.h"
#include "display/Backglass.h"
#include "display/FrameComposer.h"
#include "media/BackglassMediaScreen.h"
#include "media/PosterAnimation.h"

#include <filesystem>
#include <memory>

namespace pinstage {

struct MediaStage {
    std::filesystem::path dir;
    FrontonRecord layout = defaultFronton();
    std::unique_ptr<Backglass> b;
    ImagePresenter presenter;
    FrameContext ctx;
    std::unique_ptr<BackglassMediaScreen> screen;
    PosterAnimation posters{1920, 1080, 768};

    MediaStage();
    ~MediaStage();
    DataRoot root() const { return DataRoot(dir); }
    // One frame with the poster drawn over it.
    FrameOutcome frame();
    // Two 20 ms poster steps (one 40 ms frame), the next poster loaded when asked for.
    void posterSteps();
};

} // namespace pinstage
