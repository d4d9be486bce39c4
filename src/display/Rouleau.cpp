// Score reel animation: one tick moves the window by the speed; a step is 60 pixels.
#include "display/Rouleau.h"

#include "config/FrontonParams.h"
#include "sound/SoundEngine.h"

#include <algorithm>

namespace pinstage {

Rouleau::Rouleau(PixelRect screen, int spd, FrontonElement* element, ReelSounds sounds)
    : transferSound(sounds.transfer), clickSound(sounds.click), speed(usableSpeed(spd)), screenRect(screen),
      element_(element), sounds_(sounds) {
    for (int c = 0; c < kCellCount; ++c)
        cells[size_t(c)] = {0, kCellHeight * c, kStripWidth, kCellHeight * c + kCellHeight};
    setWindow(cellOfDigit(0));
}

PixelRect Rouleau::cellOfDigit(int d) {
    d = std::clamp(d, 0, 9);
    return {0, kCellHeight * (d + 1), kStripWidth, kCellHeight * (d + 2)};
}

uint8_t Rouleau::usableSpeed(int s) {
    s = std::clamp(s, 1, int(kCellHeight));
    while (kCellHeight % s != 0)
        --s;
    return uint8_t(s);
}

void Rouleau::setWindow(const PixelRect& w) {
    window_ = w;
    if (element_) {
        element_->reelWindowLeft = w.left;
        element_->reelWindowTop = w.top;
        element_->reelWindowRight = w.right;
        element_->reelWindowBottom = w.bottom;
    }
}

void Rouleau::moveWindow(int32_t dy) {
    PixelRect w = window_;
    w.top += dy;
    w.bottom += dy;
    setWindow(w);
}

void Rouleau::beginStepSounds() {
    SoundEngine* engine = sounds_.engine;
    if (engine && clickSound >= 0) {
        engine->stop(clickSound);
        engine->play(clickSound, false);
    }
    if (carry == 1) {
        if (engine && transferSound >= 0)
            engine->stop(transferSound);
        carry = 0;
        if (silent == 1)
            silent = 0;
        else if (engine && transferSound >= 0)
            engine->play(transferSound, false);
    }
}

void Rouleau::forwardTick(uint8_t& stepInProgress) {
    if (progress == 0) {
        if (window_.top == kWrapTop)
            setWindow({window_.left, 0, window_.right, kCellHeight});
        beginStepSounds();
    }
    moveWindow(speed);
    progress = uint8_t(progress + speed);
    forwardPixels -= speed;
    if (progress >= kCellHeight) {
        progress = 0;
        stepInProgress = 0;
    }
    if (window_.top == kWrapTop) {
        setWindow({window_.left, 0, window_.right, kCellHeight});
        carry = 1;
        progress = 0;
    }
}

void Rouleau::backwardTick(uint8_t& stepInProgress) {
    if (progress == 0) {
        if (window_.top == 0)
            setWindow({window_.left, kWrapTop, window_.right, kStripHeight});
        beginStepSounds();
    }
    moveWindow(-int32_t(speed));
    progress = uint8_t(progress + speed);
    backwardPixels -= speed;
    if (progress >= kCellHeight) {
        progress = 0;
        stepInProgress = 0;
        if (window_.top == kCellHeight)
            carry = 1; // 0 reached: leaving it downward is a transfer
    }
    if (window_.top == 0) {
        setWindow({window_.left, kWrapTop, window_.right, kStripHeight});
        progress = 0;
    }
}

void Rouleau::showDigitAtOnce(int d) {
    digit = int8_t(std::clamp(d, 0, 9));
    progress = 0;
    carry = 0;
    setWindow(cellOfDigit(digit));
}

void Rouleau::clear() {
    forwardSteps = backwardSteps = 0;
    forwardPixels = backwardPixels = 0;
    silent = 0;
    showDigitAtOnce(0);
}

} // namespace pinstage
