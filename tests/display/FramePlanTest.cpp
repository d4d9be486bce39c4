// Frame decisions without pixels: drawing order, dirty and shown flags, erase backgrounds, the
// frame cadence and skip rules, presentation strips, and the design-to-screen mapping.
#include "display/FramePlan.h"
#include "config/FrontonParams.h"
#include "config/LayerOrder.h"
#include "display/ScreenMapping.h"
#include "display/SymbolNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace pinstage::test {

namespace {

struct PlanRig {
    FrontonRecord layout = defaultFronton();
    std::array<SymbolPlacement, element::kCount> placements{};
    SymbolTable table{};

    PlanRig() {
        computeLayerOrder(layout);
        for (size_t e = 0; e < table.size(); ++e)
            table[e] = &placements[e];
    }
    std::vector<FrameStep> planFrame(bool& changed) { return pinstage::planFrame(layout, table, changed); }
    void allDirtyAndShown() {
        for (size_t e = 0; e < table.size(); ++e) {
            layout.elements[e].dirty = 1;
            placements[e].shown = 1;
        }
        // Reels draw when their window moved.
        for (int e = 2; e < 32; ++e)
            layout.elements[size_t(e)].reelWindowBottom = 60;
    }
};

std::vector<int> elementsOf(const std::vector<FrameStep>& steps) {
    std::vector<int> v;
    for (const FrameStep& s : steps)
        v.push_back(s.element);
    return v;
}

void append(std::vector<int>& v, int from, int to) {
    for (int e = from; e <= to; ++e)
        v.push_back(e);
}

} // namespace

TEST(FramePlanTest, DefaultsDrawInLayerOrder) {
    PlanRig rig;
    rig.allDirtyAndShown();
    bool changed = false;
    auto steps = rig.planFrame(changed);
    std::vector<int> expected{0, 1};
    append(expected, 32, 36);
    append(expected, 38, 44);
    append(expected, 49, 58);
    append(expected, 63, 87);
    expected.push_back(37);
    append(expected, 45, 48);
    append(expected, 59, 62);
    append(expected, 2, 31);
    expected.push_back(88);
    EXPECT_EQ(elementsOf(steps), expected);
    EXPECT_TRUE(changed);
    for (const FrameStep& s : steps)
        EXPECT_EQ(s.action, FrameAction::Draw);
    // Reels ignore the dirty flag; every other element had it cleared.
    for (int e = 0; e < element::kCount; ++e)
        EXPECT_EQ(rig.layout.elements[size_t(e)].dirty, (e >= 2 && e < 32) ? 1 : 0) << e;
    // Reels took their windows as source.
    EXPECT_EQ(rig.placements[2].source.bottom, 60);
}

TEST(FramePlanTest, LayerOutsideTheDrawnOnesVanishes) {
    PlanRig rig;
    rig.layout.elements[40].layer = 45;
    EXPECT_EQ(computeLayerOrder(rig.layout), 88);
    rig.allDirtyAndShown();
    bool changed = false;
    auto steps = rig.planFrame(changed);
    auto order = elementsOf(steps);
    EXPECT_EQ(std::count(order.begin(), order.end(), 40), 0);
    EXPECT_EQ(order.size(), 88u); // the stale last slot is not drawn twice
    EXPECT_EQ(rig.layout.elements[40].dirty, 1);
}

TEST(FramePlanTest, NothingDirtyNothingToDo) {
    PlanRig rig;
    for (int e = 2; e < 32; ++e)
        rig.placements[size_t(e)].source = {0, 60, 40, 0}; // differs only by a damaged record
    for (int e = 2; e < 32; ++e) {
        FrontonElement& el = rig.layout.elements[size_t(e)];
        el.reelWindowLeft = 0;
        el.reelWindowTop = 60;
        el.reelWindowRight = 40;
        el.reelWindowBottom = 0;
    }
    bool changed = false;
    EXPECT_TRUE(rig.planFrame(changed).empty());
    EXPECT_FALSE(changed);
}

