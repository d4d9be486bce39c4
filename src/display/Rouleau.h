// One electromechanical score reel: a 40 x 660 strip of eleven 60-pixel cells seen through a
// window that rolls one digit per step, with its click and carry-transfer sounds.
#pragma once

#include "display/ReelSounds.h"
#include "display/ScreenMapping.h"

#include <array>
#include <cstdint>

namespace pinstage {

struct FrontonElement;

class Rouleau {
public:
    static constexpr int32_t kStripWidth = 40;
    static constexpr int32_t kCellHeight = 60;
    static constexpr int kCellCount = 11;
    static constexpr int32_t kStripHeight = kCellHeight * kCellCount; // 660
    static constexpr int32_t kWrapTop = kCellHeight * 10;             // cell 10 shows 9, as cell 0 does

    // element: the layout element whose reel window mirrors this reel's window (may be null).
    Rouleau(PixelRect screenRect, int speed, FrontonElement* element, ReelSounds sounds);

    // The window on the strip that shows digit d (0-9): cell d + 1.
    static PixelRect cellOfDigit(int d);
    // Speeds are 1-60 and must divide 60 so that a step ends exactly on a cell: other values are
    // brought down to the nearest divisor.
    static uint8_t usableSpeed(int speed);

    uint8_t silent = 0; // 1 = the next carry transfer sound is skipped
    int transferSound = -1;
    int clickSound = -1;
    uint8_t speed = 10; // pixels per animation tick
    int8_t digit = 0;   // the digit the reel is going to
    int32_t forwardPixels = 0;
    int32_t backwardPixels = 0;
    int32_t forwardSteps = 0;
    int32_t backwardSteps = 0;
    PixelRect screenRect{};
    std::array<PixelRect, kCellCount> cells{};
    uint8_t progress = 0; // pixels done within the current step, 0-59
    uint8_t carry = 0;    // 1 = at the wrap point: the next step plays the transfer sound

    const PixelRect& window() const { return window_; }
    // Moves the window and its copy in the layout element.
    void setWindow(const PixelRect& w);

    // One animation tick upward / downward; clears stepInProgress when a step ends.
    void forwardTick(uint8_t& stepInProgress);
    void backwardTick(uint8_t& stepInProgress);

    // Shows digit d at once, without animation or sound.
    void showDigitAtOnce(int d);
    // No steps, no pixels, digit 0 shown at once.
    void clear();
    bool idle() const {
        return forwardSteps <= 0 && backwardSteps <= 0 && forwardPixels <= 0 && backwardPixels <= 0;
    }

private:
    void beginStepSounds();
    void moveWindow(int32_t dy);

    PixelRect window_{};
    FrontonElement* element_ = nullptr;
    ReelSounds sounds_{};
};

} // namespace pinstage
