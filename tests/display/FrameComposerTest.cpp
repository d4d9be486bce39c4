// Frame composition: what is drawn, erased and presented, and when.
#include "DisplayTestRig.h"

#include "display/ImageCopy.h"
#include "display/QtPath.h"
#include "display/SymbolSurfaces.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace pinstage::test {

namespace {

QColor at(const QImage& i, QPoint p) {
    return colourAt(i, p.x(), p.y());
}

bool sameImage(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

// Share of pixels of rect that are the same in both images.
double sameShare(const QImage& a, const QImage& b, QRect rect) {
    int same = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            same += (a.pixel(x, y) & 0xFFFFFF) == (b.pixel(x, y) & 0xFFFFFF);
    return double(same) / double(rect.width() * rect.height());
}

int countNear(const QImage& i, QRect rect, QColor c, int tolerance) {
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            QColor p = colourAt(i, x, y);
            n += std::abs(p.red() - c.red()) <= tolerance && std::abs(p.green() - c.green()) <= tolerance &&
                 std::abs(p.blue() - c.blue()) <= tolerance;
        }
    return n;
}

QRect rectOf(Backglass& b, int e) {
    const PixelRect& d = b.symbol(e)->place.destination;
    return QRect(d.left, d.top, int(d.width()), int(d.height()));
}

void show(DisplayRig& rig, int e, bool shown) {
    rig.b().symbol(e)->place.shown = shown ? 1 : 0;
    rig.layout.elements[size_t(e)].dirty = 1;
}

} // namespace

TEST(FrameComposerTest, FirstFramePresentsTheAttractBackglass) {
    DisplayRig rig({1920, 1080});
    rig.build();
    FrameOutcome out = rig.frame();
    EXPECT_TRUE(out.composed);
    EXPECT_TRUE(out.presented);
    EXPECT_EQ(rig.presenter.presentations(), 1);
    const QImage& screen = rig.presenter.screen();
    EXPECT_EQ(screen.size(), QSize(1920, 1080));
    EXPECT_EQ(at(screen, {5, 300}), kBackgroundColour);
    EXPECT_EQ(at(screen, rig.centreOf(2)), reelDigitColour(0));
    EXPECT_EQ(at(screen, rig.centreOf(30)), reelDigitColour(0));
    EXPECT_EQ(at(screen, rig.centreOf(37)), pictureColour(20)); // GAME OVER
    EXPECT_EQ(at(screen, rig.centreOf(59)), pictureColour(35)); // 1st player band
    EXPECT_EQ(at(screen, rig.centreOf(48)), pictureColour(34)); // the digit 4 over its panel
    EXPECT_EQ(at(screen, rig.centreOf(36)), kBackgroundColour); // TILT is not lit
    // The scene and back buffer hold what was presented.
    EXPECT_TRUE(sameImage(screen, rig.b().scene));
    EXPECT_TRUE(sameImage(rig.b().backBuffer, rig.b().scene));
}

TEST(FrameComposerTest, NothingDirtyPresentsNothing) {
    DisplayRig rig;
    rig.build();
    rig.frame();
    int before = rig.presenter.presentations();
    for (int i = 0; i < 5; ++i) {
        FrameOutcome out = rig.frame();
        EXPECT_TRUE(out.composed);
        EXPECT_FALSE(out.presented);
    }
    EXPECT_EQ(rig.presenter.presentations(), before);
    EXPECT_EQ(rig.b().presentations, uint64_t(before));
}

TEST(FrameComposerTest, FramesComeEveryFortyMilliseconds) {
    DisplayRig rig;
    rig.build();
    rig.frame();
    show(rig, 36, true);
    rig.ctx.now += 39;
    EXPECT_FALSE(composeFrame(rig.b(), rig.ctx, rig.presenter).composed);
    EXPECT_EQ(rig.layout.elements[36].dirty, 1);
    rig.ctx.now += 1;
    EXPECT_TRUE(composeFrame(rig.b(), rig.ctx, rig.presenter).presented);

    // Dashboard, keyboard in use, or the display down outside loop mode 0: no frame at all.
    for (int which = 0; which < 3; ++which) {
        FrameContext ctx = rig.ctx;
        ctx.now += 1000 * (which + 1);
        ctx.dashboardOpen = which == 0;
        ctx.keyboardInUse = which == 1;
        if (which == 2) {
            ctx.displayInitialised = false;
            ctx.loopMode = 2;
        }
        show(rig, 36, false);
        EXPECT_FALSE(composeFrame(rig.b(), ctx, rig.presenter).composed) << which;
        EXPECT_EQ(rig.layout.elements[36].dirty, 1);
    }
}

