// The backglass editor page in the dashboard: reading the numbered layout, typing into the grid,
// saving, the picture chooser and cutter, and the creation canvas with its thumbnail.
#include "DashboardFixture.h"

#include "config/FileNames.h"
#include "dashboard/FrontonCanvasWindow.h"
#include "dashboard/FrontonEditorPage.h"
#include "dashboard/FrontonGridRules.h"
#include "dashboard/PictureCutWindow.h"
#include "display/QtPath.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

namespace pinstage::test {

namespace {
int rowOf(int element) {
    return element + kFrontonGridTitleRows;
}
void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}
void drag(QWidget* w, QPoint from, QPoint to) {
    mouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton);
    mouse(w, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    mouse(w, QEvent::MouseMove, to, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton);
}
} // namespace

class FrontonEditorPageTest : public DashboardTest {
protected:
    FrontonEditorPage* page() const { return dash->frontonPage(); }
    DashGrid* grid() const { return page()->grid(); }
    std::filesystem::path layoutFile() const { return configFile(root(), kFrontonFileName, 0); }
    std::filesystem::path image(const std::string& name) const { return root().file(DataDir::Images, name); }
    FrontonRecord saved() const {
        FrontonRecord r;
        loadFronton(layoutFile(), r);
        return r;
    }
    void writePicture(const std::string& name, QSize size, QColor colour) const {
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        ASSERT_TRUE(img.save(toQString(image(name)), "BMP"));
    }
};

TEST_F(FrontonEditorPageTest, ReadsTheFileTypesIntoTheGridAndSaves) {
    FrontonRecord stored = saved();
    stored.elements[40].displayLeft = 400;
    saveFronton(layoutFile(), stored);
    makeDashboard();
    dash->showPage(TTableauDeBord::kFrontonPage);
    ASSERT_EQ(grid()->columnCount(), 14);
    ASSERT_EQ(grid()->rowCount(), 91);
    EXPECT_EQ(grid()->text(7, 0), QString::fromUtf8("N°d'image pour"));
    EXPECT_EQ(grid()->text(8, rowOf(40)), "400");
    EXPECT_EQ(grid()->text(6, rowOf(88)), QString::fromStdString(stored.elements[88].functionLabel.utf8()));
    EXPECT_FALSE(grid()->cellEditable(7, rowOf(3)));
    EXPECT_FALSE(grid()->cellEditable(2, rowOf(51)));
    EXPECT_TRUE(ui.confinements.size() >= 1 && !ui.confinements.back()); // the mouse is freed

    typeIntoCell(grid(), 7, rowOf(32), "51");
    EXPECT_EQ(grid()->text(7, rowOf(32)), "");
    EXPECT_FALSE(elementPicture(page()->layout().elements[32]));
    typeIntoCell(grid(), 8, rowOf(32), "-5");
    EXPECT_EQ(grid()->text(8, rowOf(32)), "");
    EXPECT_EQ(page()->layout().elements[32].displayLeft, 771);
    typeIntoCell(grid(), 8, rowOf(33), "abc");
    EXPECT_EQ(grid()->text(8, rowOf(33)), "829");
    ASSERT_EQ(ui.warnings.size(), 1u);
    EXPECT_EQ(ui.warnings[0].caption, "Valeur Incorrecte");
    EXPECT_TRUE(ui.warnings[0].text.contains("abc"));
    typeIntoCell(grid(), 13, rowOf(33), "89");
    EXPECT_EQ(grid()->text(13, rowOf(33)), "");
    typeIntoCell(grid(), 12, rowOf(33), "7");
    EXPECT_EQ(grid()->text(12, rowOf(33)), "7");
    EXPECT_EQ(exits, 0);

    // Nothing reaches the file or the running backglass before "Enregistrer"...
    EXPECT_EQ(saved().elements[33].layer, 1);
    EXPECT_EQ(m->rt.frontonReloadRequest, 0);
    QTest::mouseClick(dash->saveButton(), Qt::LeftButton);
    // ...which writes the file and has the backglass rebuilt from it when the dashboard closes.
    EXPECT_EQ(encodeFronton(saved()), encodeFronton(page()->layout()));
    EXPECT_EQ(saved().elements[33].layer, 7);
    EXPECT_EQ(m->rt.frontonReloadRequest, 1);
    EXPECT_TRUE(elementPicture(m->params.fronton.elements[32]).has_value());

    // The built-in layout shows nothing in the editor: the canvas opens with the pictured elements on show.
    bool canvasOpened = false;
    page()->runWindow = [&](QDialog& window) {
        canvasOpened = dynamic_cast<FrontonCanvasWindow*>(&window) != nullptr;
        return int(QDialog::Rejected);
    };
    QTest::mouseClick(page()->buildButton(), Qt::LeftButton);
    EXPECT_TRUE(canvasOpened);
    EXPECT_EQ(page()->layout().elements[0].editorVisibility, 1);
    EXPECT_EQ(page()->layout().elements[1].editorVisibility, 0); // no picture

    // Restore defaults: the default copy read back, saved, shown.
    QTest::mouseClick(page()->restoreButton(), Qt::LeftButton);
    EXPECT_EQ(grid()->text(7, rowOf(32)), "15");
    EXPECT_EQ(saved().elements[33].layer, 1);
}

