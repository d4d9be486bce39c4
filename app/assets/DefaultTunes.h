// The songs and music of the default sound set: short public-domain tunes and a loopable
// background, as simple square, triangle and sine melodies.
#pragma once

#include <cstdint>
#include <vector>

namespace pinstage {

std::vector<int16_t> tuneMarseillaise();
std::vector<int16_t> tunePontAvignon();
std::vector<int16_t> tuneCarmagnole();
std::vector<int16_t> tuneCatherinetta();
std::vector<int16_t> tuneChapeauxRonds();
std::vector<int16_t> tuneLalalala();
std::vector<int16_t> tuneChanson();
std::vector<int16_t> tuneLorraine();
std::vector<int16_t> tuneMusiqueFin();
std::vector<int16_t> tuneTutu();
// Exactly four seconds whose end joins its start without a click.
std::vector<int16_t> tuneFond();

} // namespace pinstage