TEST(FrameComposerTest, ReelsShowTheirDigitsAndMoveOnTheScreen) {
    DisplayRig rig({1920, 1080});
    rig.build();
    rig.b().reels.counter(0)->showValueAtOnce(123450);
    rig.frame();
    const int digits[] = {0, 5, 4, 3, 2, 1, 0};
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(at(rig.presenter.screen(), rig.centreOf(2 + k)), reelDigitColour(digits[k])) << k;

    // One step on the units: presentations follow the window as it rolls.
    rig.b().reels.reel(0, 0)->forwardSteps = 1;
    int before = rig.presenter.presentations();
    for (int turn = 0; turn < 400; ++turn) {
        rig.ctx.now += 1;
        rig.b().reels.startReelSteps();
        rig.b().reels.animateReels(rig.ctx.now);
        composeFrame(rig.b(), rig.ctx, rig.presenter);
    }
    EXPECT_GT(rig.presenter.presentations(), before);
    EXPECT_EQ(at(rig.presenter.screen(), rig.centreOf(2)), reelDigitColour(1));
    EXPECT_EQ(at(rig.presenter.screen(), rig.centreOf(3)), reelDigitColour(5));
    EXPECT_TRUE(sameImage(rig.presenter.screen(), rig.b().scene));
    // Only the reel that moved was brought to the screen.
    EXPECT_EQ(rig.presenter.lastRegion().boundingRect(), rectOf(rig.b(), 2));
}

TEST(FrameComposerTest, BackToMenuTextVanishesAtTheNextFrame) {
    DisplayRig rig({1920, 1080});
    rig.build();
    rig.ctx.gameOverIndicator = 1;
    rig.ctx.startupChoiceValue = YesNo::Oui;
    FrameOutcome out = rig.frame();
    ASSERT_TRUE(out.backToMenuShown);
    const QColor textColour(255, 85, 118);
    QRect textArea(5, 5, 1400, 45);
    EXPECT_GT(countNear(rig.presenter.screen(), textArea, textColour, 10), 500);
    // Only the presented picture had it: the scene never, the back buffer no longer.
    EXPECT_EQ(countNear(rig.b().scene, textArea, textColour, 10), 0);
    EXPECT_TRUE(sameImage(rig.b().backBuffer, rig.b().scene));

    // The next presented frame without the condition brings the scene back there.
    rig.ctx.startupChoiceValue = YesNo::Non;
    show(rig, 36, true);
    out = rig.frame();
    EXPECT_TRUE(out.presented);
    EXPECT_FALSE(out.backToMenuShown);
    EXPECT_EQ(countNear(rig.presenter.screen(), textArea, textColour, 10), 0);
    EXPECT_TRUE(sameImage(rig.presenter.screen(), rig.b().scene));

    // A game running, or no game-over indicator: no text.
    rig.ctx.startupChoiceValue = YesNo::Oui;
    rig.ctx.playersDoneMask = 0x0C;
    show(rig, 36, false);
    EXPECT_FALSE(rig.frame().backToMenuShown);
}

TEST(FrameComposerTest, SuppressedPresentingWaitsForTheNextFrame) {
    DisplayRig rig;
    rig.build();
    rig.frame();
    show(rig, 36, true);
    rig.ctx.presentSuppressed = true;
    FrameOutcome out = rig.frame();
    EXPECT_TRUE(out.composed);
    EXPECT_FALSE(out.presented);
    EXPECT_TRUE(rig.b().changed);
    EXPECT_EQ(at(rig.b().scene, rig.centreOf(36) + QPoint(30, 0)), pictureColour(19));
    rig.ctx.presentSuppressed = false;
    EXPECT_TRUE(rig.frame().presented);
    EXPECT_EQ(at(rig.presenter.screen(), rig.centreOf(36) + QPoint(30, 0)), pictureColour(19));
    // The hole in TILT is transparent: the background shows through it.
    EXPECT_EQ(at(rig.presenter.screen(), rig.centreOf(36)), kBackgroundColour);
}

TEST(FrameComposerTest, CoveredAreaIsLeftToItsWindow) {
    DisplayRig rig({1920, 1080});
    rig.build();
    rig.frame();
    QImage before = rig.presenter.screen();
    rig.ctx.covered = CoveredArea{{0, 0, 1920, 600}, false};
    rig.b().reels.counter(0)->showValueAtOnce(7777777); // under the window
    rig.b().reels.counter(2)->showValueAtOnce(3);       // below it
    rig.frame();
    EXPECT_EQ(at(rig.presenter.screen(), rig.centreOf(2)), at(before, rig.centreOf(2)));
    EXPECT_EQ(at(rig.presenter.screen(), rig.centreOf(16)), reelDigitColour(3));
    // Once the window is gone, what it hid comes up with the next change.
    rig.ctx.covered.reset();
    show(rig, 36, true);
    rig.frame();
    EXPECT_EQ(at(rig.presenter.screen(), rig.centreOf(2)), reelDigitColour(7));
    EXPECT_TRUE(sameImage(rig.presenter.screen(), rig.b().scene));
}

