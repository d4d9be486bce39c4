// A keyboard shown on the offscreen screen, ready to be pressed at its key rectangles.
#pragma once

#include "clavpack/Claviervirtuel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace pinstage::testing {

struct Place {
    int row = -1;
    int place = -1;
};

inline Place findKey(const TClavierVirtuel& keyboard, TVKButton key) {
    for (int row = 0; row < VKRowCount; ++row) {
        for (int place = 0; place < VKRowPlaces; ++place) {
            if (keyboard.RowsOrder[row][place] == key)
                return {row, place};
        }
    }
    return {};
}

inline const TVKInfo& infoOf(const TClavierVirtuel& keyboard, TVKButton key) {
    const Place at = findKey(keyboard, key);
    EXPECT_GE(at.row, 0) << "key " << int(key) << " is not on the keyboard";
    return keyboard.ButtonInfo[std::max(at.row, 0)][std::max(at.place, 0)];
}

// Width a caption takes in the keyboard's font at the 96 dpi the keys are drawn with.
inline int captionWidth(const TClavierVirtuel& keyboard, const QString& caption) {
    QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    device.setDotsPerMeterX(3780);
    device.setDotsPerMeterY(3780);
    return QFontMetrics(keyboard.font(), &device).horizontalAdvance(caption);
}

class ShownKeyboard {
public:
    explicit ShownKeyboard(bool internet = false) {
        keyboard.setErrorReporter([this](const QString& message) { errors.push_back(message); });
        keyboard.InternetEncours = internet;
        keyboard.BuildButtonImages();
        keyboard.RegenerateKeys = true;
        keyboard.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&keyboard));
        EXPECT_TRUE(QTest::qWaitFor([this] { return !keyboard.RegenerateKeys; }));
    }

    QRect rectOf(TVKButton key) const { return infoOf(keyboard, key).Rect; }
    TVKState stateOf(TVKButton key) const { return infoOf(keyboard, key).State; }

    void press(TVKButton key) { QTest::mousePress(&keyboard, Qt::LeftButton, {}, rectOf(key).center()); }
    void release(TVKButton key) { QTest::mouseRelease(&keyboard, Qt::LeftButton, {}, rectOf(key).center()); }
    void click(TVKButton key) {
        press(key);
        release(key);
    }
    // A move with no button held, as the pointer glides over the keys.
    void hover(QPoint point) {
        QMouseEvent move(QEvent::MouseMove, point, keyboard.mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&keyboard, &move);
    }
    void hover(TVKButton key) { hover(rectOf(key).center()); }

    TClavierVirtuel keyboard;
    std::vector<QString> errors;
};

} // namespace pinstage::testing
