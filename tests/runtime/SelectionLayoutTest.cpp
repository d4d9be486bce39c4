#include "runtime/SelectionLayout.h"

#include <gtest/gtest.h>

using namespace pinstage;

TEST(SelectionLayoutMaths, CellsOfTheDesignScreen) {
    // W 1360: cell width (1360 - 100) / 4 = 315; H 768: cell height (768 - 80) / 3 = 229.
    SelectionLayout l = selectionLayout(1360, 768);
    EXPECT_EQ(l.choiceRects[0], (ChoiceRect{20, 20, 335, 229}));
    EXPECT_EQ(l.choiceRects[1], (ChoiceRect{355, 20, 670, 229}));
    EXPECT_EQ(l.choiceRects[3], (ChoiceRect{1025, 20, 1340, 229}));
    EXPECT_EQ(l.choiceRects[4], (ChoiceRect{20, 249, 335, 478}));
    EXPECT_EQ(l.choiceRects[7], (ChoiceRect{1025, 249, 1340, 478}));
    // Centre: left + (W - 100) / 8, top + h / 2.
    EXPECT_EQ(l.choiceCentres[0], (ChoicePoint{177, 134}));
    EXPECT_EQ(l.choiceCentres[6], (ChoicePoint{690 + 157, 249 + 114}));
}

TEST(SelectionLayoutMaths, IntegerDivisionDropsTheFraction) {
    // W 1921: (1921 - 100) / 4 = 455 (455.25); H 1081: (1081 - 80) / 3 = 333 (333.67).
    SelectionLayout l = selectionLayout(1921, 1081);
    EXPECT_EQ(l.choiceRects[2].left, 2 * 455 + 3 * 20);
    EXPECT_EQ(l.choiceRects[2].right - l.choiceRects[2].left, 455);
    EXPECT_EQ(l.choiceRects[5].top, 353);
    EXPECT_EQ(l.choiceRects[5].bottom, 686);
    EXPECT_EQ(l.choiceCentres[5].x, l.choiceRects[5].left + 1821 / 8);
    EXPECT_EQ(l.choiceCentres[5].y, 353 + 166);
}

TEST(SelectionLayoutMaths, TextsSitUnderTheCellsAndFramesInsideThem) {
    SelectionLayout l = selectionLayout(1360, 768);
    for (int k = 0; k < 3; ++k) {
        EXPECT_GT(l.textLines[size_t(k)].y, l.choiceRects[7].bottom);
        EXPECT_LT(l.textLines[size_t(k)].y, 768);
        EXPECT_EQ(l.textLines[size_t(k)].x, 680);
        if (k > 0) {
            EXPECT_GT(l.textLines[size_t(k)].y, l.textLines[size_t(k - 1)].y);
        }
    }
    EXPECT_EQ(selectionFrame(l, 5), (ChoiceRect{355 + 8, 249 + 8, 670 - 8, 478 - 8}));
    EXPECT_EQ(selectionFrame(l, -3), selectionFrame(l, 5)); // wrapped like the choice
}

TEST(SelectionLayoutMaths, ATinyScreenGivesEmptyCellsNotNegativeOnes) {
    for (auto [w, h] : {std::pair{0, 0}, std::pair{50, 60}, std::pair{-10, -10}}) {
        SelectionLayout l = selectionLayout(w, h);
        for (const ChoiceRect& r : l.choiceRects) {
            EXPECT_GE(r.right, r.left);
            EXPECT_GE(r.bottom, r.top);
        }
    }
}

TEST(SelectionChoices, WrapCircularlyAndNameTheirPictures) {
    EXPECT_EQ(wrapChoice(-1), 7);
    EXPECT_EQ(wrapChoice(8), 0);
    EXPECT_EQ(wrapChoice(3), 3);
    EXPECT_EQ(wrapChoice(-9), 7);
    EXPECT_EQ(choicePictureName(0), "choix0.bmp");
    EXPECT_EQ(choicePictureName(7), "choix7.bmp");
    EXPECT_EQ(choicePictureName(9), "choix1.bmp");
}
