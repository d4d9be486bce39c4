// Chained board hooks.
#include "simulator/BoardHooks.h"

namespace pinstage {

BoardHook::~BoardHook() {
    *alive_ = false;
}

void BoardHook::onBeforeRead(SimulatedBoard& board, std::function<void(uint32_t)> fn) {
    std::weak_ptr<bool> alive = alive_;
    board.beforeRead = [previous = std::move(board.beforeRead), alive, fn = std::move(fn)](uint32_t now) {
        if (previous)
            previous(now);
        if (auto a = alive.lock(); a && *a)
            fn(now);
    };
}

void BoardHook::onOutputsChanged(SimulatedBoard& board, std::function<void()> fn) {
    std::weak_ptr<bool> alive = alive_;
    board.onOutputsChanged = [previous = std::move(board.onOutputsChanged), alive, fn = std::move(fn)]() {
        if (previous)
            previous();
        if (auto a = alive.lock(); a && *a)
            fn();
    };
}

} // namespace pinstage
