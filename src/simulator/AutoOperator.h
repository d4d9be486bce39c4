// Coins and starts by themselves, for demos and soak runs: once no game has run for a while, a
// coin when the machine shows no credit, then a press of the start button.
#pragma once

#include "simulator/SmartPlayfield.h"

#include <cstdint>

namespace pinstage {

// What the automatic operator needs to know of the machine.
struct GameView {
    bool gameRunning = false;
    int credits = 0;
};

class AutoOperator {
public:
    static constexpr uint32_t kPauseAfterGame = 2500;
    static constexpr uint32_t kCoinSpacing = 600;
    static constexpr uint32_t kStartRetry = 3000;

    explicit AutoOperator(SmartPlayfield& playfield) : playfield_(playfield) {}

    void setEnabled(bool on, uint32_t now);
    bool enabled() const { return enabled_; }
    // While enabled: when it may act next (at once once that time has passed).
    uint32_t nextActionTime() const { return nextAction_; }
    void tick(uint32_t now, const GameView& view);

    uint32_t coins() const { return coins_; }
    uint32_t starts() const { return starts_; }
    uint32_t gamesSeen() const { return games_; }

private:
    SmartPlayfield& playfield_;
    bool enabled_ = false;
    bool wasRunning_ = false;
    uint32_t nextAction_ = 0;
    uint32_t coins_ = 0;
    uint32_t starts_ = 0;
    uint32_t games_ = 0;
};

} // namespace pinstage
