// A picture of the built-in backglass at any size with given scores and credits, for developers
// and documentation.
#pragma once

#include <QImage>

#include <array>
#include <cstdint>
#include <filesystem>

namespace pinstage {

// Builds the built-in layout's backglass at width x height from the pictures of the data root
// (which must hold the default pictures), shows the scores on the players' reels and the credits
// on the credit reels at once, and returns the frame as presented. Writes the symbol bitmaps into
// the root's symbols directory. Throws PinError as the display set-up does.
QImage renderDefaultBackglass(const std::filesystem::path& root, int width, int height,
                              const std::array<int64_t, 4>& scores, int credits);

} // namespace pinstage
