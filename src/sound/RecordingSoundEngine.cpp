#include "RecordingSoundEngine.h"

#include "platform/PinError.h"

namespace pinstage {

void RecordingSoundEngine::open() {
    calls_.push_back({Call::Open, -1, false, 0});
    if (failOpen)
        throw PinError("impossible de créer l'objet direct sound");
    open_ = true;
}

void RecordingSoundEngine::close() {
    calls_.push_back({Call::Close, -1, false, 0});
    open_ = false;
    playing_.fill(false);
    buffers_.fill(false);
}

void RecordingSoundEngine::createBuffer(int sound, const WavData& wav) {
    calls_.push_back({Call::CreateBuffer, sound, false, int32_t(wav.samples().size())});
    if (failBuffers || !open_ || !inRange(sound))
        throw PinError("Erreur de création du buffer secondaire");
    buffers_[size_t(sound)] = true;
    playing_[size_t(sound)] = false;
}

void RecordingSoundEngine::play(int sound, bool looping) {
    calls_.push_back({Call::Play, sound, looping, 0});
    if (inRange(sound) && buffers_[size_t(sound)])
        playing_[size_t(sound)] = true;
}

void RecordingSoundEngine::stop(int sound) {
    calls_.push_back({Call::Stop, sound, false, 0});
    if (inRange(sound))
        playing_[size_t(sound)] = false;
}

bool RecordingSoundEngine::isPlaying(int sound) const {
    return inRange(sound) && playing_[size_t(sound)];
}

void RecordingSoundEngine::playSystem(const WavData& wav) {
    calls_.push_back({Call::PlaySystem, -1, false, int32_t(wav.samples().size())});
}

void RecordingSoundEngine::finish(int sound) {
    if (inRange(sound))
        playing_[size_t(sound)] = false;
}

int RecordingSoundEngine::playCount(int sound) const {
    int n = 0;
    for (const auto& r : calls_)
        n += (r.call == Call::Play && r.sound == sound);
    return n;
}

int RecordingSoundEngine::stopCount(int sound) const {
    int n = 0;
    for (const auto& r : calls_)
        n += (r.call == Call::Stop && r.sound == sound);
    return n;
}

bool RecordingSoundEngine::hasBuffer(int sound) const {
    return inRange(sound) && buffers_[size_t(sound)];
}

} // namespace pinstage
