// Drawing order of the backglass: one pass per drawn layer, elements in increasing number.
#include "config/LayerOrder.h"

namespace pinstage {

int computeLayerOrder(FrontonRecord& r) {
    int k = 0;
    for (int32_t layer = 0; layer < kFrontonLayerCount; ++layer)
        for (int e = 0; e < kFrontonElementCount; ++e)
            if (r.elements[size_t(e)].layer == layer)
                r.elements[size_t(k++)].drawSlot = e;
    return k;
}

std::optional<ReelPosition> reelOfElement(int element) {
    if (element < element::kFirstReel || element >= element::kEndReels)
        return std::nullopt;
    int counter = (element - element::kFirstReel) / 7;
    return ReelPosition{counter, element - element::kFirstReel - 7 * counter};
}

} // namespace pinstage
