// The drawing side of the posters: the poster picture and its two rectangles on the backglass.
#pragma once

#include "media/PosterAnimation.h"

#include <filesystem>

namespace pinstage {

class PosterScreen {
public:
    virtual ~PosterScreen() = default;
    // Loads the poster picture; false when it cannot be read (nothing is drawn then).
    virtual bool loadPoster(const std::filesystem::path& file) = 0;
    // The part `source` of the picture (in its 1360 x 768 frame) drawn stretched over `destination`.
    virtual void placePoster(const PosterRect& destination, const PosterRect& source) = 0;
    // Shown while the poster step runs; hidden at the end of the step.
    virtual void setPosterShown(bool shown) = 0;
};

} // namespace pinstage
