// Wiring of the simulator's parts to the board's hooks.
#include "simulator/PlayfieldDriver.h"

namespace pinstage {

PlayfieldDriver::PlayfieldDriver(SimulatedBoard& board, const Clock& clock, bool smart, uint32_t seed)
    : board_(board), clock_(clock), playfield_(board, clock, seed), auto_(playfield_) {
    playfield_.setSmart(smart);
    playfield_.onChange = [this](uint32_t now, int contact, HandAction action, uint32_t ms,
                                 SwitchOrigin origin) { recorder_.record(now, contact, action, ms, origin); };
    hook_.onBeforeRead(board_, [this](uint32_t now) { poll(now); });
    hook_.onOutputsChanged(board_, [this] {
        playfield_.outputsChanged();
        if (outputsChanged)
            outputsChanged();
    });
}

std::optional<uint32_t> PlayfieldDriver::nextChangeTime() const {
    std::optional<uint32_t> next = playfield_.nextChangeTime();
    if (auto_.enabled()) {
        uint32_t soonest = clock_.now() + 1;
        uint32_t act = int32_t(auto_.nextActionTime() - soonest) > 0 ? auto_.nextActionTime() : soonest;
        if (!next || int32_t(act - *next) < 0)
            next = act;
    }
    return next;
}

void PlayfieldDriver::poll(uint32_t now) {
    if (pumpInput)
        pumpInput();
    // The input may have taken time on a real clock.
    now = clock_.now();
    if (playScript)
        playScript(now);
    playfield_.tick(now);
    if (gameView)
        auto_.tick(now, gameView());
}

} // namespace pinstage
