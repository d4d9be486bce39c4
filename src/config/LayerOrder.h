// The drawing order of the backglass elements: element numbers sorted by layer, ties in element order.
#pragma once

#include "config/FrontonParams.h"

#include <optional>

namespace pinstage {

// Fills the draw slots of records 0, 1, ... with the elements of layers 0-39 in drawing order and
// returns how many were filled; elements on other layers are left out, and the draw slots after the
// last filled one keep their contents.
int computeLayerOrder(FrontonRecord& r);

// The counter (0-3 the players' scores, 4 the credits) and reel index of a reel element 2-31.
struct ReelPosition {
    int counter;
    int reel;
};
std::optional<ReelPosition> reelOfElement(int element);

} // namespace pinstage
