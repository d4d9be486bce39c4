// Mixes the 64 numbered sound buffers and the system voice into interleaved signed 16-bit
// frames, with saturation. Each buffer behaves like a static sound buffer: play continues from
// the current position, stop keeps it, a one-shot play that reaches the end rewinds.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace pinstage {

class Mixer {
public:
    static constexpr int kBuffers = 64;

    // channels: interleaved samples per frame of the output (and of every buffer).
    explicit Mixer(int channels);

    int channels() const { return channels_; }

    // Replaces buffer n's samples (device layout), stopped at position 0. Out-of-range n is ignored.
    void setBuffer(int n, std::vector<int16_t> samples);
    // Frees every buffer and the system voice.
    void clear();

    // Starts buffer n from its current position; a playing buffer keeps playing and takes the new
    // looping flag. An empty or missing buffer does nothing.
    void play(int n, bool looping);
    // Stops buffer n without moving its position.
    void stop(int n);
    bool isPlaying(int n) const;
    // Current position in frames.
    size_t position(int n) const;
    size_t frames(int n) const;

    // The system voice: a new sound stops the previous one and plays once from its start.
    void playSystem(std::vector<int16_t> samples);
    bool systemPlaying() const;

    // Writes `frames` frames of the mix into out (frames * channels samples). Never allocates.
    void mix(int16_t* out, size_t frames);

private:
    struct Voice {
        std::vector<int16_t> samples;
        size_t frames{};
        size_t position{};
        bool playing{};
        bool looping{};
    };
    static constexpr size_t kBlockSamples = 1024;

    // Adds the next `count` frames of v (fewer when a one-shot play ends) into acc.
    void addVoice(Voice& v, int32_t* acc, size_t count);

    const int channels_;
    mutable std::mutex mutex_;
    std::array<Voice, kBuffers> voices_;
    Voice system_;
};

} // namespace pinstage
