// The sound engine on an SDL2 audio device (audio subsystem only), mixed by our own callback.
#pragma once

#include "sound/Mixer.h"
#include "sound/SoundEngine.h"

#include <cstdint>
#include <memory>
#include <string>

namespace pinstage {

struct SdlSoundOptions {
    int frequency = 44100;
    int channels = 2;
    int bufferFrames = 1024;
    // With no usable device, play silently on SDL's "dummy" driver (and warn once on stderr)
    // instead of failing; the simulation sets it.
    bool allowSilentFallback = false;
};

class SdlSoundEngine final : public SoundEngine {
public:
    explicit SdlSoundEngine(SdlSoundOptions options = {});
    ~SdlSoundEngine() override;
    SdlSoundEngine(const SdlSoundEngine&) = delete;
    SdlSoundEngine& operator=(const SdlSoundEngine&) = delete;

    void open() override;
    void close() override;
    bool isOpen() const override { return device_ != 0; }
    void createBuffer(int sound, const WavData& wav) override;
    void play(int sound, bool looping) override;
    void stop(int sound) override;
    bool isPlaying(int sound) const override;
    void playSystem(const WavData& wav) override;

    // The device as obtained, valid while open.
    int deviceFrequency() const { return frequency_; }
    int deviceChannels() const { return mixer_ ? mixer_->channels() : 0; }
    // The SDL driver in use ("pulseaudio", "alsa", "dummy", "disk"...), empty when closed.
    std::string driverName() const;
    // True when open() fell back to the silent driver.
    bool isSilent() const { return silent_; }
    bool systemPlaying() const { return mixer_ && mixer_->systemPlaying(); }
    // Frames position of sound n, for diagnostics.
    size_t position(int sound) const { return mixer_ ? mixer_->position(sound) : 0; }

private:
    static void audioCallback(void* self, uint8_t* stream, int len);
    bool tryOpenDevice();

    SdlSoundOptions options_;
    uint32_t device_ = 0;
    bool subsystemUp_ = false;
    bool silent_ = false;
    int frequency_ = 0;
    std::unique_ptr<Mixer> mixer_;
};

} // namespace pinstage
