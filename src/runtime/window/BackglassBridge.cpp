// Display set-up for the machine and the frame context.
#include "runtime/window/BackglassBridge.h"

#include "config/FrontonParams.h"
#include "display/SymbolFiles.h"
#include "runtime/MachineOps.h"
#include "sound/SoundSystem.h"

namespace pinstage {

namespace {

int soundOf(const Machine& m, int function) {
    if (!m.sound)
        return -1;
    int32_t n = m.sound->functionSound(function);
    return (n >= 0 && n < kSoundCount) ? n : -1;
}

} // namespace

void BackglassBridge::init(Machine& m, ScreenSize screen, SoundEngine* engine) {
    release(m);
    FrontonRecord& layout = m.params.fronton;
    stretchBackgroundToScreen(layout, screen);
    buildSymbolFiles(layout, m.root, 0, element::kAdvert, DataDir::Images);
    buildSymbolFiles(layout, m.root, element::kAdvert, kFrontonElementCount, DataDir::PubImages);
    backglass_ = std::make_unique<Backglass>(layout, m.root);
    if (!pictureSourceSize(layout.elements[0]))
        trace(m, "backglass no picture: source rectangle of picture 0 out of range");
    initDisplay(*backglass_, screen);
    ReelSounds sounds{engine, soundOf(m, fn::kReelClick), soundOf(m, fn::kReelTransfer)};
    GameOverIndicator indicator = initBackglass(*backglass_, sounds, m.now());
    m.game.gameOverIndicator = indicator.flag;
    m.game.gameOverIndicatorTime = indicator.time;
    // The machine's own reels roll the same layout windows the frames draw.
    m.reels.build(layout, backglass_->mapping, sounds);
    m.reels.copyWindowsToLayout(layout);
    m.symbols = backglass_->symbolTable();
}

void BackglassBridge::release(Machine& m) {
    m.symbols = {};
    m.reels.release();
    if (backglass_)
        releaseDisplay(*backglass_);
    backglass_.reset();
}

const FrameContext& BackglassBridge::context(const Machine& m) {
    ctx_.now = m.now();
    ctx_.displayInitialised = ready();
    ctx_.loopMode = m.rt.loopMode;
    ctx_.dashboardOpen = m.rt.loopMode == 1;
    ctx_.keyboardInUse = m.hooks.entry->keyboardFormOpen();
    ctx_.playersDoneMask = m.game.playersDoneMask;
    ctx_.gameOverIndicator = m.game.gameOverIndicator;
    ctx_.startupChoiceValue = m.rt.startupChoiceValue;
    ctx_.presentSuppressed = m.rt.presentSuppressed;
    return ctx_;
}

FrameOutcome BackglassBridge::compose(Machine& m, FramePresenter& presenter) {
    if (!backglass_)
        return {};
    return composeFrame(*backglass_, context(m), presenter, hooks_);
}

FrameOutcome BackglassBridge::redraw(Machine& m, FramePresenter& presenter) {
    if (!backglass_)
        return {};
    if (m.credits.units != 0 || m.credits.tens != 0) {
        if (Rouleau* units = m.reels.reel(ReelBank::kCreditCounter, 0))
            units->showDigitAtOnce(m.credits.units);
        if (Rouleau* tens = m.reels.reel(ReelBank::kCreditCounter, 1))
            tens->showDigitAtOnce(m.credits.tens);
    }
    // The machine's reels are set above; the display's own copy is left alone.
    return redrawBackglass(*backglass_, 0, 0, context(m), presenter);
}

FrameOutcome BackglassBridge::fullRedraw(Machine& m, FramePresenter& presenter) {
    if (!backglass_)
        return {};
    return pinstage::fullRedraw(*backglass_, context(m), presenter);
}

} // namespace pinstage
