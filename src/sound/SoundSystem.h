// The sound table at run time: loads the 64 WAV files the sound record names (repairing a
// missing one from its built-in name) and plays sounds and game functions through an engine.
// Main thread only.
#pragma once

#include "config/SoundsRecord.h"
#include "sound/SoundEngine.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace pinstage {

enum class SoundAction { Play, Stop, PlaySystem };

struct SoundTraceEvent {
    SoundAction action;
    int sound;            // 0-63; -1 for a system sound
    bool looping;         // Play only
    std::string fileName; // PlaySystem only (UTF-8)
};
using SoundTraceHook = std::function<void(const SoundTraceEvent&)>;

class SoundSystem {
public:
    // soundsDir: the sounds directory of the data root. saveRecord writes the record to
    // "SonsParam.fli" of the configuration in use; it runs when a missing file is repaired.
    SoundSystem(SoundEngine& engine, SoundsRecord& record, std::filesystem::path soundsDir,
                std::function<void()> saveRecord);

    // Opens the output device. Throws PinError("impossible de créer l'objet direct sound").
    void initSound();
    // Reads the 64 WAV files of records 0-63 and fills their buffers. A file that does not read
    // is replaced by the built-in name of that sound, the record rewritten and saved at once;
    // when that fails too: PinError("Erreur de lecture ou fichier par defaut <name> introuvable
    // dans le répertoire <sounds directory>"). Sounds loaded before an error stay.
    void loadSounds();
    // Stops and frees everything and closes the device.
    void releaseSound();

    // Sound n's buffer from a parsed WAV, and its duration (one step of loadSounds).
    void loadSound(int sound, const WavData& wav);
    bool isLoaded(int sound) const;

    // From the current position, once or looping; numbers outside 0-63 do nothing.
    void playSound(int sound, bool looping);
    // Stops without rewinding.
    void stopSound(int sound);
    bool isPlaying(int sound) const;

    // The sound number of game function f: 0-63, or 255 when none (also for a stored number
    // outside 0-63 and for f outside 0-95).
    int32_t functionSound(int function) const;
    // Play time in milliseconds of a loaded sound; 0 otherwise.
    int32_t soundDuration(int sound) const;

    // The three ways the game plays a function's sound; nothing happens when it has none.
    // Once: a sound already playing keeps playing.
    void playFunctionOnce(int function);
    // Stop, then play once.
    void restartFunction(int function);
    // Stop, then play looping (background music, multiplied-points loop).
    void loopFunction(int function);
    void stopFunction(int function);

    // Asynchronous system sound from the sounds directory ("gongo.wav", "ting.wav"): the
    // previous one stops. Opens the device if needed; false when nothing could be played.
    bool playSystemSound(const std::string& fileNameUtf8);

    // Called on every play, stop and system sound (the --trace output).
    void setTraceHook(SoundTraceHook hook) { trace_ = std::move(hook); }

    const std::filesystem::path& soundsDirectory() const { return soundsDir_; }

private:
    static bool inRange(int sound) { return sound >= 0 && sound < kSoundCount; }
    void trace(SoundAction action, int sound, bool looping, const std::string& file = {}) const;

    SoundEngine& engine_;
    SoundsRecord& record_;
    std::filesystem::path soundsDir_;
    std::function<void()> saveRecord_;
    SoundTraceHook trace_;
    std::array<bool, kSoundCount> loaded_{};
    std::array<int32_t, kSoundCount> durations_{};
};

} // namespace pinstage
