// The backglass editor's plain rules: typed grid values, the cutter's rubber band, and the
// creation canvas's selection cycle, dragging and write-back.
#include "dashboard/EditorGeometry.h"
#include "dashboard/FrontonCanvasModel.h"
#include "dashboard/FrontonGridRules.h"

#include <gtest/gtest.h>

namespace pinstage::test {

namespace {
int rowOf(int element) {
    return element + kFrontonGridTitleRows;
}
void place(FrontonElement& e, EditRect r, int layer) {
    e.displayLeft = r.left;
    e.displayTop = r.top;
    e.displayRight = r.right;
    e.displayBottom = r.bottom;
    e.layer = layer;
    e.editorVisibility = 1;
}
} // namespace

TEST(FrontonGridRules, TypedValuesAreCheckedAndBounded) {
    using namespace fronton_col;
    FrontonRecord layout = defaultFronton();
    FrontonElement& e32 = layout.elements[32];

    // 51 is past the picture list: cell and picture number both emptied.
    CellEdit edit = applyFrontonCell(layout, kPicture, rowOf(32), "51");
    EXPECT_EQ(edit.outcome, CellOutcome::Cleared);
    EXPECT_EQ(edit.shown, "");
    EXPECT_FALSE(elementPicture(e32).has_value());
    EXPECT_EQ(applyFrontonCell(layout, kPicture, rowOf(32), "07").shown, "7");
    EXPECT_EQ(elementPicture(e32), 7);
    EXPECT_EQ(applyFrontonCell(layout, kPicture, rowOf(32), "-1").outcome, CellOutcome::Cleared);
    EXPECT_EQ(applyFrontonCell(layout, kPicture, rowOf(32), "50").outcome, CellOutcome::Stored);
    // A text that is not a number keeps the old value and is reported.
    edit = applyFrontonCell(layout, kPicture, rowOf(32), "x");
    EXPECT_EQ(edit.outcome, CellOutcome::NotANumber);
    EXPECT_EQ(edit.shown, "50");
    EXPECT_EQ(elementPicture(e32), 50);

    // -5 in a display cell empties the cell and keeps the value; too long, the same.
    edit = applyFrontonCell(layout, kDisplayLeft, rowOf(32), "-5");
    EXPECT_EQ(edit.outcome, CellOutcome::Emptied);
    EXPECT_EQ(edit.shown, "");
    EXPECT_EQ(e32.displayLeft, 771);
    EXPECT_EQ(applyFrontonCell(layout, kDisplayLeft + 1, rowOf(32), "12345").outcome, CellOutcome::Emptied);
    EXPECT_EQ(e32.displayRight, 1047);
    EXPECT_EQ(applyFrontonCell(layout, kDisplayLeft, rowOf(32), "12a").outcome, CellOutcome::NotANumber);
    EXPECT_EQ(applyFrontonCell(layout, kDisplayBottom, rowOf(32), "9999").outcome, CellOutcome::Stored);
    EXPECT_EQ(e32.displayBottom, 9999);
    EXPECT_EQ(applyFrontonCell(layout, kSourceLeft, rowOf(50), " 12").shown, "12");
    EXPECT_EQ(layout.elements[50].sourceLeft, 12);

    // Layers and parents are element numbers 0-88.
    EXPECT_EQ(applyFrontonCell(layout, kLayer, rowOf(32), "89").outcome, CellOutcome::Emptied);
    EXPECT_EQ(e32.layer, 1);
    EXPECT_EQ(applyFrontonCell(layout, kLayer, rowOf(32), "88").outcome, CellOutcome::Stored);
    EXPECT_EQ(e32.layer, 88);
    EXPECT_EQ(applyFrontonCell(layout, kParent, rowOf(37), "99").outcome, CellOutcome::Emptied);
    EXPECT_EQ(applyFrontonCell(layout, kParent, rowOf(37), "-1").outcome, CellOutcome::Emptied);
    EXPECT_EQ(layout.elements[37].parent, 43);
    EXPECT_EQ(applyFrontonCell(layout, kParent, rowOf(37), "ab").outcome, CellOutcome::NotANumber);
    EXPECT_EQ(applyFrontonCell(layout, kParent, rowOf(37), "42").outcome, CellOutcome::Stored);
    EXPECT_EQ(elementParent(layout.elements[37]), 42);

    // Cells the operator may not change leave the layout alone.
    FrontonRecord before = layout;
    EXPECT_EQ(applyFrontonCell(layout, kSourceLeft, rowOf(51), "3").outcome, CellOutcome::ReadOnly);
    EXPECT_EQ(applyFrontonCell(layout, kLabel, rowOf(5), "TITRE").outcome, CellOutcome::ReadOnly);
    EXPECT_EQ(applyFrontonCell(layout, kPicture, rowOf(3), "2").outcome, CellOutcome::ReadOnly);
    EXPECT_EQ(applyFrontonCell(layout, kDisplayLeft, rowOf(31), "2").outcome, CellOutcome::ReadOnly);
    EXPECT_EQ(applyFrontonCell(layout, kDisplayLeft, rowOf(40), "1").outcome, CellOutcome::Stored);
    EXPECT_EQ(applyFrontonCell(layout, kDisplayLeft, rowOf(40), "390").outcome, CellOutcome::Stored);
    EXPECT_EQ(encodeFronton(layout), encodeFronton(before));
}

TEST(FrontonGridRules, EditableCellsTitlesAndTexts) {
    using namespace fronton_col;
    FrontonRecord layout = defaultFronton();
    EXPECT_FALSE(frontonCellEditable(kPicture, 1)); // title rows
    EXPECT_TRUE(frontonCellEditable(kSourceBottom, rowOf(50)));
    EXPECT_FALSE(frontonCellEditable(kSourceBottom, rowOf(51)));
    // Picture numbers follow each counter's units reel and the first record digit...
    for (int e : {3, 8, 10, 15, 17, 22, 24, 29, 69, 73})
        EXPECT_FALSE(frontonCellEditable(kPicture, rowOf(e))) << e;
    for (int e : {2, 9, 16, 23, 30, 31, 68, 74})
        EXPECT_TRUE(frontonCellEditable(kPicture, rowOf(e))) << e;
    // ...and places follow them too, the credit tens and the last record digit included.
    for (int e : {3, 29, 31, 69, 74})
        EXPECT_FALSE(frontonCellEditable(kDisplayLeft + 2, rowOf(e))) << e;
    for (int e : {0, 2, 30, 68, 75, 88})
        EXPECT_TRUE(frontonCellEditable(kDisplayLeft + 2, rowOf(e))) << e;
    for (int e = 0; e < kFrontonElementCount; ++e) {
        EXPECT_FALSE(frontonCellEditable(kLabel, rowOf(e)));
        EXPECT_FALSE(frontonCellEditable(kNumber, rowOf(e)));
        EXPECT_TRUE(frontonCellEditable(kLayer, rowOf(e)));
    }
    EXPECT_STREQ(frontonGridTitle(kPicture, 0), "N°d'image pour");
    EXPECT_STREQ(frontonGridTitle(kParent, 1), "Parent");
    EXPECT_EQ(frontonCellText(layout, kNumber, rowOf(30)), "30");
    EXPECT_EQ(frontonCellText(layout, kChooser, rowOf(48)), "lumiscopetitre.bmp");
    EXPECT_EQ(frontonCellText(layout, kChooser, rowOf(51)), "");
    EXPECT_EQ(frontonCellText(layout, kLabel, rowOf(30)), "ROULEAU DES UNITES COMPTEUR DE CREDIT");
    EXPECT_EQ(frontonCellText(layout, kDisplayLeft, rowOf(30)), "635");
    EXPECT_EQ(frontonCellText(layout, kPicture, rowOf(1)), "");
}

TEST(RubberBand, DrawMoveResizeDeleteAndCut) {
    RubberBand band;
    band.press(250, 90, false); // drawn from bottom right to top left, beyond the picture's right
    band.moveTo(320, 120);
    band.moveTo(200, 20);
    EXPECT_EQ(band.mode(), DragMode::Drawing);
    band.release();
    ASSERT_TRUE(band.rect());
    EXPECT_EQ(*band.rect(), (EditRect{200, 20, 250, 90}));
    // Right edge: within 15 pixels outside it, between top and bottom.
    band.press(264, 50, false);
    EXPECT_EQ(band.mode(), DragMode::ResizeRight);
    band.moveTo(400, 50);
    band.release();
    EXPECT_EQ(band.rect()->right, 400);
    // Top edge: between left + 3 and right - 3 only.
    band.press(201, 10, false);
    EXPECT_EQ(band.mode(), DragMode::None);
    band.release();
    band.press(210, 6, false);
    EXPECT_EQ(band.mode(), DragMode::ResizeTop);
    band.moveTo(210, -30);
    band.release();
    // Inside: moved.
    band.press(220, 40, false);
    EXPECT_EQ(band.mode(), DragMode::Moving);
    band.moveTo(230, 45);
    band.release();
    EXPECT_EQ(*band.rect(), (EditRect{210, -25, 410, 95}));
    // Cut to a 300 x 100 picture: right to width - 1, bottom to height - 1, left and top to 0.
    EXPECT_EQ(cutToPicture(*band.rect(), 300, 100), (EditRect{210, 0, 299, 95}));
    EXPECT_EQ(cutToPicture(EditRect{0, 0, 300, 100}, 300, 100), (EditRect{0, 0, 299, 99}));
    EXPECT_FALSE(cutToPicture(EditRect{305, 0, 400, 50}, 300, 100));
    band.press(1, 1, true);
    EXPECT_FALSE(band.rect());
    band.press(5, 5, false); // a new band after the deletion
    EXPECT_EQ(band.mode(), DragMode::Drawing);
}

TEST(FrontonCanvasModel, RightPressCyclesThroughStackedElements) {
    FrontonRecord layout = defaultFronton();
    place(layout.elements[33], {400, 200, 600, 300}, 1);
    place(layout.elements[36], {450, 250, 650, 350}, 3);
    place(layout.elements[32], {500, 280, 520, 400}, 2);
    place(layout.elements[40], {1000, 600, 1100, 700}, 1);
    layout.elements[41].pictureNumber.setCp1252(""); // no picture: never under the mouse
    place(layout.elements[41], {0, 0, 1360, 768}, 5);
    FrontonCanvasModel model(layout);
    EXPECT_EQ(model.canvasWidth(), 1360);
    EXPECT_EQ(model.canvasHeight(), 768);
    // Topmost first, each once, then the cycle starts again.
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        model.rightPress(510, 290);
        seen.push_back(model.selected());
    }
    EXPECT_EQ(seen, (std::vector<int>{36, 32, 33, 36}));
    // A left press forgets the cycle.
    model.leftPress(5, 5);
    model.rightPress(510, 290);
    EXPECT_EQ(model.selected(), 36);
    // Two elements here.
    model.rightPress(410, 210);
    EXPECT_EQ(model.selected(), 33);
    // Over the background alone: the next selectable element, wrapping after 87 to 1.
    model.rightPress(1300, 20);
    EXPECT_EQ(model.selected(), 34);
    model.select(87);
    model.rightPress(1300, 20);
    EXPECT_EQ(model.selected(), 1);
    model.select(29); // follows the units reel 23: never selected alone
    EXPECT_EQ(model.selected(), 1);
    model.select(30);
    model.rightPress(1300, 20);
    EXPECT_EQ(model.selected(), 32); // past 31, the credit tens reel
    model.select(0);
    EXPECT_EQ(model.selected(), 32); // the background cannot be selected
}

