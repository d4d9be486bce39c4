// Key presses, releases and hovering driven by mouse events at the key rectangles.
#include "KeyboardFixture.h"

#include <QSignalSpy>

#include <memory>

using namespace pinstage;
using namespace pinstage::testing;

namespace {

class EventCounter : public QObject {
public:
    explicit EventCounter(QEvent::Type type) : type_(type) {}
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == type_;
        return false;
    }
    int count = 0;

private:
    QEvent::Type type_;
};

} // namespace

TEST(KeyPress, CharactersAccumulateAndSpaceReplacesThemWithItsCode) {
    ShownKeyboard shown;
    QSignalSpy downs(&shown.keyboard, &TClavierVirtuel::OnButtonDown);
    shown.click(vkbA);
    shown.click(vkb1);
    EXPECT_EQ(shown.keyboard.Buffer(), "a1");
    shown.click(vkbSpace);
    EXPECT_EQ(shown.keyboard.Buffer(), "13");
    ASSERT_EQ(downs.size(), 3);
    EXPECT_EQ(downs[0][1].value<TVKButton>(), vkbA);
    EXPECT_EQ(downs[1][1].value<TVKButton>(), vkb1);
    EXPECT_EQ(downs[2][1].value<TVKButton>(), vkbSpace);
    EXPECT_EQ(downs[2][0].value<QObject*>(), &shown.keyboard);
    EXPECT_TRUE(shown.errors.empty());
}

TEST(KeyPress, ShiftGivesEighteenThenUpperCase) {
    ShownKeyboard shown;
    const int lowerWidth = shown.rectOf(vkb1).width();
    shown.click(vkbShift);
    EXPECT_EQ(shown.keyboard.Buffer(), "18");
    EXPECT_TRUE(shown.keyboard.ShiftMode());
    shown.click(vkbQ);
    EXPECT_EQ(shown.keyboard.Buffer(), "18Q");
    shown.click(vkb1);
    EXPECT_EQ(shown.keyboard.Buffer(), "18Q!");
    EXPECT_EQ(shown.rectOf(vkb1).width(), lowerWidth);
    shown.click(vkbShift);
    shown.click(vkbQ);
    EXPECT_EQ(shown.keyboard.Buffer(), "18q");
}

TEST(KeyPress, ShiftRedrawsTheCaptionsAtOnce) {
    ShownKeyboard shown;
    const QImage before = infoOf(shown.keyboard, vkbA).Normal;
    shown.click(vkbShift);
    const QImage after = infoOf(shown.keyboard, vkbA).Normal;
    EXPECT_EQ(before.size(), after.size());
    EXPECT_NE(before, after) << "the A key must show its upper-case caption";
}

TEST(KeyPress, EnterRaisesUserDoneThenButtonDownAndKeepsBuffer) {
    ShownKeyboard shown;
    shown.click(vkbB);
    std::vector<std::string> order;
    QObject::connect(&shown.keyboard, &TClavierVirtuel::OnUserDone, &shown.keyboard,
                     [&order](QObject* sender) { order.push_back(sender ? "done" : "done without sender"); });
    QObject::connect(&shown.keyboard, &TClavierVirtuel::OnButtonDown, &shown.keyboard,
                     [&order](QObject*, TVKButton key) { order.push_back("down " + std::to_string(key)); });
    shown.click(vkbClose);
    EXPECT_EQ(shown.keyboard.Buffer(), "b");
    EXPECT_EQ(order, (std::vector<std::string>{"done", "down " + std::to_string(vkbClose)}));
}

TEST(KeyPress, PressingAKeyAlreadyDownTurnsItToHover) {
    ShownKeyboard shown;
    shown.press(vkbA);
    EXPECT_EQ(shown.stateOf(vkbA), vksDown);
    shown.press(vkbA);
    EXPECT_EQ(shown.stateOf(vkbA), vksHover);
    EXPECT_EQ(shown.keyboard.Buffer(), "aa");
    shown.release(vkbA);
    EXPECT_EQ(shown.stateOf(vkbA), vksHover);
}

TEST(KeyPress, PressDownsTheKeyAndReleaseLeavesItHovered) {
    ShownKeyboard shown;
    shown.hover(vkbZ);
    EXPECT_EQ(shown.stateOf(vkbZ), vksHover);
    shown.press(vkbA);
    EXPECT_EQ(shown.stateOf(vkbA), vksDown);
    EXPECT_EQ(shown.stateOf(vkbZ), vksNormal) << "a press sets every other key to normal";
    const QImage picture = shown.keyboard.grab().toImage();
    const QRect a = shown.rectOf(vkbA);
    EXPECT_EQ(a.size(), infoOf(shown.keyboard, vkbA).Down.size());
    shown.release(vkbA);
    EXPECT_EQ(shown.stateOf(vkbA), vksHover);
    const QImage released = shown.keyboard.grab().toImage();
    EXPECT_NE(picture.copy(a), released.copy(a)) << "the pressed face must differ from the hovered one";
}

TEST(KeyPress, ReleaseElsewhereTypesNothingMoreAndClearsTheKey) {
    ShownKeyboard shown;
    shown.press(vkbA);
    shown.release(vkbZ);
    EXPECT_EQ(shown.keyboard.Buffer(), "a");
    EXPECT_EQ(shown.stateOf(vkbA), vksNormal);
    EXPECT_EQ(shown.stateOf(vkbZ), vksNormal);
}

