// The pointer the program draws itself where it cannot move the system pointer: forced on the
// offscreen platform, it follows the moves and the confinement, hides, changes windows, and lets
// clicks through to the widget beneath.
#include "platform/qt/FullScreen.h"
#include "runtime/window/InputSynth.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QImage>
#include <QPushButton>
#include <QScreen>

#include <memory>

using namespace pinstage;

namespace {

// A window the pointer can stand on: a coloured background and one button.
struct Stage {
    QWidget window;
    QPushButton* button;
    int clicks = 0;

    Stage() : button(new QPushButton("OK", &window)) {
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setAutoFillBackground(true);
        QPalette pal = window.palette();
        pal.setColor(QPalette::Window, QColor(0, 0, 160));
        window.setPalette(pal);
        window.setGeometry(0, 0, 800, 600);
        button->setGeometry(100, 100, 120, 40);
        QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
        window.show();
    }
};

// Where the arrow's hot spot stands, in global coordinates.
QPoint arrowTip(const DrawnPointer& drawn) {
    return drawn.widget()->mapToGlobal(DrawnPointer::kHotSpot);
}

} // namespace

TEST(DrawnPointer, OnlyWaylandAndXwaylandDrawThePointer) {
    EXPECT_EQ(pointerKindFor("wayland"), PointerKind::Drawn);
    EXPECT_EQ(pointerKindFor("wayland-egl"), PointerKind::Drawn);
    EXPECT_EQ(pointerKindFor("xcb"), PointerKind::System);
    EXPECT_EQ(pointerKindFor("offscreen"), PointerKind::System);
    EXPECT_EQ(pointerKindFor("xcb", "wayland-0"), PointerKind::Drawn); // Xwayland
    EXPECT_EQ(pointerKindFor("offscreen", "wayland-0"), PointerKind::System);
    EXPECT_EQ(InputSynth().drawnPointer(), nullptr); // offscreen moves its own pointer
}

TEST(DrawnPointer, FollowsTheMovesAndTheConfinementLeavesTheSystemPointerAloneAndLetsClicksThrough) {
    Stage stage;
    QCursor::setPos(QPoint(700, 500));
    auto input = std::make_unique<InputSynth>(nullptr, PointerKind::Drawn);
    const DrawnPointer* drawn = input->drawnPointer();
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->widget(), nullptr); // nothing drawn before the program places the pointer

    input->setCursorPos(QPoint(110, 110));
    ASSERT_NE(drawn->widget(), nullptr);
    EXPECT_TRUE(drawn->widget()->isVisible());
    EXPECT_EQ(drawn->widget()->window(), &stage.window);
    EXPECT_EQ(arrowTip(*drawn), QPoint(110, 110));
    EXPECT_EQ(QCursor::pos(), QPoint(700, 500)); // the system pointer is not touched

    // The arrow is painted over the window's picture at the point, white on the blue background.
    input->setCursorPos(QPoint(400, 300));
    QImage shot = stage.window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(403, 307), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(380, 290), QColor(0, 0, 160));

    // The arrow lies right over the button, and the click still reaches it.
    input->setCursorPos(QPoint(150, 120));
    EXPECT_EQ(QApplication::widgetAt(QPoint(152, 122)), stage.button);
    EXPECT_TRUE(input->click());
    EXPECT_EQ(stage.clicks, 1);

    // Confined: a pointer outside comes to the nearest point inside, later moves stay inside.
    input->confine(QRect(300, 300, 100, 50));
    EXPECT_EQ(input->cursorPos(), QPoint(300, 300));
    EXPECT_EQ(arrowTip(*drawn), QPoint(300, 300));
    input->setCursorPos(QPoint(1000, 1000));
    EXPECT_EQ(arrowTip(*drawn), QPoint(399, 349));
    EXPECT_EQ(QCursor::pos(), QPoint(700, 500));

    // Hidden while the program hides the pointer, at the latest position when shown again.
    input->setCursorShown(false);
    EXPECT_FALSE(drawn->widget() && drawn->widget()->isVisible());
    input->releaseConfinement();
    input->setCursorPos(QPoint(50, 60));
    EXPECT_FALSE(drawn->widget() && drawn->widget()->isVisible());
    input->setCursorShown(true);
    ASSERT_NE(drawn->widget(), nullptr);
    EXPECT_TRUE(drawn->widget()->isVisible());
    EXPECT_EQ(arrowTip(*drawn), QPoint(50, 60));

    // The arrow goes with its owner.
    QPointer<QWidget> arrow = drawn->widget();
    input.reset();
    EXPECT_TRUE(arrow.isNull());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(DrawnPointer, MovesOntoABoxAboveTheWindowAndBackWhenTheBoxGoes) {
    Stage stage;
    InputSynth input(nullptr, PointerKind::Drawn);
    const DrawnPointer* drawn = input.drawnPointer();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint boxAt = screen.topLeft() + QPoint((screen.width() - 200) / 2, (screen.height() - 100) / 2);
    const QPoint inBox = boxAt + QPoint(150, 80);
    input.setCursorPos(inBox);
    ASSERT_NE(drawn->widget(), nullptr);
    EXPECT_EQ(drawn->widget()->window(), &stage.window);

    // A box centred as a kiosk compositor centres it: half the free room each side.
    auto box = std::make_unique<QDialog>();
    box->setWindowFlag(Qt::FramelessWindowHint);
    box->setFixedSize(200, 100);
    centreOnScreen(*box, nullptr);
    EXPECT_EQ(box->pos(), boxAt);
    auto* ok = new QPushButton("OK", box.get());
    ok->setGeometry(20, 20, 100, 40);
    int boxClicks = 0;
    QObject::connect(ok, &QPushButton::clicked, [&] { ++boxClicks; });
    box->setModal(true);
    box->show();
    QApplication::processEvents(); // the arrow changes windows once the box is shown

    ASSERT_NE(drawn->widget(), nullptr);
    EXPECT_EQ(drawn->widget()->window(), box.get());
    EXPECT_TRUE(drawn->widget()->isVisible());
    EXPECT_EQ(arrowTip(*drawn), inBox);
    input.confine(box->geometry());
    QPoint onOk = placedToGlobal(*ok, QPoint(10, 10));
    EXPECT_EQ(onOk, boxAt + QPoint(30, 30));
    input.setCursorPos(onOk);
    EXPECT_EQ(arrowTip(*drawn), onOk);
    EXPECT_EQ(placedWidgetAt(onOk, nullptr), ok);
    EXPECT_TRUE(input.click());
    EXPECT_EQ(boxClicks, 1);
    EXPECT_EQ(stage.clicks, 0);

    // The box closes and is destroyed with the arrow on it: a new arrow stands on the window.
    box.reset();
    input.releaseConfinement();
    QApplication::processEvents();
    ASSERT_NE(drawn->widget(), nullptr);
    EXPECT_EQ(drawn->widget()->window(), &stage.window);
    EXPECT_EQ(arrowTip(*drawn), onOk);
    EXPECT_EQ(placedWindowAt(onOk), &stage.window);
}
