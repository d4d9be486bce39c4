// What one backglass frame must draw or erase, decided from the layout's flags without pixels:
// the frame cadence and skip rules, the per-element draw/erase decisions in layer order, the
// erase background rule, and the parts of the screen a presentation may cover.
#pragma once

#include "config/PentacleTable.h"
#include "config/YesNo.h"
#include "display/ScreenMapping.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pinstage {

struct FrontonRecord;
struct FrontonElement;

constexpr uint32_t kFramePeriodMs = 40;

// The part of a Symbol that needs no pixels.
struct SymbolPlacement {
    PixelRect source{};      // part of the symbol surface drawn; for reels the window on the strip
    PixelRect destination{}; // screen pixels
    uint8_t shown = 0;       // 1 after draw, 0 after erase; the game sets it to ask for either
    int32_t parent = 0;      // element whose picture lies under this one
    // 0-9: the element shows that digit, drawn from the lottery digit of the same value (the
    // record to beat, the seconds left, the multiplier); -1: its own picture.
    int8_t digit = -1;
};

// Null where an element has no Symbol.
using SymbolTable = std::array<SymbolPlacement*, element::kCount>;

// What lies under an element when it is hidden: its parent's picture when the parent is shown,
// else the background (element 0) mapped one to one.
struct EraseSource {
    int background = 0;    // element whose surface is painted back
    bool asParent = false; // false: same rectangle on a screen-size background
    bool operator==(const EraseSource&) const = default;
};
EraseSource eraseSourceOf(int element, const FrontonRecord& layout, const SymbolTable& symbols);

// The rectangle of a parent's symbol surface lying under dest (screen pixels): dest brought back to
// design units and made relative to the parent's display corner, keeping its design size.
PixelRect parentSourceRect(const PixelRect& dest, const FrontonElement& parent, const DesignMapping& mapping);
// The rectangle of the background surface lying under dest: the same rectangle when the background
// has the screen's size, scaled otherwise.
PixelRect backgroundSourceRect(const PixelRect& dest, ScreenSize screen, ScreenSize background);
// True when r lies wholly inside a surface of the given size.
bool insideSurface(const PixelRect& r, ScreenSize surface);

enum class FrameAction { Draw, Erase };
struct FrameStep {
    FrameAction action;
    int element;
    EraseSource erase{};
    bool operator==(const FrameStep&) const = default;
};

// Every reel is drawn again at the next frame wherever its window stands: its source rectangle gets
// a bottom that no window on a reel strip has, so the plan sees the window as moved.
void forceReelRedraw(const SymbolTable& symbols);

// The steps of one frame in drawing order. Clears the dirty flag of every element it handles and
// copies each reel's moved window into its symbol's source rectangle. changed becomes true when
// anything is to be drawn or erased. An element listed in more than one draw slot is handled once.
std::vector<FrameStep> planFrame(FrontonRecord& layout, const SymbolTable& symbols, bool& changed);

// A window over part of the backglass (kiosk browser, video, picture window).
struct CoveredArea {
    PixelRect rect{};
    bool browser = false; // the browser's bottom strip runs the full width
};

// What the frame composition reads from the running machine.
struct FrameContext {
    uint32_t now = 0;
    bool displayInitialised = true;
    int loopMode = 0;
    bool dashboardOpen = false;
    bool keyboardInUse = false; // the virtual keyboard exists and is in use
    uint8_t playersDoneMask = 0x0F;
    uint8_t gameOverIndicator = 0;
    YesNo startupChoiceValue = YesNo::Non;
    bool presentSuppressed = false;
    std::optional<CoveredArea> covered;
};

inline constexpr const char* kBackToMenuText =
    " Appuyez sur les 2 boutons de flipper pendant 5 secondes pour revenir au menu ";

// True when the machine state forbids a frame (display down in another loop mode, dashboard open,
// virtual keyboard in use).
bool frameForbidden(const FrameContext& ctx);
// The back-to-menu hint is written when no game runs, the game-over indicator is up and the
// table choice is offered at start-up.
bool backToMenuWanted(const FrameContext& ctx);

// The 40 ms frame cadence; a skipped frame leaves the last frame time as it was.
class FrameCadence {
public:
    // True, and the frame time taken, when 40 ms have passed since the last frame or a frame
    // was forced.
    bool due(uint32_t now);
    // The next frame runs whatever the time (a full redraw).
    void force() { last_.reset(); }
    std::optional<uint32_t> lastFrameTime() const { return last_; }

private:
    std::optional<uint32_t> last_;
};

// The screen strips a presentation copies: the whole screen, or the four strips around a
// covered area (empty strips left out).
std::vector<PixelRect> presentStrips(ScreenSize screen, const std::optional<CoveredArea>& covered);

} // namespace pinstage
