// The --trace journal: one line "time_ms kind details" per port write, lamp-matrix pair, sound
// start and stop and game event, times counted from the end of the splash, and one final state
// line at exit.
#pragma once

#include "board/BoardTransport.h"
#include "platform/Clock.h"
#include "runtime/Machine.h"
#include "sound/SoundEngine.h"
#include "sound/SoundSystem.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace pinstage {

// Writes the journal to a file, each line flushed so a crash keeps what came before it.
class FileTraceSink final : public TraceSink {
public:
    // PinError when the file cannot be created.
    explicit FileTraceSink(const std::filesystem::path& file);
    ~FileTraceSink() override;
    FileTraceSink(const FileTraceSink&) = delete;
    FileTraceSink& operator=(const FileTraceSink&) = delete;

    bool enabled() const override { return file_ != nullptr; }
    void line(uint32_t time, const std::string& text) override;
    // Times are written relative to this clock reading (the end of the splash).
    void setOrigin(uint32_t now) { origin_ = now; }

private:
    std::FILE* file_ = nullptr;
    uint32_t origin_ = 0;
};

// The time written for a clock reading: milliseconds since the origin, negative before it.
int64_t traceTime(uint32_t now, uint32_t origin);

// A board transport that tells the journal what the program sends: "port P 0xVV" for every port
// whose value a port report changes (all seven for the first report and for a report that
// changes nothing), and "lamps 0xB0 ... 0xB7" when the second report of a lamp-matrix pair has
// gone. Reads pass through.
class TracingTransport final : public BoardTransport {
public:
    TracingTransport(BoardTransport& inner, const Clock& clock, TraceSink& sink)
        : inner_(inner), clock_(clock), sink_(sink) {}

    BoardHandle open() override { return inner_.open(); }
    void close(BoardHandle first) override { inner_.close(first); }
    int count() override { return inner_.count(); }
    BoardHandle handle(int k) override { return inner_.handle(k); }
    uint32_t productId(BoardHandle board) override { return inner_.productId(board); }
    void identification(BoardHandle board, BoardIdentification& area) override {
        inner_.identification(board, area);
    }
    int write(BoardHandle board, int interface, std::span<const uint8_t> report) override;
    bool inputsNeedPolling() const override { return inner_.inputsNeedPolling(); }
    int read(BoardHandle board, int interface, std::span<uint8_t> buffer) override {
        return inner_.read(board, interface, buffer);
    }

private:
    void tracePorts(std::span<const uint8_t> report);
    void traceLamps(std::span<const uint8_t> report);

    BoardTransport& inner_;
    const Clock& clock_;
    TraceSink& sink_;
    std::optional<std::array<uint8_t, 7>> lastPorts_;
    std::optional<std::array<uint8_t, 4>> lampBlock0_;
};

// A sound engine that tells the journal every start and stop of a numbered sound (the sound table
// and the reels alike) before passing it on.
class TracingSoundEngine final : public SoundEngine {
public:
    TracingSoundEngine(SoundEngine& inner, const Clock& clock, TraceSink& sink)
        : inner_(inner), clock_(clock), sink_(sink) {}
    void open() override { inner_.open(); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    void createBuffer(int sound, const WavData& wav) override { inner_.createBuffer(sound, wav); }
    void play(int sound, bool looping) override;
    void stop(int sound) override;
    bool isPlaying(int sound) const override { return inner_.isPlaying(sound); }
    void playSystem(const WavData& wav) override { inner_.playSystem(wav); }

private:
    SoundEngine& inner_;
    const Clock& clock_;
    TraceSink& sink_;
};

// "sound play N once|loop", "sound stop N", "sound system NAME".
std::string soundTraceText(const SoundTraceEvent& e);

// "state scores=S1,S2,S3,S4 balls=B1,B2,B3,B4 bonus=b1,b2,b3,b4 credits=NN mask=0xMM player=P
// multiplier=M": scores from the reels, credits on two digits, the mask in hex, player from 0.
std::string stateLine(const Machine& m);

// Writes the state line once per run (later calls do nothing).
void traceFinalState(Machine& m);

} // namespace pinstage
