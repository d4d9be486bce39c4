// Listening to the simulated board alongside whoever listens already: each hook keeps the one it
// found and calls it first; once the hook object is gone, its part falls silent.
#pragma once

#include "board/SimulatedBoard.h"

#include <functional>
#include <memory>

namespace pinstage {

class BoardHook {
public:
    BoardHook() = default;
    ~BoardHook();
    BoardHook(const BoardHook&) = delete;
    BoardHook& operator=(const BoardHook&) = delete;

    // Adds fn to the board's beforeRead (called with the read time) or onOutputsChanged.
    void onBeforeRead(SimulatedBoard& board, std::function<void(uint32_t)> fn);
    void onOutputsChanged(SimulatedBoard& board, std::function<void()> fn);

private:
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace pinstage
