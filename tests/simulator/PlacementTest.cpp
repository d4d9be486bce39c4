// Where the simulator window goes, and which names and bits the board positions carry.
#include "board/Outputs.h"
#include "simulator/WindowPlacement.h"
#include "simulator/Wiring.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pinstage::test {
namespace {

bool overlaps(const ScreenRect& a, const ScreenRect& b) {
    return std::max(a.x, b.x) < std::min(a.right(), b.right()) &&
           std::max(a.y, b.y) < std::min(a.bottom(), b.bottom());
}

bool inside(const ScreenRect& r, const ScreenRect& s) {
    return r.x >= s.x && r.y >= s.y && r.right() <= s.right() && r.bottom() <= s.bottom();
}

TEST(Placement, SecondScreenWhenThereIsOne) {
    ScreenRect left{0, 0, 1920, 1080}, right{1920, 0, 1280, 1024};
    Placement p = placeBeside({0, 0, 1920, 1080}, {left, right}, 1100, 760);
    EXPECT_FALSE(p.coversBackglass);
    EXPECT_TRUE(inside(p.rect, right));
    EXPECT_EQ(p.rect.width, 1100);
    EXPECT_EQ(p.rect.height, 760);
    // The backglass on the second screen: the simulator goes to the first.
    p = placeBeside({1920, 0, 1280, 1024}, {left, right}, 1100, 760);
    EXPECT_TRUE(inside(p.rect, left));
}

TEST(Placement, AFrameSpillingOntoTheOtherScreenLeavesItFree) {
    ScreenRect left{0, 0, 1920, 1080}, right{1920, 0, 1280, 1024};
    ScreenRect bg{1918, -2, 1284, 1028}; // a window frame a little wider than its screen
    Placement p = placeBeside(bg, {left, right}, 1100, 760);
    EXPECT_FALSE(p.coversBackglass);
    EXPECT_TRUE(inside(p.rect, left));
    EXPECT_FALSE(overlaps(p.rect, bg));
    EXPECT_EQ(p.rect.width, 1100);
}

TEST(Placement, BesideAWindowedBackglassWithoutCoveringIt) {
    ScreenRect screen{0, 0, 1920, 1080};
    ScreenRect bg{0, 0, 1360, 768};
    Placement p = placeBeside(bg, {screen}, 1100, 760);
    EXPECT_FALSE(p.coversBackglass);
    EXPECT_FALSE(overlaps(p.rect, bg));
    EXPECT_TRUE(inside(p.rect, screen));
    EXPECT_GE(p.rect.width, kMinWidth);
    EXPECT_GE(p.rect.height, kMinHeight);
    // The right strip (560 wide, full height) beats the one below (1920 x 312).
    EXPECT_GE(p.rect.x, bg.right());
}

TEST(Placement, BelowWhenTheBelowStripIsLarger) {
    ScreenRect screen{0, 0, 1920, 1080};
    ScreenRect bg{200, 0, 1720, 500};
    Placement p = placeBeside(bg, {screen}, 1100, 760);
    EXPECT_FALSE(overlaps(p.rect, bg));
    EXPECT_GE(p.rect.y, bg.bottom());
    EXPECT_EQ(p.rect.width, 1100);
}

TEST(Placement, AFullScreenBackglassLeavesNoRoom) {
    ScreenRect screen{0, 0, 1920, 1080};
    Placement p = placeBeside(screen, {screen}, 1100, 760);
    EXPECT_TRUE(p.coversBackglass);
    EXPECT_TRUE(inside(p.rect, screen));
}

TEST(Placement, NoScreenInformation) {
    Placement p = placeBeside({0, 0, 1360, 768}, {}, 900, 600);
    EXPECT_FALSE(overlaps(p.rect, {0, 0, 1360, 768}));
}

TEST(Wiring, BoardBitsOfTheOutputObjects) {
    Outputs out;
    for (int i = 0; i < kCoilCount; ++i) {
        out.coils[size_t(i)].byteIndex = uint8_t(i / 8);
        out.coils[size_t(i)].mask = uint8_t(1u << (i % 8));
    }
    out.coils[5].byteIndex = 2;
    out.coils[5].mask = 0x40;   // coil 5 rewired to port 5 bit 6
    out.coils[6].mask = 0x03;   // two bits: not wired
    out.coils[7].byteIndex = 3; // no such port
    auto bits = coilBoardBits(out);
    EXPECT_EQ(bits[0], 0);
    EXPECT_EQ(bits[4], 4);
    EXPECT_EQ(bits[5], 22);
    EXPECT_EQ(bits[6], -1);
    EXPECT_EQ(bits[7], -1);
    EXPECT_EQ(bits[23], 23);

    out.lamps[9].byteIndex = 1;
    out.lamps[9].mask = 0x02;
    out.lamps[10].byteIndex = 8;
    out.lamps[10].mask = 0x01;
    auto lampBits = lampBoardBits(out);
    EXPECT_EQ(lampBits[9], 9);
    EXPECT_EQ(lampBits[10], -1);
}

TEST(Wiring, NamesGoWhereTheObjectIsWired) {
    std::array<int, 4> bits{0, 3, -1, 3};
    std::array<std::string, 4> names{"a", "b", "c", "d"};
    auto byPosition = namesByPosition(bits, names);
    EXPECT_EQ(byPosition[0], "a");
    EXPECT_EQ(byPosition[3], "b"); // the lowest object wired there
    EXPECT_EQ(byPosition[1], "b"); // nothing wired: the object of that number
    EXPECT_EQ(byPosition[2], "c");
    std::array<int, 4> wild{7, -9, 100, 2};
    auto safe = namesByPosition(wild, names);
    EXPECT_EQ(safe[2], "d");
    EXPECT_EQ(safe[0], "a");
}

} // namespace
} // namespace pinstage::test