TEST_F(FrontonEditorPageTest, ChooserCutsThePictureAndRefusesFilesItCannotKeep) {
    writePicture("essai.bmp", QSize(300, 100), Qt::red);
    makeDashboard();
    dash->showPage(TTableauDeBord::kFrontonPage);
    QString offered;
    QString chosen = toQString(image("essai.bmp"));
    page()->pickFile = [&](QWidget*, const QString& title, const QString& dir, const QString&) {
        offered = title + "|" + dir;
        return chosen;
    };
    int windows = 0;
    QString positions;
    page()->runWindow = [&](QDialog& window) {
        ++windows;
        auto* cutter = dynamic_cast<PictureCutWindow*>(&window);
        if (!cutter)
            return int(QDialog::Rejected);
        EXPECT_EQ(
            cutter->windowTitle(),
            QString::fromUtf8("Sélection de la partie d'image qui sera utilisée pour l'image numéro 5"));
        EXPECT_EQ(cutter->pictureArea()->size(), QSize(300, 100));
        drag(cutter->pictureArea(), {250, 20}, {420, 90}); // beyond the right edge
        positions = cutter->positions()->text();
        QTest::mouseClick(cutter->okButton(), Qt::LeftButton);
        return cutter->result();
    };
    clickCell(grid(), 1, rowOf(5));
    EXPECT_EQ(windows, 1);
    EXPECT_TRUE(offered.startsWith(
        QString::fromUtf8("Sélection du fichier image (.bmp ou .jpg) utilisé pour l'image numéro 5|")));
    EXPECT_TRUE(positions.contains(QString::fromUtf8("Position finale X = : 420")));
    const FrontonElement& e = page()->layout().elements[5];
    EXPECT_EQ(e.pictureFile.utf8(), "essai.bmp");
    EXPECT_EQ(e.sourceLeft, 250);
    EXPECT_EQ(e.sourceRight, 299); // cut to the width - 1
    EXPECT_EQ(e.sourceTop, 20);
    EXPECT_EQ(e.sourceBottom, 90);
    EXPECT_EQ(grid()->text(3, rowOf(5)), "299");
    EXPECT_EQ(grid()->text(1, rowOf(5)), "essai.bmp");
    EXPECT_EQ(saved().elements[5].sourceRight, 299); // saved at once

    // A picture outside the images directory, or with a capital extension, is refused.
    QTemporaryDir elsewhere;
    writePicture("autre.bmp", QSize(10, 10), Qt::blue);
    std::filesystem::copy_file(image("autre.bmp"), elsewhere.filePath("autre.bmp").toStdString());
    writePicture("GRAND.BMP", QSize(10, 10), Qt::blue);
    for (QString path : {elsewhere.filePath("autre.bmp"), toQString(image("GRAND.BMP"))}) {
        chosen = path;
        size_t before = ui.warnings.size();
        page()->choosePicture(6);
        ASSERT_EQ(ui.warnings.size(), before + 1);
        EXPECT_EQ(ui.warnings.back().caption, QString::fromUtf8("Image refusée"));
    }
    EXPECT_EQ(windows, 1);
    EXPECT_EQ(page()->layout().elements[6].pictureFile.utf8(), "ossymbols2.bmp");
    // Cancelling the dialog changes nothing.
    chosen.clear();
    page()->choosePicture(6);
    EXPECT_EQ(windows, 1);

    // A layout file that cannot be written is told; the dashboard carries on.
    std::filesystem::remove(layoutFile());
    std::filesystem::create_directory(layoutFile());
    chosen = toQString(image("essai.bmp"));
    clickCell(grid(), 1, rowOf(5));
    EXPECT_EQ(windows, 2);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_TRUE(ui.errors[0].contains("fronton"));
    EXPECT_EQ(exits, 0);
}

