// Coil pulse timing: activation once the rest time has passed, release once the pulse time has.
#include "board/CoilEngine.h"

#include "board/BoardMessages.h"
#include "platform/PinError.h"

namespace pinstage {

void sendCoilPort(Outputs& out, BoardIo& io, int k) {
    if (!writePort(io, 3 + k, coilByteToSend(out, k)))
        throw PinError(kMsgCoilWrite);
}

void runCoilEngine(Outputs& out, BoardIo& io, const Clock& clock) {
    uint32_t now = clock.now();
    // 0 means "idle" in an activation stamp, so a pulse starting at time 0 is stamped one
    // millisecond earlier (a stamp after now would read as a pulse long over).
    uint32_t stamp = now != 0 ? now : UINT32_MAX;
    for (int k = 0; k < kCoilByteCount; ++k) {
        uint8_t& port = out.coilPort[size_t(k)];
        uint8_t& request = out.coilRequest[size_t(k)];
        uint8_t& armed = out.coilArmed[size_t(k)];
        for (int b = 0; b < 8; ++b) {
            size_t i = size_t(8 * k + b);
            uint8_t m = uint8_t(1u << b);
            Sortie& coil = out.coils[i];

            if (!(port & m) || (request & m)) {
                if (periodPassed(now, out.lastRelease[i], coil.restMs) && coil.activatedAt == 0) {
                    port &= uint8_t(~(request & m));
                    coil.activatedAt = stamp;
                    if (!(port & m))
                        armed |= m;
                    sendCoilPort(out, io, k);
                }
            }

            if (coil.activatedAt != 0 && periodPassed(now, coil.activatedAt, coil.pulseMs)) {
                if (!(request & m) && !(port & m))
                    continue; // held on: stays energised until switched off
                port |= m;
                armed &= uint8_t(~m);
                sendCoilPort(out, io, k);
                out.lastRelease[i] = now;
                coil.activatedAt = 0;
                if (coil.autoRelease == 1) {
                    if (coil.repeat != 0)
                        --coil.repeat;
                    else
                        request &= uint8_t(~m);
                }
            }
        }
    }
}

} // namespace pinstage