TEST(FrameComposerTest, HiddenElementGivesBackWhatLiesUnder) {
    DisplayRig rig({1920, 1080});
    rig.build();
    show(rig, 37, false); // GAME OVER never drawn: the panel under it
    rig.frame();
    QImage panelOnly = rig.b().scene.copy();
    show(rig, 37, true);
    rig.frame();
    QRect place = rectOf(rig.b(), 37);
    EXPECT_LT(sameShare(rig.b().scene, panelOnly, place), 0.1);
    show(rig, 37, false);
    rig.frame();
    EXPECT_GT(sameShare(rig.b().scene, panelOnly, place), 0.9);
    EXPECT_EQ(rig.b().symbol(37)->place.shown, 0);

    // With the panel hidden as well, the background comes back in both places.
    show(rig, 43, false);
    show(rig, 37, false);
    rig.frame();
    EXPECT_EQ(at(rig.b().scene, rig.centreOf(37)), kBackgroundColour);
    EXPECT_EQ(at(rig.b().scene, rig.centreOf(43)), kBackgroundColour);
}

TEST(FrameComposerTest, DigitElementShowsTheLotteryDigitAndNoTraceOfTheLastOne) {
    DisplayRig rig({1920, 1080});
    rig.build();
    const int units = 83; // units of the seconds left
    auto showDigit = [&](int d) {
        rig.b().symbol(units)->place.digit = int8_t(d);
        show(rig, units, true);
        rig.frame();
        return rig.b().scene.copy(rectOf(rig.b(), units));
    };
    QImage three = showDigit(3);
    QImage eight = showDigit(8);
    EXPECT_FALSE(sameImage(three, eight));
    EXPECT_TRUE(sameImage(showDigit(3), three)) << "the 8 must not show through the 3";
    // The digit's own picture: the lottery digit 3 stretched to the element's place.
    QImage lottery = rig.b().surfaces[52].scaled(three.size());
    EXPECT_GT(sameShare(three, lottery.convertToFormat(QImage::Format_RGB32), three.rect()), 0.5);
}

TEST(FrameComposerTest, ParentWithoutThatPlaceFallsBackToTheBackground) {
    DisplayRig rig;
    rig.build();
    rig.frame();
    // The advertising picture lies over reel 2, whose strip cannot cover the whole screen.
    show(rig, 88, true);
    rig.frame();
    EXPECT_EQ(at(rig.presenter.screen(), {700, 400}), kAdvertColour);
    show(rig, 88, false);
    rig.frame();
    EXPECT_EQ(at(rig.presenter.screen(), {700, 400}), kBackgroundColour);
    EXPECT_EQ(at(rig.presenter.screen(), {5, 5}), kBackgroundColour);
}

TEST(FrameComposerTest, HideElementsErasesAtOnce) {
    DisplayRig rig;
    rig.build();
    show(rig, 36, true);
    show(rig, 39, true);
    rig.frame();
    ASSERT_EQ(at(rig.b().scene, rig.centreOf(39)), pictureColour(22));
    hideElements(rig.b(), 36, 4); // 36-39
    EXPECT_EQ(at(rig.b().scene, rig.centreOf(39)), kBackgroundColour);
    EXPECT_EQ(at(rig.b().backBuffer, rig.centreOf(39)), kBackgroundColour);
    EXPECT_EQ(rig.b().symbol(36)->place.shown, 0);
    EXPECT_EQ(rig.b().symbol(37)->place.shown, 0);
    // The panel under GAME OVER came back in its place.
    EXPECT_NE(at(rig.b().scene, rig.centreOf(37)), pictureColour(20));
    EXPECT_EQ(rig.b().symbol(40)->place.shown, 0);
    // Shown at the next frame even though no flag is set.
    EXPECT_TRUE(rig.frame().presented);
    EXPECT_EQ(at(rig.presenter.screen(), rig.centreOf(39)), kBackgroundColour);
    hideElements(rig.b(), 80, 1000); // cut at the last element
    hideElements(rig.b(), -5, 3);
    hideElements(rig.b(), 10, 0);
}

