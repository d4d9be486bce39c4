// The backglass display state: symbol surfaces and symbols of the 89 elements, the scene and back
// buffer, the overlay, the reel counters and the frame state; its set-up and release.
#pragma once

#include "display/FramePlan.h"
#include "display/Overlay.h"
#include "display/ReelBank.h"
#include "display/ReelSounds.h"
#include "display/Symbol.h"
#include "platform/DataRoot.h"

#include <QImage>
#include <QRegion>

#include <array>
#include <cstdint>
#include <memory>

namespace pinstage {

struct FrontonRecord;

struct Backglass {
    Backglass(FrontonRecord& layout, DataRoot root) : layout(layout), root(std::move(root)) {}

    FrontonRecord& layout; // the in-memory layout record, kept for the whole run
    DataRoot root;

    ScreenSize screen{};
    DesignMapping mapping{};
    bool displayReady = false; // initDisplay done, releaseDisplay not yet

    QImage backBuffer; // the frame being prepared (screen size)
    QImage scene;      // the composed backglass without transient text (screen size)
    Overlay overlay;
    std::array<QImage, element::kCount> surfaces{};                 // null: no surface
    std::array<std::unique_ptr<Symbol>, element::kCount> symbols{}; // null: not built
    ReelBank reels;

    // Frame state.
    FrameCadence cadence;
    bool changed = false;   // something was drawn since the last presentation
    QRegion damage;         // what the next presentation must bring to the screen
    QRegion backBufferOnly; // drawn on the back buffer only: restored from the scene after presenting
    uint64_t presentations = 0;

    Symbol* symbol(int e) { return (e >= 0 && e < element::kCount) ? symbols[size_t(e)].get() : nullptr; }
    // The placement table the frame planning reads.
    SymbolTable symbolTable();
};

// Returned by initBackglass: the attract mode's GAME OVER indicator, up for the first 10 s.
struct GameOverIndicator {
    uint8_t flag = 0;
    uint32_t time = 0;
};

// The background element covers the whole screen: its display rectangle becomes the screen.
void stretchBackgroundToScreen(FrontonRecord& layout, ScreenSize screen);

// Creates the back buffer of the screen's size and the overlay; nothing when already done.
// PinError("impossible de régler le format d'écran") for a screen size that cannot be used.
void initDisplay(Backglass& b, ScreenSize screen);
// Releases the back buffer, the overlay, the scene, the 89 symbol surfaces and symbols and the
// counters.
void releaseDisplay(Backglass& b);

// Loads the symbol bitmap of every element with a picture from the symbols directory; one that
// cannot be loaded leaves only that element without a surface. Then creates the scene surface:
// PinError("Erreur création surface hors écran scène") on failure.
void loadSymbolSurfaces(Backglass& b);
// Builds the Symbol of every element first <= e < end.
void createSymbols(Backglass& b, int first, int end);

// Builds symbols and counters, shows the attract-mode elements and computes the drawing order.
// Needs initDisplay and the symbol bitmaps. sounds: the click (game function 0) and transfer
// (game function 1) sound numbers.
GameOverIndicator initBackglass(Backglass& b, ReelSounds sounds, uint32_t now);

} // namespace pinstage
