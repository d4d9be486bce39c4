#include "SoundSystem.h"

#include "platform/PinError.h"
#include "sound/DefaultSoundNames.h"
#include "sound/SoundFileLookup.h"

namespace pinstage {

namespace {
std::optional<WavData> readSound(const std::filesystem::path& dir, const std::string& name) {
    auto path = findSoundFile(dir, name);
    if (!path)
        return std::nullopt;
    return readWavFile(*path);
}
} // namespace

SoundSystem::SoundSystem(SoundEngine& engine, SoundsRecord& record, std::filesystem::path soundsDir,
                         std::function<void()> saveRecord)
    : engine_(engine), record_(record), soundsDir_(std::move(soundsDir)), saveRecord_(std::move(saveRecord)) {
}

void SoundSystem::initSound() {
    engine_.open();
}

void SoundSystem::loadSounds() {
    loaded_.fill(false);
    durations_.fill(0);
    for (int i = 0; i < kSoundCount; ++i) {
        SoundEntry& entry = record_.entries[size_t(i)];
        auto wav = readSound(soundsDir_, entry.fileName.utf8());
        if (!wav) {
            std::string fallback = defaultSoundFileName(i);
            wav = readSound(soundsDir_, fallback);
            if (!wav)
                throw PinError("Erreur de lecture ou fichier par defaut " + fallback +
                               " introuvable dans le répertoire " + soundsDir_.string());
            entry.fileName.setUtf8(fallback);
            if (saveRecord_)
                saveRecord_();
        }
        loadSound(i, *wav);
    }
}

void SoundSystem::releaseSound() {
    engine_.close();
    loaded_.fill(false);
    durations_.fill(0);
}

void SoundSystem::loadSound(int sound, const WavData& wav) {
    engine_.createBuffer(sound, wav);
    if (!inRange(sound))
        return;
    loaded_[size_t(sound)] = true;
    durations_[size_t(sound)] = wav.durationMs;
}

bool SoundSystem::isLoaded(int sound) const {
    return inRange(sound) && loaded_[size_t(sound)];
}

void SoundSystem::playSound(int sound, bool looping) {
    if (!inRange(sound))
        return;
    trace(SoundAction::Play, sound, looping);
    engine_.play(sound, looping);
}

void SoundSystem::stopSound(int sound) {
    if (!inRange(sound))
        return;
    trace(SoundAction::Stop, sound, false);
    engine_.stop(sound);
}

bool SoundSystem::isPlaying(int sound) const {
    return inRange(sound) && engine_.isPlaying(sound);
}

int32_t SoundSystem::functionSound(int function) const {
    int s = soundOfFunction(record_, function);
    return s < 0 ? kNoSound : s;
}

int32_t SoundSystem::soundDuration(int sound) const {
    return isLoaded(sound) ? durations_[size_t(sound)] : 0;
}

void SoundSystem::playFunctionOnce(int function) {
    int32_t s = functionSound(function);
    if (s != kNoSound)
        playSound(s, false);
}

void SoundSystem::restartFunction(int function) {
    int32_t s = functionSound(function);
    if (s == kNoSound)
        return;
    stopSound(s);
    playSound(s, false);
}

void SoundSystem::loopFunction(int function) {
    int32_t s = functionSound(function);
    if (s == kNoSound)
        return;
    stopSound(s);
    playSound(s, true);
}

void SoundSystem::stopFunction(int function) {
    int32_t s = functionSound(function);
    if (s != kNoSound)
        stopSound(s);
}

bool SoundSystem::playSystemSound(const std::string& fileNameUtf8) {
    auto wav = readSound(soundsDir_, fileNameUtf8);
    if (!wav)
        return false;
    // The system sound works with or without the sound table set up (the table-choice screen
    // plays it before initSound); a device that will not open only means silence.
    try {
        engine_.open();
    } catch (const PinError&) {
        return false;
    }
    trace(SoundAction::PlaySystem, -1, false, fileNameUtf8);
    engine_.playSystem(*wav);
    return true;
}

void SoundSystem::trace(SoundAction action, int sound, bool looping, const std::string& file) const {
    if (trace_)
        trace_(SoundTraceEvent{action, sound, looping, file});
}

} // namespace pinstage