TEST(FrameComposerTest, FullRedrawsAndCreditReels) {
    DisplayRig rig;
    rig.build();
    rig.frame();
    FrameOutcome out = redrawBackglass(rig.b(), 2, 1, rig.ctx, rig.presenter); // within 40 ms: waits
    EXPECT_FALSE(out.composed);
    EXPECT_EQ(rig.presenter.repaints(), 1);
    EXPECT_EQ(rig.b().reels.counterValue(4, 2), 12);
    EXPECT_EQ(rig.layout.elements[30].reelWindowTop, 180);
    EXPECT_EQ(rig.layout.elements[31].reelWindowTop, 120);
    rig.frame();
    EXPECT_EQ(at(rig.presenter.screen(), rig.centreOf(30)), reelDigitColour(2));
    EXPECT_EQ(at(rig.presenter.screen(), rig.centreOf(31)), reelDigitColour(1));

    // Zero credits leave the reels as they are.
    redrawBackglass(rig.b(), 0, 0, rig.ctx, rig.presenter);
    EXPECT_EQ(rig.b().reels.counterValue(4, 2), 12);

    // The window's paint event: everything drawn again and the whole screen presented, now.
    QImage scribbled = rig.presenter.screen();
    out = fullRedraw(rig.b(), rig.ctx, rig.presenter);
    EXPECT_TRUE(out.presented);
    EXPECT_EQ(rig.presenter.lastRegion().boundingRect(), QRect(0, 0, 1360, 768));
    EXPECT_TRUE(sameImage(rig.presenter.screen(), rig.b().scene));
    for (int e = 0; e < 88; ++e)
        EXPECT_EQ(rig.layout.elements[size_t(e)].dirty, (e >= 2 && e < 32) ? 1 : 0) << e;
}

TEST(FrameComposerTest, RecordsStepDrawsOnTheBackBufferOnly) {
    DisplayRig rig;
    rig.build();
    rig.frame();
    FrameHooks hooks;
    hooks.recordsStep = [](QImage& backBuffer) {
        QPainter p(&backBuffer);
        p.fillRect(QRect(450, 100, 320, 240), Qt::yellow);
        return QRegion(450, 100, 320, 240);
    };
    rig.ctx.now += 40;
    EXPECT_TRUE(composeFrame(rig.b(), rig.ctx, rig.presenter, hooks).presented);
    EXPECT_EQ(at(rig.presenter.screen(), {500, 150}), QColor(Qt::yellow));
    EXPECT_EQ(at(rig.b().backBuffer, {500, 150}), kBackgroundColour);
    show(rig, 36, true);
    rig.frame();
    EXPECT_EQ(at(rig.presenter.screen(), {500, 150}), kBackgroundColour);
}

TEST(FrameComposerTest, OverlayShowsAboveTheBackglass) {
    DisplayRig rig;
    rig.build();
    rig.frame();
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(QColor(250, 0, 0));
    {
        QPainter p(&picture);
        p.fillRect(32, 0, 32, 64, QColor(0, 255, 0)); // transparent half
    }
    std::filesystem::path file = rig.root.file(DataDir::PubImages, "overlay.bmp");
    picture.save(toQString(file), "BMP");
    ASSERT_TRUE(loadImageIntoSurface(rig.b().overlay.surface, file));
    rig.b().overlay.x = 450;
    rig.b().overlay.y = 100;
    showOverlay(rig.b());
    EXPECT_TRUE(rig.frame().presented);
    const QImage& screen = rig.presenter.screen();
    EXPECT_EQ(at(screen, {460, 110}), QColor(255, 0, 0)); // 5-5-5 red, four times enlarged
    EXPECT_EQ(at(screen, {450 + 120, 100 + 250}), QColor(255, 0, 0));
    EXPECT_EQ(at(screen, {450 + 120, 100 + 260}), kBackgroundColour);
    EXPECT_EQ(at(screen, {450 + 140, 100 + 10}), kBackgroundColour); // the green half
    EXPECT_EQ(at(rig.b().scene, {460, 110}), kBackgroundColour);
    hideOverlay(rig.b());
    EXPECT_TRUE(rig.frame().presented);
    EXPECT_EQ(at(rig.presenter.screen(), {460, 110}), kBackgroundColour);

    // No overlay: nothing to show or hide, and nothing reported.
    rig.b().overlay.release();
    rig.frame();
    showOverlay(rig.b());
    hideOverlay(rig.b());
    EXPECT_FALSE(rig.b().changed);
    EXPECT_FALSE(rig.frame().presented);
}

TEST(ImageCopyTest, RegionsClippedToBothImages) {
    ensureGuiApp();
    QImage a(10, 10, QImage::Format_RGB32), b(8, 12, QImage::Format_RGB32);
    a.fill(Qt::red);
    b.fill(Qt::blue);
    copyRegion(b, a, QRegion(QRect(-5, 6, 100, 100)));
    EXPECT_EQ(b.pixelColor(7, 9), QColor(Qt::red));
    EXPECT_EQ(b.pixelColor(7, 11), QColor(Qt::blue)); // beyond a
    EXPECT_EQ(b.pixelColor(7, 5), QColor(Qt::blue));
    QImage c(10, 10, QImage::Format_ARGB32_Premultiplied);
    c.fill(Qt::green);
    copyRegion(a, c, QRegion(QRect(0, 0, 2, 2)));
    EXPECT_EQ(a.pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(a.pixelColor(3, 3), QColor(Qt::red));
}

} // namespace pinstage::test