TEST(FrontonCanvasModel, DraggingKeepsGroupsTogetherAndInsideTheCanvas) {
    FrontonRecord layout = defaultFronton();
    for (int e = 2; e <= 8; ++e)
        layout.elements[size_t(e)].editorVisibility = 1;
    FrontonCanvasModel model(layout);
    EXPECT_TRUE(model.drawnOnCanvas(2));
    EXPECT_FALSE(model.drawnOnCanvas(3)); // drawn with its counter
    // Player 1's units reel at 341-387 x 122-172; its millions at 65-111.
    model.select(2);
    model.rightPress(70, 130); // over the millions reel: selects the counter
    EXPECT_EQ(model.selected(), 2);
    model.leftPress(350, 130);
    EXPECT_EQ(model.mode(), DragMode::Moving);
    EXPECT_TRUE(model.dragTo(300, 100));
    model.release();
    EXPECT_EQ(model.working(2), (EditRect{291, 92, 337, 142}));
    EXPECT_EQ(model.working(8), (EditRect{15, 92, 61, 142}));
    // The group stops at the canvas's left edge.
    model.leftPress(300, 100);
    model.dragTo(-500, -500);
    model.release();
    EXPECT_EQ(model.working(8).left, 0);
    EXPECT_EQ(model.working(2).top, 0);
    EXPECT_EQ(model.working(2).left, 276);
    // Resizing the first member's right edge widens the whole counter.
    model.leftPress(model.working(2).right + 5, 20);
    EXPECT_EQ(model.mode(), DragMode::ResizeRight);
    model.dragTo(368, 20);
    model.release();
    EXPECT_EQ(model.working(2).width(), 92);
    EXPECT_EQ(model.working(3), (EditRect{184, 0, 276, 50}));
    // Written back into every element but the background.
    FrontonRecord out = layout;
    out.elements[0].displayRight = 1920;
    model.writeBack(out);
    EXPECT_EQ(out.elements[3].displayLeft, 184);
    EXPECT_EQ(out.elements[3].displayRight, 276);
    EXPECT_EQ(out.elements[0].displayRight, 1920);
    EXPECT_EQ(out.elements[40].displayLeft, 390);

    std::string caption = model.caption(12, 34);
    EXPECT_EQ(caption, "Création du Fronton Lumiscope     Fonction de l'image en cours :  ROULEAU DES UNITES "
                       "COMPTEUR SCORE JOUEUR 1   Numéro de l'image utilisée :  1  Position de la souris :  "
                       "X =  12  Y =  34  Image visible :  oui");
    EXPECT_EQ(mousePositionText(-3, 7), "X: -3 - Y: 7");
}

TEST(FrontonCanvasModel, ThumbnailElementsAndName) {
    FrontonRecord layout = defaultFronton();
    layout.elements[80].pictureNumber.setCp1252("3");
    layout.elements[84].pictureNumber.setCp1252("3");
    auto drawn = thumbnailElements(layout);
    auto has = [&](int e) { return std::find(drawn.begin(), drawn.end(), e) != drawn.end(); };
    EXPECT_FALSE(has(0));
    EXPECT_FALSE(has(1));  // no picture
    EXPECT_FALSE(has(80)); // counter frames are left out
    EXPECT_FALSE(has(88));
    EXPECT_TRUE(has(2));
    EXPECT_TRUE(has(84));
    // In drawing order: the layer-4 reels after the layer-1 words, the layer-2 "GAME OVER" between.
    auto at = [&](int e) { return std::find(drawn.begin(), drawn.end(), e) - drawn.begin(); };
    EXPECT_LT(at(32), at(37));
    EXPECT_LT(at(37), at(2));
    EXPECT_EQ(thumbnailFileName(0), "choix0.bmp");
    EXPECT_EQ(thumbnailFileName(3), "choix3.bmp");
}

} // namespace pinstage::test