TEST(FramePlanTest, HiddenElementsAreErasedOverTheirParent) {
    PlanRig rig;
    rig.placements[43].shown = 1;
    rig.layout.elements[37].dirty = 1; // GAME OVER hidden, over its panel
    rig.layout.elements[0].dirty = 1;  // the background is never erased
    rig.layout.elements[36].dirty = 1; // TILT hidden, over the background
    bool changed = false;
    auto steps = rig.planFrame(changed);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0], (FrameStep{FrameAction::Erase, 36, {0, false}}));
    EXPECT_EQ(steps[1], (FrameStep{FrameAction::Erase, 37, {43, true}}));
    EXPECT_EQ(rig.layout.elements[0].dirty, 0);

    // Panel hidden too: the background serves, as if there were no parent.
    rig.placements[43].shown = 0;
    EXPECT_EQ(eraseSourceOf(37, rig.layout, rig.table), (EraseSource{0, false}));
    // A parent out of range, or the element itself, is the background.
    rig.layout.elements[37].parent = 500;
    EXPECT_EQ(eraseSourceOf(37, rig.layout, rig.table), (EraseSource{0, false}));
    rig.layout.elements[37].parent = 37;
    rig.placements[37].shown = 1;
    EXPECT_EQ(eraseSourceOf(37, rig.layout, rig.table), (EraseSource{0, false}));
    EXPECT_EQ(eraseSourceOf(-1, rig.layout, rig.table), (EraseSource{0, false}));
}

TEST(FramePlanTest, ElementsWithoutSymbolKeepTheirFlag) {
    PlanRig rig;
    rig.table[36] = nullptr;
    rig.layout.elements[36].dirty = 1;
    rig.layout.elements[2].reelWindowTop = 120;
    rig.table[2] = nullptr;
    bool changed = false;
    EXPECT_TRUE(rig.planFrame(changed).empty());
    EXPECT_EQ(rig.layout.elements[36].dirty, 1);
    EXPECT_FALSE(changed);
}

TEST(FramePlanTest, AForcedReelRedrawDrawsEveryReelAgainWhereverItsWindowStands) {
    PlanRig rig;
    // Windows on every digit of the strips (60 pixels a digit, 11 positions on a 660 strip).
    for (int e = element::kFirstReel; e < element::kEndReels; ++e) {
        FrontonElement& el = rig.layout.elements[size_t(e)];
        el.reelWindowLeft = 0;
        el.reelWindowRight = 40;
        el.reelWindowTop = 60 * (e % 11);
        el.reelWindowBottom = el.reelWindowTop + 60;
    }
    bool changed = false;
    EXPECT_EQ(rig.planFrame(changed).size(), size_t(element::kEndReels - element::kFirstReel));
    changed = false;
    ASSERT_TRUE(rig.planFrame(changed).empty()); // the windows stood still
    ASSERT_FALSE(changed);

    rig.table[5] = nullptr; // a reel without a symbol stays out
    forceReelRedraw(rig.table);
    auto steps = rig.planFrame(changed);
    EXPECT_TRUE(changed);
    std::vector<int> drawn = elementsOf(steps);
    std::sort(drawn.begin(), drawn.end());
    std::vector<int> expected;
    append(expected, element::kFirstReel, 4);
    append(expected, 6, element::kEndReels - 1);
    EXPECT_EQ(drawn, expected);
    for (const FrameStep& step : steps)
        EXPECT_EQ(step.action, FrameAction::Draw);
    // Each reel shows its own window again, and the next frame has nothing to do.
    EXPECT_EQ(rig.placements[13].source, (PixelRect{0, 120, 40, 180}));
    EXPECT_TRUE(rig.planFrame(changed).empty());
}

TEST(FramePlanTest, DamagedDrawSlotsAreSkipped) {
    PlanRig rig;
    rig.layout.elements[0].drawSlot = -4;
    rig.layout.elements[1].drawSlot = 89;
    rig.allDirtyAndShown();
    bool changed = false;
    auto order = elementsOf(rig.planFrame(changed));
    EXPECT_EQ(order.size(), 87u);
}

