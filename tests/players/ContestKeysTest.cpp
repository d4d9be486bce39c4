// The pointer table computed from the drawn keyboard's bounds falls on the key of each place.
#include "clavpack/Claviervirtuel.h"
#include "players/ContestRules.h"
#include "players/DrawnKeyPositions.h"

#include <gtest/gtest.h>

using namespace pinstage;

// Both faces of the keyboard: the contest's fixed table where it is drawn, and the kiosk's internet
// captions at the kiosk's 640 x 190, whose wider keys take the places of the drawn keys.
TEST(ContestKeys, EveryPointerPositionFallsOnItsKey) {
    for (const bool internet : {false, true}) {
        SCOPED_TRACE(internet ? "internet captions, 640 x 190" : "contest");
        TClavierVirtuel keyboard;
        keyboard.InternetEncours = internet;
        keyboard.BuildButtonImages();
        keyboard.RegenerateKeys = true;
        keyboard.DrawButtons();
        // Placed anywhere: the table follows the control's left edge and bottom.
        if (internet)
            keyboard.setGeometry(300, 885, 640, 190);
        else
            keyboard.move(37, 400);
        const QRect g = keyboard.geometry();
        const KeyPositionTable t =
            internet ? drawnKeyPositions(keyboard) : contestKeyPositions(g.left(), g.top() + g.height());
        const std::array<int, 5> lengths = {14, 14, 14, 13, 2};
        for (int r = 0; r < 5; ++r) {
            for (int c = 0; c < lengths[size_t(r)]; ++c) {
                const QPoint local(t[size_t(r)][size_t(c)][0] - g.left(),
                                   t[size_t(r)][size_t(c)][1] - g.top());
                const TVKInfo& key = keyboard.ButtonInfo[size_t(r)][size_t(c)];
                EXPECT_TRUE(key.Rect.contains(local))
                    << "row " << r << " place " << c << " ("
                    << keyboard.GetButtonCaption(keyboard.RowsOrder[r][c]).toStdString() << ") at "
                    << local.x() << "," << local.y();
            }
        }
        // "Entrée", where the pointer rests when the windows appear.
        EXPECT_EQ(keyboard.RowsOrder[kEnterKeyRow][kEnterKeyColumn], vkbClose);
    }
}
