// pinstage-data board: the operator's check of an IO-Warrior board. Lists the boards found, prints
// the raw port and switch-matrix reports as they come, lights one lamp or pulses one coil on request.
#pragma once

#include "board/BoardTransport.h"
#include "platform/Clock.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>

namespace pinstage {

constexpr uint32_t kBoardCheckCoilPulseMs = 50;

struct BoardCheckOptions {
    uint32_t listenMs = 30000; // 0: until the operator stops it
    std::optional<int> lamp;   // 0-63, lit while listening
    std::optional<int> coil;   // 0-23, pulsed once for kBoardCheckCoilPulseMs
};

// The board, its clock, and the pause between two polls: it returns false once the operator asks to
// stop. Every output is off again when the check returns, however it ends.
struct BoardCheckHost {
    BoardTransport& board;
    const Clock& clock;
    std::function<bool()> pause;
};

// Returns the exit status: 0, or 1 when no board answers or the board stops answering.
int runBoardCheck(const BoardCheckHost& host, const BoardCheckOptions& options, std::ostream& out,
                  std::ostream& err);

// A raw report in hex: every byte up to the last non-zero one, then how many zeros follow.
std::string reportHex(std::span<const uint8_t> report);

} // namespace pinstage
