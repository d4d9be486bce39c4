#include "Mixer.h"

#include <algorithm>
#include <limits>

namespace pinstage {

Mixer::Mixer(int channels) : channels_(std::clamp(channels, 1, 8)) {}

namespace {
bool inRange(int n) {
    return n >= 0 && n < Mixer::kBuffers;
}
} // namespace

void Mixer::setBuffer(int n, std::vector<int16_t> samples) {
    if (!inRange(n))
        return;
    samples.resize(samples.size() - samples.size() % size_t(channels_));
    std::vector<int16_t> old;
    {
        std::lock_guard lock(mutex_);
        Voice& v = voices_[size_t(n)];
        old.swap(v.samples);
        v.samples.swap(samples);
        v.frames = v.samples.size() / size_t(channels_);
        v.position = 0;
        v.playing = false;
        v.looping = false;
    }
    // `old` is freed here, outside the lock the mixing thread waits on.
}

void Mixer::clear() {
    std::array<std::vector<int16_t>, kBuffers + 1> old;
    {
        std::lock_guard lock(mutex_);
        for (size_t i = 0; i < voices_.size(); ++i) {
            old[i].swap(voices_[i].samples);
            voices_[i] = Voice{};
        }
        old[kBuffers].swap(system_.samples);
        system_ = Voice{};
    }
}

void Mixer::play(int n, bool looping) {
    if (!inRange(n))
        return;
    std::lock_guard lock(mutex_);
    Voice& v = voices_[size_t(n)];
    if (v.frames == 0)
        return;
    v.looping = looping;
    v.playing = true;
}

void Mixer::stop(int n) {
    if (!inRange(n))
        return;
    std::lock_guard lock(mutex_);
    voices_[size_t(n)].playing = false;
}

bool Mixer::isPlaying(int n) const {
    if (!inRange(n))
        return false;
    std::lock_guard lock(mutex_);
    return voices_[size_t(n)].playing;
}

size_t Mixer::position(int n) const {
    if (!inRange(n))
        return 0;
    std::lock_guard lock(mutex_);
    return voices_[size_t(n)].position;
}

size_t Mixer::frames(int n) const {
    if (!inRange(n))
        return 0;
    std::lock_guard lock(mutex_);
    return voices_[size_t(n)].frames;
}

void Mixer::playSystem(std::vector<int16_t> samples) {
    samples.resize(samples.size() - samples.size() % size_t(channels_));
    std::lock_guard lock(mutex_);
    // The previous samples leave with `samples`, freed once the lock is released.
    system_.samples.swap(samples);
    system_.frames = system_.samples.size() / size_t(channels_);
    system_.position = 0;
    system_.looping = false;
    system_.playing = system_.frames > 0;
}

bool Mixer::systemPlaying() const {
    std::lock_guard lock(mutex_);
    return system_.playing;
}

void Mixer::addVoice(Voice& v, int32_t* acc, size_t count) {
    const size_t ch = size_t(channels_);
    if (v.frames == 0) {
        v.playing = false;
        return;
    }
    size_t done = 0;
    while (v.playing && done < count) {
        size_t n = std::min(count - done, v.frames - v.position);
        const int16_t* src = v.samples.data() + v.position * ch;
        int32_t* dst = acc + done * ch;
        for (size_t i = 0; i < n * ch; ++i)
            dst[i] += src[i];
        done += n;
        v.position += n;
        if (v.position >= v.frames) {
            v.position = 0;
            if (!v.looping)
                v.playing = false;
        }
    }
}

void Mixer::mix(int16_t* out, size_t frames) {
    const size_t ch = size_t(channels_);
    const size_t blockFrames = kBlockSamples / ch;
    int32_t acc[kBlockSamples];
    std::lock_guard lock(mutex_);
    for (size_t start = 0; start < frames; start += blockFrames) {
        size_t count = std::min(blockFrames, frames - start);
        std::fill(acc, acc + count * ch, 0);
        for (Voice& v : voices_)
            addVoice(v, acc, count);
        addVoice(system_, acc, count);
        int16_t* dst = out + start * ch;
        for (size_t i = 0; i < count * ch; ++i)
            dst[i] = int16_t(std::clamp<int32_t>(acc[i], std::numeric_limits<int16_t>::min(),
                                                 std::numeric_limits<int16_t>::max()));
    }
}

} // namespace pinstage
