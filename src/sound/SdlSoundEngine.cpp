#include "SdlSoundEngine.h"

#include "platform/PinError.h"
#include "sound/PcmConverter.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>

namespace pinstage {

namespace {
constexpr const char* kNoDeviceMessage = "impossible de créer l'objet direct sound";
constexpr const char* kBufferMessage = "Erreur de création du buffer secondaire";
std::atomic<bool> silentWarningGiven{false};
} // namespace

SdlSoundEngine::SdlSoundEngine(SdlSoundOptions options) : options_(options) {}

SdlSoundEngine::~SdlSoundEngine() {
    close();
}

void SdlSoundEngine::audioCallback(void* self, uint8_t* stream, int len) {
    auto* engine = static_cast<SdlSoundEngine*>(self);
    Mixer& mixer = *engine->mixer_;
    size_t frameBytes = sizeof(int16_t) * size_t(mixer.channels());
    mixer.mix(reinterpret_cast<int16_t*>(stream), size_t(len) / frameBytes);
}

bool SdlSoundEngine::tryOpenDevice() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    subsystemUp_ = true;
    SDL_AudioSpec want{};
    want.freq = options_.frequency;
    want.format = AUDIO_S16SYS;
    want.channels = Uint8(options_.channels);
    want.samples = Uint16(options_.bufferFrames);
    want.callback = &SdlSoundEngine::audioCallback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // Rate and channel count may follow the hardware: every sound is converted to them once at
    // load. The sample format stays ours, the mixer works in signed 16 bits.
    SDL_AudioDeviceID dev = SDL_OpenAudioDevice(
        nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (dev != 0 &&
        (have.format != AUDIO_S16SYS || have.channels < 1 || have.channels > 8 || have.freq <= 0)) {
        SDL_CloseAudioDevice(dev);
        dev = 0;
    }
    if (dev == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystemUp_ = false;
        return false;
    }
    device_ = dev;
    frequency_ = have.freq;
    mixer_ = std::make_unique<Mixer>(have.channels);
    SDL_PauseAudioDevice(dev, 0);
    return true;
}

void SdlSoundEngine::open() {
    if (device_ != 0)
        return;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (tryOpenDevice())
        return;
    if (!options_.allowSilentFallback)
        throw PinError(kNoDeviceMessage);
    std::string reason = SDL_GetError();
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    bool opened = tryOpenDevice();
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    if (!opened)
        throw PinError(kNoDeviceMessage);
    silent_ = true;
    if (!silentWarningGiven.exchange(true))
        std::fprintf(stderr, "pinstage: pas de sortie audio utilisable (%s), sons muets\n", reason.c_str());
}

void SdlSoundEngine::close() {
    if (device_ != 0) {
        // Waits for a running callback to finish, so the mixer can go.
        SDL_CloseAudioDevice(device_);
        device_ = 0;
    }
    mixer_.reset();
    if (subsystemUp_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystemUp_ = false;
    }
    silent_ = false;
    frequency_ = 0;
}

std::string SdlSoundEngine::driverName() const {
    if (device_ == 0)
        return {};
    const char* name = SDL_GetCurrentAudioDriver();
    return name ? name : "";
}

void SdlSoundEngine::createBuffer(int sound, const WavData& wav) {
    if (!mixer_ || sound < 0 || sound >= Mixer::kBuffers)
        throw PinError(kBufferMessage);
    auto samples = convertToDevice(wav, frequency_, mixer_->channels());
    if (!samples)
        throw PinError(kBufferMessage);
    mixer_->setBuffer(sound, std::move(*samples));
}

void SdlSoundEngine::play(int sound, bool looping) {
    if (mixer_)
        mixer_->play(sound, looping);
}

void SdlSoundEngine::stop(int sound) {
    if (mixer_)
        mixer_->stop(sound);
}

bool SdlSoundEngine::isPlaying(int sound) const {
    return mixer_ && mixer_->isPlaying(sound);
}

void SdlSoundEngine::playSystem(const WavData& wav) {
    if (!mixer_)
        return;
    if (auto samples = convertToDevice(wav, frequency_, mixer_->channels()))
        mixer_->playSystem(std::move(*samples));
}

} // namespace pinstage
