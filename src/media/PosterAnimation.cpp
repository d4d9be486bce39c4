// Poster series and animation phases, in screen pixels for the destination and in the poster
// picture's pixels for the source.
#include "media/PosterAnimation.h"

#include <algorithm>
#include <utility>

namespace pinstage {

std::string posterFileName(unsigned number) {
    return "Pub" + std::to_string(number) + ".bmp";
}

PosterAnimation::PosterAnimation(int32_t screenWidth, int32_t screenHeight, int32_t designHeight)
    : width_(std::max(screenWidth, 0)), height_(std::max(screenHeight, 0)) {
    // H / (H / design) is the design height, kept within the screen.
    grown_ = designHeight > 0 ? std::min(designHeight, height_) : height_;
}

std::string PosterAnimation::NouvelleAffiche(const std::function<bool(const std::string&)>& exists) {
    std::string name = posterFileName(counter_);
    if (!exists(name)) {
        counter_ = 0;
        name = posterFileName(0);
    }
    ++counter_;
    dest_ = {int32_t(0.07 * width_), 0, int32_t(0.93 * width_), 0};
    source_ = {0, 0, kPosterSourceWidth, 0};
    pauseDone_ = false;
    return name;
}

void PosterAnimation::sourceBottomFromHeight(int32_t shownHeight) {
    // The whole picture spans the grown height: the part shown is cut in proportion.
    source_.bottom =
        grown_ > 0 ? int32_t(int64_t(std::clamp(shownHeight, 0, grown_)) * kPosterSourceHeight / grown_) : 0;
}

void PosterAnimation::AnimerAffiche() {
    if (!sliding_) {
        if (dest_.bottom >= grown_) {
            sliding_ = true;
        } else {
            dest_.bottom += kPosterStep;
            sourceBottomFromHeight(dest_.bottom);
        }
    } else {
        dest_.top += kPosterStep;
        if (dest_.bottom <= height_ - kPosterStep)
            dest_.bottom += kPosterStep;
        else
            sourceBottomFromHeight(dest_.bottom - dest_.top);
        if (dest_.bottom <= dest_.top) {
            dest_.top = dest_.bottom = 0;
            source_.top = source_.bottom = 0;
            sliding_ = false;
            nextRequest_ = true;
        }
    }
    if (!pauseDone_ && dest_.bottom > dest_.top &&
        dest_.top + (dest_.bottom - dest_.top) / 2 >= height_ / 2) {
        pauseDone_ = true;
        pauseRequest_ = true;
    }
}

bool PosterAnimation::takePause() {
    return std::exchange(pauseRequest_, false);
}
bool PosterAnimation::takeNextRequest() {
    return std::exchange(nextRequest_, false);
}

} // namespace pinstage
