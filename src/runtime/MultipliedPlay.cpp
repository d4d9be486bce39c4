// Multiplied play: its start, second tick, end, jingle and seconds figure.
#include "runtime/MultipliedPlay.h"

#include "config/PentacleTable.h"
#include "runtime/GameSwitches.h"
#include "runtime/MachineOps.h"
#include "sound/SoundSystem.h"

#include <algorithm>

namespace pinstage {

void showSecondsFigure(Machine& m, int32_t seconds) {
    int32_t v = seconds < 0 ? -1 : (seconds > 999 ? 999 : seconds);
    const int digits[3] = {v / 100, (v / 10) % 10, v % 10};
    const bool shown[3] = {v >= 100, v >= 10, v >= 0};
    for (int k = 0; k < 3; ++k) {
        if (shown[k])
            showElementDigit(m, element::kSecondsHundreds + k, digits[k]);
        else
            hideElement(m, element::kSecondsHundreds + k);
    }
}

void startMultipliedPlay(Machine& m) {
    stopFunction(m, fn::kMultipliedLoop);
    stopFunction(m, fn::kBackgroundMusic);
    m.game.machineEvents |= kEventJinglePlaying;
    // The end lies ahead of now, so it is read as a pushed cadence, which bounds its length.
    int32_t jingle =
        std::clamp(functionDuration(m, fn::kMultipliedJingle), int32_t(0), int32_t(kLongestPushMs));
    m.game.multipliedJingleEnd = m.now() + uint32_t(jingle);
    showElement(m, element::kMultipliedBy);
    showElement(m, element::kReste);
    showElement(m, element::kSecondes);
    showSecondsFigure(m, int32_t(m.game.multipliedSeconds));
    // The factor after "SCORES MULTIPLIES PAR".
    showElementDigit(m, element::kMultiplierValue, int(std::clamp(m.game.scoreMultiplier, 0, 9)));
    multipliedSecondTick(m);
}

void multipliedSecondTick(Machine& m) {
    if (m.game.multipliedSeconds == 0 || m.game.scoreMultiplier == 1) {
        stopFunction(m, fn::kSecondTick);
        return;
    }
    m.game.multipliedSeconds -= 1;
    if (m.game.multipliedSeconds < 2) {
        hideElement(m, element::kSecondes);
        showElement(m, element::kSeconde);
    }
    if (m.game.multipliedSeconds == 0)
        endMultipliedPlay(m);
    else
        showSecondsFigure(m, int32_t(m.game.multipliedSeconds));
}

void endMultipliedPlay(Machine& m, bool restartMusic) {
    hideElement(m, element::kMultipliedBy);
    hideElement(m, element::kReste);
    hideElement(m, element::kSecondes);
    hideElement(m, element::kSeconde);
    hideElement(m, element::kMultiplierValue);
    showSecondsFigure(m, -1);
    m.game.scoreMultiplier = 1;
    m.game.multipliedSeconds = 0;
    // A jingle still running must not start the multiplied tune after the end.
    m.game.machineEvents &= uint8_t(~kEventJinglePlaying);
    stopFunction(m, fn::kMultipliedLoop);
    // The music belongs to a ball in play: not at game over, not after a tilt.
    if (restartMusic && inPlay(m))
        loopFunction(m, fn::kBackgroundMusic);
}

void multipliedJingleStep(Machine& m) {
    if (!(m.game.machineEvents & kEventJinglePlaying) || !cadenceDue(m.now(), m.game.multipliedJingleEnd, 0))
        return;
    m.game.machineEvents &= uint8_t(~kEventJinglePlaying);
    if (m.sound && m.sound->functionSound(fn::kMultipliedLoop) != kNoSound) {
        stopFunction(m, fn::kBackgroundMusic);
        loopFunction(m, fn::kMultipliedLoop);
    }
}

} // namespace pinstage
