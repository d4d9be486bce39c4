// A sound engine for tests: no device, it records every call with its sound number.
#pragma once

#include "sound/SoundEngine.h"

#include <array>
#include <cstdint>
#include <vector>

namespace pinstage {

class RecordingSoundEngine final : public SoundEngine {
public:
    enum class Call { Open, Close, CreateBuffer, Play, Stop, PlaySystem };
    struct Record {
        Call call;
        int sound;     // -1 for the calls without a number
        bool looping;  // Play only
        int32_t bytes; // CreateBuffer and PlaySystem: the sample bytes handed over
        bool operator==(const Record&) const = default;
    };

    // Set to make the next open() or createBuffer() fail as a missing device would.
    bool failOpen = false;
    bool failBuffers = false;

    void open() override;
    void close() override;
    bool isOpen() const override { return open_; }
    void createBuffer(int sound, const WavData& wav) override;
    void play(int sound, bool looping) override;
    void stop(int sound) override;
    // Playing from play() until stop() or finish(): time does not pass here.
    bool isPlaying(int sound) const override;
    void playSystem(const WavData& wav) override;

    // As if sound n had played to its end.
    void finish(int sound);

    const std::vector<Record>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    // Play calls of sound n (looping or not).
    int playCount(int sound) const;
    int stopCount(int sound) const;
    bool hasBuffer(int sound) const;

private:
    static bool inRange(int n) { return n >= 0 && n < 64; }

    bool open_ = false;
    std::vector<Record> calls_;
    std::array<bool, 64> playing_{};
    std::array<bool, 64> buffers_{};
};

} // namespace pinstage
