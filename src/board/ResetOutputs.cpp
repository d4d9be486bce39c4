// All outputs off. A coil in the middle of its pulse is released now, not at the end of its pulse
// time, so that the board never keeps a coil energised after a reset or a close.
#include "board/ResetOutputs.h"

#include "board/CoilEngine.h"
#include "board/LampEngine.h"
#include "board/OutputOperations.h"

namespace pinstage {

void resetOutputs(Outputs& out, BoardIo& io, SwitchState& sw, const Clock& clock) {
    uint32_t now = clock.now();
    for (size_t i = 0; i < size_t(kCoilCount); ++i) {
        Sortie& coil = out.coils[i];
        coilOff(out, coil);
        bool wasDriven = out.coilArmed[i / 8] & (1u << (i % 8));
        // A coil cut short still gets its rest time before the next pulse.
        out.lastRelease[i] = wasDriven ? now : 0;
        coil.activatedAt = 0;
    }
    // Outputs whose record names no real bit are released too, whatever their objects say.
    out.coilPort.fill(0xFF);
    out.coilRequest.fill(0);
    out.coilArmed.fill(0);

    for (auto& lamp : out.lamps)
        lampOff(out, lamp);
    out.litBytes.fill(0);
    out.visibleBytes.fill(0);
    sw.dryInputs = 0;

    if (boardPresent(io)) {
        out.lampSendDue = true;
        runLampEngine(out, io, clock);
        runCoilEngine(out, io, clock);
        for (int k = 0; k < kCoilByteCount; ++k)
            sendCoilPort(out, io, k);
    }
}

} // namespace pinstage
