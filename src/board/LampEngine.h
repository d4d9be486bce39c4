// The lamp engine: works out blinking and sends the 64 lamp bits to the board's lamp matrix.
#pragma once

#include "board/BoardIo.h"
#include "board/Outputs.h"
#include "platform/Clock.h"

namespace pinstage {

// Lamp bits that did not change are sent again at least this often.
constexpr uint32_t kLampRefreshMs = 100;

// One pass over the 64 lamps; the two lamp-matrix reports go out when the lamp bytes changed or
// the refresh period has passed. The result of the send is ignored.
void runLampEngine(Outputs& out, BoardIo& io, const Clock& clock);

// The lamp bytes to send: lit and visible.
inline uint8_t lampByteToSend(const Outputs& out, int j) {
    return uint8_t(out.litBytes[size_t(j)] & out.visibleBytes[size_t(j)]);
}

} // namespace pinstage
