// A default backglass at 1920 x 1080 in a fresh data root with the default pictures and video,
// and the media content drawn on it, shared by the media timings and the measured run.
#pragma once

#include "BackglassStage.h"
#include "media/BackglassMediaScreen.h"
#include "media/PosterAnimation.h"

#include <memory>

namespace pinstage {

struct MediaStage : BackglassStage {
    std::unique_ptr<BackglassMediaScreen> screen;
    PosterAnimation posters{1920, 1080, 768};

    MediaStage();
    // One frame with the poster drawn over it.
    FrameOutcome frame();
    // Two 20 ms poster steps (one 40 ms frame), the next poster loaded when asked for.
    void posterSteps();
};

} // namespace pinstage