TEST(FrameCadenceTest, FortyMillisecondsBetweenFrames) {
    FrameCadence c;
    EXPECT_TRUE(c.due(100)); // the first frame runs
    EXPECT_FALSE(c.due(139));
    EXPECT_EQ(c.lastFrameTime(), 100u); // a skipped frame leaves the time
    EXPECT_TRUE(c.due(140));
    c.force();
    EXPECT_TRUE(c.due(141));
    EXPECT_TRUE(c.due(181));
    FrameCadence wrap;
    EXPECT_TRUE(wrap.due(0xFFFFFFF0u));
    EXPECT_FALSE(wrap.due(0x10u));
    EXPECT_TRUE(wrap.due(0x18u));
}

TEST(FrameContextTest, SkipRulesAndBackToMenu) {
    FrameContext ctx;
    EXPECT_FALSE(frameForbidden(ctx));
    ctx.displayInitialised = false;
    EXPECT_FALSE(frameForbidden(ctx)); // loop mode 0 still composes
    ctx.loopMode = 1;
    EXPECT_TRUE(frameForbidden(ctx));
    ctx = {};
    ctx.dashboardOpen = true;
    EXPECT_TRUE(frameForbidden(ctx));
    ctx = {};
    ctx.keyboardInUse = true;
    EXPECT_TRUE(frameForbidden(ctx));

    ctx = {};
    ctx.gameOverIndicator = 1;
    ctx.startupChoiceValue = YesNo::Oui;
    EXPECT_TRUE(backToMenuWanted(ctx));
    ctx.playersDoneMask = 0x0E;
    EXPECT_FALSE(backToMenuWanted(ctx));
    ctx.playersDoneMask = 0x0F;
    ctx.startupChoiceValue = YesNo::Non;
    EXPECT_FALSE(backToMenuWanted(ctx));
    ctx.startupChoiceValue = YesNo::Oui;
    ctx.gameOverIndicator = 0;
    EXPECT_FALSE(backToMenuWanted(ctx));
    EXPECT_EQ(std::string(kBackToMenuText),
              " Appuyez sur les 2 boutons de flipper pendant 5 secondes pour revenir au menu ");
}

TEST(PresentStripsTest, AroundACoveredArea) {
    ScreenSize s{1920, 1080};
    EXPECT_EQ(presentStrips(s, std::nullopt), (std::vector<PixelRect>{{0, 0, 1920, 1080}}));
    CoveredArea video{{100, 200, 900, 700}, false};
    EXPECT_EQ(presentStrips(s, video),
              (std::vector<PixelRect>{
                  {0, 0, 100, 1080}, {100, 0, 900, 200}, {900, 0, 1920, 1080}, {100, 700, 900, 1080}}));
    CoveredArea browser{{100, 200, 900, 700}, true};
    EXPECT_EQ(presentStrips(s, browser).back(), (PixelRect{0, 700, 1920, 1080}));
    // A window at the corner leaves no empty strip; one reaching outside is clipped.
    CoveredArea corner{{-50, -50, 500, 1200}, false};
    EXPECT_EQ(presentStrips(s, corner), (std::vector<PixelRect>{{500, 0, 1920, 1080}}));
}

TEST(ScreenMappingTest, TruncatedDesignToScreen) {
    FrontonRecord layout = defaultFronton();
    DesignMapping m = DesignMapping::fromLayout({1920, 1080}, layout);
    EXPECT_EQ(m.design(), (ScreenSize{1360, 768}));
    // The credit units reel, design 635-671 x 644-673.
    EXPECT_EQ(m.mapElement(layout.elements[30]), (PixelRect{896, 905, 947, 946}));
    // An element larger than the design keeps its design coordinates on that axis.
    EXPECT_EQ(m.mapRect({0, 10, 1920, 20}), (PixelRect{0, 14, 1920, 28}));
    EXPECT_EQ(m.mapRect({10, 0, 20, 1080}), (PixelRect{14, 0, 28, 1080}));
    // Back to design units: within the unit lost by truncation, exact for most bounds.
    for (int x = 0; x <= 1360; ++x)
        ASSERT_LE(std::abs(m.toDesignX(m.toScreenX(x)) - x), 1) << x;
    for (int x : {0, 635, 671, 1174, 1360})
        EXPECT_EQ(m.toDesignX(m.toScreenX(x)), x) << x;
    for (int y : {0, 644, 673, 727, 768})
        EXPECT_EQ(m.toDesignY(m.toScreenY(y)), y) << y;
    // A broken design size maps one to one; huge values do not overflow.
    DesignMapping broken({1920, 1080}, {0, -5});
    EXPECT_EQ(broken.toScreenX(77), 77);
    EXPECT_EQ(broken.toDesignY(77), 77);
    EXPECT_EQ(m.toScreenX(INT32_MAX), INT32_MAX);
    EXPECT_EQ(m.toScreenX(INT32_MIN), INT32_MIN);
}

