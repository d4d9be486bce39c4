// Texts written at fixed places on the backglass (the back-to-menu hint, the shutdown notice):
// same place and colour on every screen, and the whole line inside the screen.
#include "display/BackToMenuText.h"
#include "runtime/window/ScreenPainters.h"

#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace pinstage {
namespace {

struct Ink {
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
    bool any() const { return right >= 0; }
};

// Where pixels of a colour lie inside the rows top..bottom (inclusive).
Ink inkOf(const QImage& image, QColor colour, int top, int bottom) {
    Ink ink;
    for (int y = std::max(0, top); y <= std::min(bottom, image.height() - 1); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) <
                40) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
        }
    return ink;
}

QImage blackScreen(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

TEST(ScreenTextsTest, TheBackToMenuHintStaysWholeOnANarrowScreen) {
    const QColor red(255, 85, 118);
    QImage wide = blackScreen(1920, 1080);
    QRect wideBox = drawBackToMenuText(wide);
    Ink wideInk = inkOf(wide, red, 0, 100);
    ASSERT_TRUE(wideInk.any());

    QImage narrow = blackScreen(1360, 768);
    QRect narrowBox = drawBackToMenuText(narrow);
    Ink narrowInk = inkOf(narrow, red, 0, 100);
    ASSERT_TRUE(narrowInk.any());
    // Same place, the line ends well inside the screen, in a smaller font than on 1920.
    EXPECT_NEAR(narrowInk.left, wideInk.left, 3);
    EXPECT_NEAR(narrowInk.top, wideInk.top, 4);
    EXPECT_LT(narrowInk.right, 1360 - 4);
    EXPECT_LT(narrowInk.bottom - narrowInk.top, wideInk.bottom - wideInk.top);
    EXPECT_GT(narrowInk.bottom - narrowInk.top, (wideInk.bottom - wideInk.top) / 2);
    // What is reported covers what was written.
    EXPECT_TRUE(narrowBox.contains(
        QRect(QPoint(narrowInk.left, narrowInk.top), QPoint(narrowInk.right, narrowInk.bottom))));
    EXPECT_TRUE(
        wideBox.contains(QRect(QPoint(wideInk.left, wideInk.top), QPoint(wideInk.right, wideInk.bottom))));
}

TEST(ScreenTextsTest, TheShutdownNoticeKeepsItsPlacesAndStaysOnTheScreen) {
    const QColor yellow(255, 255, 0);
    constexpr std::array<QPoint, 3> design{QPoint(350, 300), QPoint(100, 375), QPoint(200, 450)};
    for (QSize size : {QSize(1920, 1080), QSize(1360, 768)}) {
        QImage screen = blackScreen(size.width(), size.height());
        paintShutdownNotice(screen);
        const double sx = size.width() / 1360.0, sy = size.height() / 768.0;
        for (size_t k = 0; k < design.size(); ++k) {
            int top = int(design[k].y() * sy);
            Ink ink = inkOf(screen, yellow, top, top + int(74 * sy));
            ASSERT_TRUE(ink.any()) << size.width() << " line " << k;
            EXPECT_NEAR(ink.left, int(design[k].x() * sx), int(12 * sx)) << size.width() << " line " << k;
            EXPECT_LT(ink.right, size.width() - 4) << size.width() << " line " << k;
            EXPECT_GE(ink.top, top) << size.width() << " line " << k;
        }
    }
}

} // namespace
} // namespace pinstage
