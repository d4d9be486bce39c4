// The backglass of the running machine: the display set up for the configuration in use with its
// reels and symbols handed to the machine (the game steps m.reels and flags m.symbols), the frame
// context read from the machine, and the release before a table change or at the end.
#pragma once

#include "display/Backglass.h"
#include "display/FrameComposer.h"
#include "runtime/Machine.h"

#include <memory>
#include <optional>

namespace pinstage {

class SoundEngine;

class BackglassBridge {
public:
    // Stretches the background to the screen, cuts the symbol bitmaps from the two picture sets,
    // builds the display and the backglass, and gives the machine its reels (with the click and
    // transfer sounds) and symbols. PinError as the display set-up raises.
    void init(Machine& m, ScreenSize screen, SoundEngine* engine);
    void release(Machine& m);
    bool ready() const { return backglass_ && backglass_->displayReady; }

    // One frame (the 40 ms cadence is the composer's).
    FrameOutcome compose(Machine& m, FramePresenter& presenter);
    // The credit reels set from the credit digits at once, every element redrawn.
    FrameOutcome redraw(Machine& m, FramePresenter& presenter);
    // Everything drawn again now (the window was exposed).
    FrameOutcome fullRedraw(Machine& m, FramePresenter& presenter);

    Backglass* backglass() { return backglass_.get(); }
    // Work of other parts within each frame (the records display).
    void setFrameHooks(FrameHooks hooks) { hooks_ = std::move(hooks); }
    // When the next frame is due (now when one is forced), if the display is up.
    std::optional<uint32_t> nextFrameTime(uint32_t now) const {
        if (!ready())
            return std::nullopt;
        std::optional<uint32_t> last = backglass_->cadence.lastFrameTime();
        return last ? *last + kFramePeriodMs : now;
    }

private:
    const FrameContext& context(const Machine& m);

    std::unique_ptr<Backglass> backglass_;
    FrameContext ctx_;
    FrameHooks hooks_;
};

} // namespace pinstage