TEST(EraseGeometryTest, ParentAndBackgroundRectangles) {
    FrontonRecord layout = defaultFronton();
    DesignMapping m = DesignMapping::fromLayout({1920, 1080}, layout);
    PixelRect gameOver = m.mapElement(layout.elements[37]);
    // Under GAME OVER: its design place relative to panel 43's corner (1142, 652).
    EXPECT_EQ(parentSourceRect(gameOver, layout.elements[43], m), (PixelRect{32, 75, 186, 91}));
    EXPECT_TRUE(insideSurface({32, 75, 186, 91}, {215, 113}));
    EXPECT_FALSE(insideSurface({32, 75, 186, 114}, {215, 113}));
    EXPECT_FALSE(insideSurface({-1, 75, 186, 91}, {215, 113}));
    EXPECT_FALSE(insideSurface({5, 5, 5, 9}, {215, 113}));
    EXPECT_EQ(backgroundSourceRect({10, 20, 30, 40}, {1920, 1080}, {1920, 1080}),
              (PixelRect{10, 20, 30, 40}));
    EXPECT_EQ(backgroundSourceRect({960, 540, 1920, 1080}, {1920, 1080}, {1360, 768}),
              (PixelRect{680, 384, 1360, 768}));
}

TEST(SymbolNamesTest, PictureKindsAndFileNames) {
    EXPECT_EQ(pictureKindOf("ospentacle1360.bmp"), PictureKind::Bitmap);
    EXPECT_EQ(pictureKindOf("photo.jpg"), PictureKind::Jpeg);
    EXPECT_EQ(pictureKindOf("a.b.bmp"), PictureKind::Bitmap);
    EXPECT_EQ(pictureKindOf("OSPENTACLE1360.BMP"), std::nullopt);
    EXPECT_EQ(pictureKindOf("photo.JPG"), std::nullopt);
    EXPECT_EQ(pictureKindOf("photo.jpeg"), std::nullopt);
    EXPECT_EQ(pictureKindOf("photo.bmp.txt"), std::nullopt);
    EXPECT_EQ(pictureKindOf("bmp"), std::nullopt);
    EXPECT_TRUE(isPlainFileName("LOTERIE 0 .bmp"));
    EXPECT_FALSE(isPlainFileName("../x.bmp"));
    EXPECT_FALSE(isPlainFileName("a\\b.bmp"));
    EXPECT_FALSE(isPlainFileName(".."));
    EXPECT_FALSE(isPlainFileName(""));
    EXPECT_FALSE(isPlainFileName(std::string("a\nb")));

    FrontonRecord layout = defaultFronton();
    EXPECT_EQ(symbolFileName(layout.elements[88]), "Image publicitaire actuelle changée dynamiquement.bmp");
    EXPECT_EQ(symbolFileName(layout.elements[49]), "LOTERIE 0 .bmp");
    layout.elements[36].functionLabel.setUtf8("../../etc/TILT");
    EXPECT_EQ(symbolFileName(layout.elements[36]), std::nullopt);
    layout.elements[36].functionLabel.setUtf8("");
    EXPECT_EQ(symbolFileName(layout.elements[36]), std::nullopt);

    EXPECT_TRUE(pictureNumberEmpty(layout.elements[1]));
    layout.elements[1].pictureNumber.setUtf8("  ");
    EXPECT_TRUE(pictureNumberEmpty(layout.elements[1]));
    EXPECT_FALSE(pictureNumberEmpty(layout.elements[36]));
}

} // namespace pinstage::test
