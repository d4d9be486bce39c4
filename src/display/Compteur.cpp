// Counter of reels: value read from the digits, roll to zero, digits shown at once.
#include "display/Compteur.h"

#include <algorithm>

namespace pinstage {

Compteur::Compteur(int firstElement, std::vector<Rouleau> reels)
    : firstElement_(firstElement), reels_(std::move(reels)) {
    if (reels_.size() > size_t(kMaxReels))
        reels_.erase(reels_.begin() + kMaxReels, reels_.end());
}

Rouleau* Compteur::reel(int k) {
    return (k >= 0 && k < reelCount()) ? &reels_[size_t(k)] : nullptr;
}

const Rouleau* Compteur::reel(int k) const {
    return (k >= 0 && k < reelCount()) ? &reels_[size_t(k)] : nullptr;
}

void Compteur::rollToZero() {
    for (Rouleau& r : reels_) {
        if (r.digit == 0)
            continue; // a reel that does not move keeps its next carry sound
        r.silent = 1;
        r.forwardPixels = (10 - r.digit) * Rouleau::kCellHeight;
        r.digit = 0;
    }
}

int64_t Compteur::value(int count) const {
    count = std::clamp(count, 0, reelCount());
    int64_t v = 0;
    for (int k = count - 1; k >= 0; --k)
        v = v * 10 + reels_[size_t(k)].digit;
    return v;
}

void Compteur::showValueAtOnce(int64_t v) {
    if (v < 0)
        v = 0;
    for (Rouleau& r : reels_) {
        r.forwardSteps = r.backwardSteps = 0;
        r.forwardPixels = r.backwardPixels = 0;
        r.showDigitAtOnce(int(v % 10));
        v /= 10;
    }
}

bool Compteur::idle() const {
    return std::all_of(reels_.begin(), reels_.end(), [](const Rouleau& r) { return r.idle(); });
}

} // namespace pinstage
