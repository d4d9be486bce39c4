// The automatic operator's coin-and-start cycle.
#include "simulator/AutoOperator.h"

#include "simulator/PlayfieldMap.h"

namespace pinstage {

void AutoOperator::setEnabled(bool on, uint32_t now) {
    enabled_ = on;
    nextAction_ = now + 500;
}

void AutoOperator::tick(uint32_t now, const GameView& view) {
    if (view.gameRunning != wasRunning_) {
        wasRunning_ = view.gameRunning;
        if (view.gameRunning)
            ++games_;
        else
            nextAction_ = now + kPauseAfterGame; // let the game-over display be seen
    }
    if (!enabled_ || view.gameRunning || int32_t(now - nextAction_) < 0)
        return;
    if (view.credits == 0) {
        if (playfield_.hit(playfield::kCoin, 60, SwitchOrigin::Automatic))
            ++coins_;
        nextAction_ = now + kCoinSpacing;
        return;
    }
    if (playfield_.hit(playfield::kStart, 120, SwitchOrigin::Automatic))
        ++starts_;
    nextAction_ = now + kStartRetry;
}

} // namespace pinstage
