// The poster series of the attract sequence: which Pub<n>.bmp comes next, and the animation that
// unrolls a poster from the top of the screen, slides it down with a pause at mid-screen and lets
// it leave by the bottom, 10 pixels per step.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace pinstage {

struct PosterRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const PosterRect&) const = default;
};

// The poster picture's own rectangle (the layout's picture 50): the source the animation cuts from.
constexpr int32_t kPosterSourceWidth = 1360;
constexpr int32_t kPosterSourceHeight = 768;
constexpr int32_t kPosterStep = 10;

// "Pub.bmp" with the number before the extension.
std::string posterFileName(unsigned number);

class PosterAnimation {
public:
    // designHeight: the backglass layout's height; the poster grows to the screen height divided by
    // the backglass scale (screen height / design height), its design height on the screen.
    PosterAnimation(int32_t screenWidth, int32_t screenHeight, int32_t designHeight);

    // Chooses the next poster: Pub<counter>.bmp, back to Pub0.bmp when that file does not exist
    // (exists tells). Resets the rectangles to a zero-height poster at the top, over the middle
    // 86 % of the width, and clears the pause-done flag. Returns the file name.
    std::string NouvelleAffiche(const std::function<bool(const std::string&)>& exists);
    // One 10-pixel step.
    void AnimerAffiche();

    // The animation's requests, cleared when taken.
    bool takePause();
    bool takeNextRequest();

    bool sliding() const { return sliding_; }
    int32_t grownHeight() const { return grown_; }
    const PosterRect& destination() const { return dest_; }
    const PosterRect& source() const { return source_; }
    uint8_t counter() const { return counter_; }

private:
    void sourceBottomFromHeight(int32_t shownHeight);

    int32_t width_;
    int32_t height_;
    int32_t grown_;
    uint8_t counter_ = 0;
    bool sliding_ = true; // starts sliding with empty rectangles: the first step asks for a poster
    bool pauseRequest_ = false;
    bool pauseDone_ = false;
    bool nextRequest_ = false;
    PosterRect dest_;
    PosterRect source_;
};

} // namespace pinstage