TEST_F(FrontonEditorPageTest, CanvasCyclesMovesAndWritesTheThumbnail) {
    writePicture("ospentacle1360.bmp", QSize(1360, 768), QColor(0, 160, 0));
    FrontonRecord stored = saved();
    auto place = [&](int e, EditRect r, int layer) {
        FrontonElement& el = stored.elements[size_t(e)];
        el.displayLeft = r.left;
        el.displayTop = r.top;
        el.displayRight = r.right;
        el.displayBottom = r.bottom;
        el.layer = layer;
        el.editorVisibility = 1;
    };
    stored.elements[0].editorVisibility = 1;
    place(33, {400, 200, 600, 300}, 1);
    place(36, {450, 250, 650, 350}, 3);
    place(32, {500, 280, 520, 400}, 2);
    saveFronton(layoutFile(), stored);
    makeDashboard();
    dash->showPage(TTableauDeBord::kFrontonPage);

    std::vector<int> cycle;
    QString caption;
    page()->runWindow = [&](QDialog& window) {
        auto* canvas = dynamic_cast<FrontonCanvasWindow*>(&window);
        if (!canvas)
            return int(QDialog::Rejected);
        EXPECT_EQ(canvas->canvas()->size(), QSize(1360, 768));
        for (int i = 0; i < 4; ++i) {
            mouse(canvas->canvas(), QEvent::MouseButtonPress, {510, 290}, Qt::RightButton);
            mouse(canvas->canvas(), QEvent::MouseButtonRelease, {510, 290}, Qt::RightButton);
            cycle.push_back(canvas->model().selected());
        }
        // 36 is selected again: moved by 10, 5.
        drag(canvas->canvas(), {600, 300}, {610, 305});
        caption = canvas->windowTitle();
        EXPECT_EQ(canvas->mouseLabel()->text(), "X: 610 - Y: 305");
        QTest::mouseClick(canvas->thumbnailButton(), Qt::LeftButton);
        return int(QDialog::Accepted);
    };
    QTest::mouseClick(page()->buildButton(), Qt::LeftButton);
    EXPECT_EQ(cycle, (std::vector<int>{36, 32, 33, 36}));
    EXPECT_TRUE(caption.contains(QString::fromUtf8("Fonction de l'image en cours :  TILT")));
    EXPECT_TRUE(caption.contains("X =  610  Y =  305  Image visible :  oui"));

    QImage thumbnail(toQString(image("choix0.bmp")));
    ASSERT_FALSE(thumbnail.isNull());
    EXPECT_EQ(thumbnail.size(), QSize(320, 240));
    EXPECT_EQ(thumbnail.pixelColor(5, 235), QColor(0, 160, 0)); // the background, stretched
    // The working rectangles went back into the layout and the grid, not yet into the file.
    EXPECT_EQ(page()->layout().elements[36].displayLeft, 460);
    EXPECT_EQ(page()->layout().elements[36].displayBottom, 355);
    EXPECT_EQ(grid()->text(8, rowOf(36)), "460");
    EXPECT_EQ(saved().elements[36].displayLeft, 450);
    // The symbol pictures are missing from this root: told once.
    QApplication::processEvents();
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], QString::fromUtf8("fichier image de l'élément de jeu corrompu ou introuvable"));
}

TEST_F(FrontonEditorPageTest, PreviewDrawsTheLayoutWithoutTheAdvertisingPicture) {
    writePicture("ospentacle1360.bmp", QSize(1360, 768), QColor(0, 160, 0));
    QImage poster(1360, 768, QImage::Format_RGB32);
    poster.fill(Qt::red);
    ASSERT_TRUE(poster.save(toQString(root().file(DataDir::PubImages, "Pub0.bmp")), "BMP"));
    FrontonRecord layout = defaultFronton();
    FrontonPreviewWindow preview(layout, root(), QSize(680, 600));
    EXPECT_EQ(preview.windowTitle(),
              QString::fromUtf8("Visualisation du fronton Lumiscope en cours de création   "));
    ASSERT_EQ(preview.picture().size(), QSize(680, 384)); // the design size, scaled to the room
    EXPECT_EQ(preview.picture().pixelColor(340, 300), QColor(0, 160, 0));
    EXPECT_TRUE(preview.unreadable()); // the symbol sheet of this root is missing
}

} // namespace pinstage::test
