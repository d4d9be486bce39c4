#include "config/LayerOrder.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pinstage;

namespace {

std::vector<int> drawnOrder(const FrontonRecord& r, int count) {
    std::vector<int> order;
    for (int k = 0; k < count; ++k)
        order.push_back(r.elements[size_t(k)].drawSlot);
    return order;
}

void appendRange(std::vector<int>& v, int first, int last) {
    for (int e = first; e <= last; ++e)
        v.push_back(e);
}

} // namespace

TEST(LayerOrder, DefaultsDrawBackgroundPanelsReelsThenAdvert) {
    FrontonRecord r = defaultFronton();
    ASSERT_EQ(computeLayerOrder(r), 89);
    std::vector<int> expected{0, 1};
    appendRange(expected, 32, 36);
    appendRange(expected, 38, 44);
    appendRange(expected, 49, 58);
    appendRange(expected, 63, 87);
    expected.push_back(37);
    appendRange(expected, 45, 48);
    appendRange(expected, 59, 62);
    appendRange(expected, 2, 31);
    expected.push_back(88);
    EXPECT_EQ(drawnOrder(r, 89), expected);
}

TEST(LayerOrder, ElementOutsideTheDrawnLayersVanishes) {
    FrontonRecord r = defaultFronton();
    r.elements[40].layer = 45;
    r.elements[41].layer = -1;
    r.elements[87].drawSlot = 77;
    r.elements[88].drawSlot = 66;
    ASSERT_EQ(computeLayerOrder(r), 87);
    auto order = drawnOrder(r, 87);
    EXPECT_EQ(std::count(order.begin(), order.end(), 40), 0);
    EXPECT_EQ(std::count(order.begin(), order.end(), 41), 0);
    EXPECT_EQ(order.back(), 88);
    // The slots after the last filled one keep what they held.
    EXPECT_EQ(r.elements[87].drawSlot, 77);
    EXPECT_EQ(r.elements[88].drawSlot, 66);
}

TEST(LayerOrder, TiesKeepElementOrderAndLayer39IsLast) {
    FrontonRecord r = defaultFronton();
    r.elements[5].layer = 0;
    r.elements[3].layer = 39;
    r.elements[1].layer = 39;
    ASSERT_EQ(computeLayerOrder(r), 89);
    auto order = drawnOrder(r, 89);
    EXPECT_EQ(order[0], 0);
    EXPECT_EQ(order[1], 5);
    EXPECT_EQ(order[87], 1);
    EXPECT_EQ(order[88], 3);
    for (int k = 0; k < 89; ++k)
        EXPECT_EQ(elementInDrawSlot(r.elements[size_t(k)]), order[size_t(k)]);
}

TEST(LayerOrder, NothingDrawnLeavesEverySlot) {
    FrontonRecord r = defaultFronton();
    for (size_t e = 0; e < r.elements.size(); ++e) {
        r.elements[e].layer = 40 + int32_t(e);
        r.elements[e].drawSlot = int32_t(e) + 1000;
    }
    EXPECT_EQ(computeLayerOrder(r), 0);
    EXPECT_EQ(r.elements[0].drawSlot, 1000);
    EXPECT_EQ(r.elements[88].drawSlot, 1088);
}

TEST(LayerOrder, ReelElementsMapToTheirCounterAndReel) {
    auto at = [](int e) {
        auto p = reelOfElement(e);
        return p ? std::pair{p->counter, p->reel} : std::pair{-1, -1};
    };
    EXPECT_EQ(at(2), std::pair(0, 0));
    EXPECT_EQ(at(8), std::pair(0, 6));
    EXPECT_EQ(at(9), std::pair(1, 0));
    EXPECT_EQ(at(22), std::pair(2, 6));
    EXPECT_EQ(at(29), std::pair(3, 6));
    EXPECT_EQ(at(30), std::pair(4, 0));
    EXPECT_EQ(at(31), std::pair(4, 1));
    EXPECT_EQ(at(1), std::pair(-1, -1));
    EXPECT_EQ(at(32), std::pair(-1, -1));
    EXPECT_EQ(at(-5), std::pair(-1, -1));
}
