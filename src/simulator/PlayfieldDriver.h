// Everything the simulator adds to a simulated board, hooked on it: the smart playfield, the
// automatic operator and the recorder. At every board read it first lets the window deliver its
// input, then plays any script, then moves the playfield, so that a loop that keeps re-reading the
// board (the start button held) still sees keys released and timed switches change.
#pragma once

#include "board/SimulatedBoard.h"
#include "platform/Clock.h"
#include "simulator/AutoOperator.h"
#include "simulator/BoardHooks.h"
#include "simulator/ScriptRecorder.h"
#include "simulator/SmartPlayfield.h"

#include <functional>
#include <optional>

namespace pinstage {

class PlayfieldDriver {
public:
    PlayfieldDriver(SimulatedBoard& board, const Clock& clock, bool smart, uint32_t seed = 1);

    SimulatedBoard& board() { return board_; }
    const Clock& clock() const { return clock_; }
    SmartPlayfield& playfield() { return playfield_; }
    AutoOperator& autoOperator() { return auto_; }
    ScriptRecorder& recorder() { return recorder_; }

    // Runs the per-read work by hand (the board calls it by itself at every read).
    void poll(uint32_t now);
    // When a read next finds a switch changed by the playfield or the automatic operator (not
    // before now + 1 while the operator waits to act), if ever.
    std::optional<uint32_t> nextChangeTime() const;

    // Set by the owner: pending window input, a script's due changes, the machine's state.
    std::function<void()> pumpInput;
    std::function<void(uint32_t now)> playScript;
    std::function<GameView()> gameView;
    // After every change of the board outputs (the window's coil flashes).
    std::function<void()> outputsChanged;

private:
    SimulatedBoard& board_;
    const Clock& clock_;
    SmartPlayfield playfield_;
    AutoOperator auto_;
    ScriptRecorder recorder_;
    BoardHook hook_; // last member: unhooked first
};

} // namespace pinstage
