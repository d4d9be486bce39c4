// The WAV reader on the fuzzed bytes, then the conversion the mixer makes of what it accepted: every
// offset it returns must lie inside the image.
#include "sound/PcmConverter.h"
#include "sound/WavReader.h"

#include <cstdlib>

using namespace pinstage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto wav = parseWav(std::vector<uint8_t>(data, data + size));
    if (!wav)
        return 0;
    std::span<const uint8_t> samples = wav->samples();
    if (wav->formatOffset > wav->image.size() || wav->dataOffset > wav->image.size() ||
        samples.size() > wav->image.size() || wav->format.frameBytes() == 0 ||
        samples.size() % wav->format.frameBytes() != 0)
        std::abort();
    // A short sound keeps the conversion cheap; a long one is only parsed.
    if (samples.size() <= 64 * 1024)
        (void)convertToDevice(*wav, 44100, 2);
    return 0;
}
