// The playback side of the sound table: an output device with 64 numbered static buffers and
// one system voice. SoundSystem drives it; tests drive a RecordingSoundEngine instead.
#pragma once

#include "sound/WavReader.h"

namespace pinstage {

class SoundEngine {
public:
    virtual ~SoundEngine() = default;

    // Opens the default output device. Throws PinError("impossible de créer l'objet direct sound").
    virtual void open() = 0;
    // Stops every sound, frees every buffer and closes the device; nothing happens when closed.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Makes sound n's buffer from a parsed WAV, stopped at position 0, replacing any previous one.
    // Throws PinError("Erreur de création du buffer secondaire").
    virtual void createBuffer(int sound, const WavData& wav) = 0;

    // Plays from the current position, once or looping; a playing sound keeps playing.
    virtual void play(int sound, bool looping) = 0;
    // Stops without rewinding.
    virtual void stop(int sound) = 0;
    virtual bool isPlaying(int sound) const = 0;

    // Asynchronous system sound: stops the previous one and plays this one once.
    virtual void playSystem(const WavData& wav) = 0;
};

} // namespace pinstage
