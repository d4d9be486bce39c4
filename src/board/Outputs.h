// The coil and lamp objects and the bit images the engines turn into board traffic.
#pragma once

#include "board/Sortie.h"
#include "board/VoyantLed.h"

#include <array>
#include <cstdint>

namespace pinstage {

struct Outputs {
    std::array<Sortie, kCoilCount> coils{};
    std::array<VoyantLed, kLampCount> lamps{};

    // Shadows of ports 3-5, active low: bit 0 energises.
    std::array<uint8_t, kCoilByteCount> coilPort{0xFF, 0xFF, 0xFF};
    // Bit 1 = a pulse is requested.
    std::array<uint8_t, kCoilByteCount> coilRequest{};
    std::array<uint32_t, kCoilCount> lastRelease{};
    // Coils the board has been told to energise: from their activation to their release. Every
    // other coil is sent released, so no coil is driven during its rest time because a neighbour
    // on the same port was written.
    std::array<uint8_t, kCoilByteCount> coilArmed{};

    std::array<uint8_t, kLampByteCount> litBytes{};
    std::array<uint8_t, kLampByteCount> visibleBytes{};
    // What the lamp matrix last received and when; a refresh is sent on a change or every 100 ms.
    std::array<uint8_t, kLampByteCount> lampBytesSent{};
    uint32_t lampSentAt = 0;
    bool lampSendDue = true;
};

// Builds the 24 coil and 64 lamp objects from the records, switched-on and lit states cleared.
void buildOutputs(Outputs& out, const CoilsRecord& coils, const LampsRecord& lamps);

// The byte the board should receive for coil byte k.
inline uint8_t coilByteToSend(const Outputs& out, int k) {
    return uint8_t(out.coilPort[size_t(k)] | ~out.coilArmed[size_t(k)]);
}

} // namespace pinstage
