// A counter of score reels, units first: a player's score (7 reels) or the credits (2 reels).
#pragma once

#include "display/Rouleau.h"

#include <cstdint>
#include <vector>

namespace pinstage {

class Compteur {
public:
    static constexpr int kMaxReels = 7;

    Compteur() = default;
    Compteur(int firstElement, std::vector<Rouleau> reels);

    int firstElement() const { return firstElement_; }
    int reelCount() const { return int(reels_.size()); }
    // Reel k (0 = units), null outside the counter.
    Rouleau* reel(int k);
    const Rouleau* reel(int k) const;
    std::vector<Rouleau>& reels() { return reels_; }
    const std::vector<Rouleau>& reels() const { return reels_; }

    // Every moving reel rolls upward to 0 without carry transfer sounds (game start).
    void rollToZero();
    // Sum of digit(k) * 10^k over the first reelCount reels.
    int64_t value(int reelCount) const;
    // Shows a value at once (units in reel 0); digits beyond the last reel are dropped.
    void showValueAtOnce(int64_t value);
    bool idle() const;

private:
    int firstElement_ = 0;
    std::vector<Rouleau> reels_;
};

} // namespace pinstage
