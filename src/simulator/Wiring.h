// Which board bit each coil and lamp object drives, so that the simulator names the lights by
// what is wired to them and watches the right bits for the coils it answers.
#pragma once

#include "board/Outputs.h"

#include <array>
#include <string>

namespace pinstage {

// Bit 8 * byte + bit of each coil (ports 3-5) or lamp (lamp bytes 0-7); -1 for an unwired object.
std::array<int, kCoilCount> coilBoardBits(const Outputs& out);
std::array<int, kLampCount> lampBoardBits(const Outputs& out);

// The name to show at each board position: the object wired there (the lowest number when
// several are), else the object of the same number.
template <size_t N>
std::array<std::string, N> namesByPosition(const std::array<int, N>& bits,
                                           const std::array<std::string, N>& names) {
    std::array<std::string, N> out = names;
    std::array<bool, N> taken{};
    for (size_t i = 0; i < N; ++i) {
        int b = bits[i];
        if (b >= 0 && size_t(b) < N && !taken[size_t(b)]) {
            out[size_t(b)] = names[i];
            taken[size_t(b)] = true;
        }
    }
    return out;
}

} // namespace pinstage
