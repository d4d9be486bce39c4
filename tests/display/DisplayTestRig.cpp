// Synthetic pictures and the backglass test rig.
#include "DisplayTestRig.h"

#include "display/QtPath.h"
#include "display/SymbolFiles.h"

#include <QGuiApplication>
#include <QPainter>

#include <atomic>
#include <cstdlib>
#include <random>
#include <unistd.h>

namespace pinstage::test {

void ensureGuiApp() {
    if (QGuiApplication::instance())
        return;
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "test_display";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("pinstage-display-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

QColor reelDigitColour(int d) {
    return QColor(60 + 15 * d, 200 - 10 * d, 30 + 5 * d);
}

QColor pictureColour(int p) {
    return QColor(100 + 3 * p, 250 - 3 * p, 90 + p);
}

QColor colourAt(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

void writeSyntheticPictures(const DataRoot& root) {
    root.ensureDirectories();
    QImage bg(1360, 768, QImage::Format_RGB32);
    bg.fill(kBackgroundColour);
    bg.save(toQString(root.file(DataDir::Images, "ospentacle1360.bmp")), "BMP");

    QImage strip(40, 660, QImage::Format_RGB32);
    for (int c = 0; c < 11; ++c) {
        QPainter p(&strip);
        p.fillRect(0, 60 * c, 40, 60, reelDigitColour(c == 0 ? 9 : c - 1));
    }
    strip.save(toQString(root.file(DataDir::Images, "osrlx1.bmp")), "BMP");

    FrontonRecord layout = defaultFronton();
    QImage sheet(1000, 540, QImage::Format_RGB32);
    sheet.fill(QColor(0, 0, 255));
    {
        QPainter p(&sheet);
        // The pictures the built-in elements show (3, 4, 21 and 28-30 are shown by none).
        for (int pic = 5; pic <= 38; ++pic) {
            if (pic == 21 || (pic >= 28 && pic <= 30))
                continue;
            const FrontonElement& e = layout.elements[size_t(pic)];
            p.fillRect(
                QRect(QPoint(e.sourceLeft, e.sourceTop), QPoint(e.sourceRight - 1, e.sourceBottom - 1)),
                pictureColour(pic));
        }
        // TILT has a transparent hole in its middle; the second panel a gradient to find places by.
        const FrontonElement& tilt = layout.elements[19];
        p.fillRect(QRect((tilt.sourceLeft + tilt.sourceRight) / 2 - 10,
                         (tilt.sourceTop + tilt.sourceBottom) / 2 - 10, 20, 20),
                   QColor(0, 0, 255));
    }
    const FrontonElement& panel = layout.elements[26];
    for (int y = panel.sourceTop; y < panel.sourceBottom; ++y)
        for (int x = panel.sourceLeft; x < panel.sourceRight; ++x)
            sheet.setPixelColor(x, y, QColor(x % 256, (y * 3) % 256, 128));
    sheet.save(toQString(root.file(DataDir::Images, "ossymbols2.bmp")), "BMP");

    QImage advert(1360, 768, QImage::Format_RGB32);
    advert.fill(kAdvertColour);
    advert.save(toQString(root.file(DataDir::PubImages, "Pub0.bmp")), "BMP");
}

DisplayRig::DisplayRig(ScreenSize screen) : root(dir.path()) {
    ensureGuiApp();
    writeSyntheticPictures(root);
    stretchBackgroundToScreen(layout, screen);
    backglass = std::make_unique<Backglass>(layout, root);
    ctx.now = 100000;
}

void DisplayRig::build() {
    buildSymbolFiles(layout, root, 0, 88, DataDir::Images);
    buildSymbolFiles(layout, root, 88, 89, DataDir::PubImages);
    initDisplay(b(), {layout.elements[0].displayRight, layout.elements[0].displayBottom});
    initBackglass(b(), {}, ctx.now);
}

FrameOutcome DisplayRig::frame() {
    ctx.now += 40;
    return composeFrame(b(), ctx, presenter);
}

QPoint DisplayRig::centreOf(int element) {
    const PixelRect& d = b().symbol(element)->place.destination;
    return QPoint((d.left + d.right) / 2, (d.top + d.bottom) / 2);
}

} // namespace pinstage::test