TEST(KeyPress, GapsBetweenKeysAndOtherButtonsTypeNothing) {
    ShownKeyboard shown;
    const QRect a = shown.rectOf(vkbA);
    QTest::mouseClick(&shown.keyboard, Qt::LeftButton, {}, QPoint(a.right() + 2, a.center().y()));
    QTest::mouseClick(&shown.keyboard, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseClick(&shown.keyboard, Qt::RightButton, {}, a.center());
    EXPECT_EQ(shown.keyboard.Buffer(), "");
    EXPECT_EQ(shown.stateOf(vkbA), vksNormal);
}

TEST(KeyPress, InternetModePhotoKeyShowsImprimerAndStillGivesTen) {
    ShownKeyboard shown(true);
    EXPECT_EQ(shown.keyboard.GetButtonCaption(vkbPhoto), "Imprimer");
    EXPECT_EQ(shown.rectOf(vkbPhoto).width(), captionWidth(shown.keyboard, "Imprimer") + 15);
    shown.click(vkbPhoto);
    EXPECT_EQ(shown.keyboard.Buffer(), "10");
    shown.click(vkbRefresh);
    EXPECT_EQ(shown.keyboard.Buffer(), "19");
}

TEST(KeyPress, QuoteMarkKeyTypesAComma) {
    ShownKeyboard shown;
    EXPECT_EQ(shown.rectOf(vkbQuoteMark).width(), 32) << "a one-character caption keeps the face width";
    shown.click(vkbQuoteMark);
    shown.click(vkbComma);
    EXPECT_EQ(shown.keyboard.Buffer(), ",,");
}

TEST(KeyPress, EveryKeyOfTheLayoutCanBePressed) {
    ShownKeyboard shown;
    QSignalSpy downs(&shown.keyboard, &TClavierVirtuel::OnButtonDown);
    int pressed = 0;
    for (int row = 0; row < VKRowCount; ++row) {
        for (int place = 0; place < VKRowPlaces && isKeyButton(shown.keyboard.RowsOrder[row][place]);
             ++place) {
            const TVKButton key = shown.keyboard.RowsOrder[row][place];
            if (key == vkbShift)
                continue; // changes the captions of the following presses
            shown.click(key);
            ASSERT_EQ(downs.size(), ++pressed);
            EXPECT_EQ(downs.back()[1].value<TVKButton>(), key);
        }
    }
    EXPECT_EQ(pressed, VKButtonCount - 2);
}

TEST(KeyPress, ADoubleClickFromTheWindowSystemTypesOncePerPress) {
    ShownKeyboard shown;
    QWindow* window = shown.keyboard.windowHandle();
    ASSERT_NE(window, nullptr);
    EventCounter doubleClicks(QEvent::MouseButtonDblClick);
    shown.keyboard.installEventFilter(&doubleClicks);
    QTest::mouseDClick(window, Qt::LeftButton, {}, shown.rectOf(vkbA).center());
    EXPECT_EQ(doubleClicks.count, 1) << "the second press must arrive as a double click";
    EXPECT_EQ(shown.keyboard.Buffer(), "aa");
}

TEST(KeyPress, AHandlerMayDestroyTheKeyboard) {
    auto owner = std::make_unique<ShownKeyboard>();
    const QPoint a = owner->rectOf(vkbA).center();
    QObject::connect(&owner->keyboard, &TClavierVirtuel::OnButtonDown, &owner->keyboard,
                     [&owner] { owner.reset(); });
    owner->keyboard.DownButtonFromPoint(a);
    EXPECT_EQ(owner, nullptr);
}

TEST(Hover, FollowsThePointerFromKeyToKey) {
    ShownKeyboard shown;
    shown.hover(vkbE);
    EXPECT_EQ(shown.stateOf(vkbE), vksHover);
    shown.hover(vkbR);
    EXPECT_EQ(shown.stateOf(vkbE), vksNormal);
    EXPECT_EQ(shown.stateOf(vkbR), vksHover);
    shown.hover(shown.rectOf(vkbR).center() + QPoint(1, 1));
    EXPECT_EQ(shown.stateOf(vkbR), vksHover) << "moving inside a key keeps it hovered";
}

TEST(Hover, LeavesAPressedKeyAlone) {
    ShownKeyboard shown;
    shown.press(vkbT);
    shown.hover(vkbT); // no button held any more: the capture has ended
    EXPECT_EQ(shown.stateOf(vkbT), vksDown);
    shown.release(vkbT);
}

TEST(Hover, MovesAreIgnoredWhileTheButtonIsHeld) {
    ShownKeyboard shown;
    shown.press(vkbA);
    const QPoint z = shown.rectOf(vkbZ).center();
    QMouseEvent drag(QEvent::MouseMove, z, shown.keyboard.mapToGlobal(z), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&shown.keyboard, &drag);
    EXPECT_EQ(shown.stateOf(vkbZ), vksNormal);
    EXPECT_EQ(shown.stateOf(vkbA), vksDown);
    shown.release(vkbA);
    shown.hover(vkbZ);
    EXPECT_EQ(shown.stateOf(vkbZ), vksHover);
}

TEST(Hover, ForceUpAllButtonClearsEveryState) {
    ShownKeyboard shown;
    shown.hover(vkbE);
    shown.press(vkbA);
    shown.keyboard.ForceUpAllButton();
    for (const auto& row : shown.keyboard.ButtonInfo) {
        for (const TVKInfo& info : row)
            EXPECT_EQ(info.State, vksNormal);
    }
}
