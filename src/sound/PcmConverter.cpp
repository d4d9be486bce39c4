#include "PcmConverter.h"

#include <SDL.h>

#include <algorithm>
#include <memory>

namespace pinstage {

namespace {
// One large put loses output frames when the stream resamples (SDL 2.26): feed small pieces.
constexpr size_t kPutChunkBytes = 1024;

struct StreamDeleter {
    void operator()(SDL_AudioStream* s) const { SDL_FreeAudioStream(s); }
};
} // namespace

std::optional<std::vector<int16_t>> convertToDevice(const WavData& wav, int deviceRate, int deviceChannels) {
    if (deviceRate <= 0 || deviceChannels <= 0 || deviceChannels > 8)
        return std::nullopt;
    auto samples = wav.samples();
    if (samples.empty())
        return std::nullopt;
    SDL_AudioFormat from = wav.format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    std::unique_ptr<SDL_AudioStream, StreamDeleter> stream(
        SDL_NewAudioStream(from, Uint8(wav.format.channels), int(wav.format.sampleRate), AUDIO_S16SYS,
                           Uint8(deviceChannels), deviceRate));
    if (!stream)
        return std::nullopt;
    // 1024 is a multiple of every frame size we accept, so no piece splits a frame.
    for (size_t at = 0; at < samples.size(); at += kPutChunkBytes) {
        size_t len = std::min(kPutChunkBytes, samples.size() - at);
        if (SDL_AudioStreamPut(stream.get(), samples.data() + at, int(len)) != 0)
            return std::nullopt;
    }
    if (SDL_AudioStreamFlush(stream.get()) != 0)
        return std::nullopt;
    int available = SDL_AudioStreamAvailable(stream.get());
    if (available <= 0)
        return std::nullopt;
    std::vector<int16_t> out(size_t(available) / sizeof(int16_t));
    int got = SDL_AudioStreamGet(stream.get(), out.data(), int(out.size() * sizeof(int16_t)));
    if (got <= 0)
        return std::nullopt;
    out.resize(size_t(got) / sizeof(int16_t));
    out.resize(out.size() - out.size() % size_t(deviceChannels));
    if (out.empty())
        return std::nullopt;
    return out;
}

} // namespace pinstage
