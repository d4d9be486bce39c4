// Board positions of the output objects.
#include "simulator/Wiring.h"

#include <bit>

namespace pinstage {

std::array<int, kCoilCount> coilBoardBits(const Outputs& out) {
    std::array<int, kCoilCount> bits{};
    for (size_t i = 0; i < bits.size(); ++i) {
        const Sortie& s = out.coils[i];
        bits[i] = isWired(s) ? s.byteIndex * 8 + std::countr_zero(unsigned(s.mask)) : -1;
    }
    return bits;
}

std::array<int, kLampCount> lampBoardBits(const Outputs& out) {
    std::array<int, kLampCount> bits{};
    for (size_t i = 0; i < bits.size(); ++i) {
        const VoyantLed& l = out.lamps[i];
        bits[i] = isWired(l) ? l.byteIndex * 8 + std::countr_zero(unsigned(l.mask)) : -1;
    }
    return bits;
}

} // namespace pinstage
