// A data root with small synthetic backglass pictures whose colours tell each picture and each
// reel digit apart, and a backglass built on the built-in layout at a chosen screen size.
#pragma once

#include "config/FrontonParams.h"
#include "display/Backglass.h"
#include "display/FrameComposer.h"
#include "platform/DataRoot.h"

#include <QColor>
#include <QImage>

#include <filesystem>
#include <memory>

namespace pinstage::test {

// Creates the offscreen application that fonts and painters need, once per test program.
void ensureGuiApp();

// A fresh directory removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline const QColor kBackgroundColour(20, 40, 60);
inline const QColor kAdvertColour(200, 30, 200);
// The colour of reel cells showing digit d.
QColor reelDigitColour(int d);
// The colour of picture p's rectangle on the symbol sheet.
QColor pictureColour(int p);
QColor colourAt(const QImage& image, int x, int y);

// Writes ospentacle1360.bmp, osrlx1.bmp and ossymbols2.bmp in the images directory and Pub0.bmp in
// the advertising directory: every picture the built-in elements use.
void writeSyntheticPictures(const DataRoot& root);

struct DisplayRig {
    explicit DisplayRig(ScreenSize screen = {1360, 768});

    TempDir dir;
    DataRoot root;
    FrontonRecord layout = defaultFronton();
    std::unique_ptr<Backglass> backglass;
    ImagePresenter presenter;
    FrameContext ctx;

    Backglass& b() { return *backglass; }
    // Builds the symbol bitmaps, the display and the backglass.
    void build();
    // A frame 40 ms after the last.
    FrameOutcome frame();
    // The centre of an element's place on the screen.
    QPoint centreOf(int element);
};

} // namespace pinstage::test
