// The journal file, the transport decorator and the state line.
#include "runtime/Trace.h"

#include "display/ReelBank.h"
#include "platform/PinError.h"
#include "runtime/MachineOps.h"

#include <cinttypes>

namespace pinstage {

namespace {

constexpr uint8_t kLampMatrixReport = 0x15;

std::string hexByte(uint8_t v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", unsigned(v));
    return buf;
}

} // namespace

int64_t traceTime(uint32_t now, uint32_t origin) {
    return int64_t(int32_t(now - origin));
}

FileTraceSink::FileTraceSink(const std::filesystem::path& file) {
    file_ = std::fopen(file.c_str(), "w");
    if (!file_)
        throw PinError("impossible de créer le journal " + file.string());
}

FileTraceSink::~FileTraceSink() {
    if (file_)
        std::fclose(file_);
}

void FileTraceSink::line(uint32_t time, const std::string& text) {
    if (!file_)
        return;
    std::fprintf(file_, "%" PRId64 " %s\n", traceTime(time, origin_), text.c_str());
    std::fflush(file_);
}

int TracingTransport::write(BoardHandle board, int interface, std::span<const uint8_t> report) {
    int sent = inner_.write(board, interface, report);
    if (sent <= 0 || size_t(sent) != report.size())
        return sent; // nothing reached the board
    if (interface == kPortInterface)
        tracePorts(report);
    else if (interface == kSpecialInterface && !report.empty() && report[0] == kLampMatrixReport)
        traceLamps(report);
    return sent;
}

void TracingTransport::tracePorts(std::span<const uint8_t> report) {
    if (report.size() < 8)
        return;
    std::array<uint8_t, 7> ports{};
    for (size_t p = 0; p < ports.size(); ++p)
        ports[p] = report[p + 1];
    // The ports the report changed; a report that changes nothing (a value sent again, as when
    // every coil is released at the end) is journalled in full.
    bool repeated = lastPorts_ && *lastPorts_ == ports;
    for (size_t p = 0; p < ports.size(); ++p)
        if (repeated || !lastPorts_ || (*lastPorts_)[p] != ports[p])
            sink_.line(clock_.now(), "port " + std::to_string(p) + " " + hexByte(ports[p]));
    lastPorts_ = ports;
}

void TracingTransport::traceLamps(std::span<const uint8_t> report) {
    if (report.size() < 27)
        return;
    std::array<uint8_t, 4> bytes{report[2], report[10], report[18], report[26]};
    if (report[1] == 0) {
        lampBlock0_ = bytes;
        return;
    }
    if (report[1] != 1 || !lampBlock0_)
        return;
    std::string text = "lamps";
    for (uint8_t b : *lampBlock0_)
        text += " " + hexByte(b);
    for (uint8_t b : bytes)
        text += " " + hexByte(b);
    lampBlock0_.reset();
    sink_.line(clock_.now(), text);
}

void TracingSoundEngine::play(int sound, bool looping) {
    sink_.line(clock_.now(), soundTraceText({SoundAction::Play, sound, looping, {}}));
    inner_.play(sound, looping);
}

void TracingSoundEngine::stop(int sound) {
    sink_.line(clock_.now(), soundTraceText({SoundAction::Stop, sound, false, {}}));
    inner_.stop(sound);
}

std::string soundTraceText(const SoundTraceEvent& e) {
    switch (e.action) {
    case SoundAction::Play:
        return "sound play " + std::to_string(e.sound) + (e.looping ? " loop" : " once");
    case SoundAction::Stop:
        return "sound stop " + std::to_string(e.sound);
    case SoundAction::PlaySystem:
        return "sound system " + e.fileName;
    }
    return "sound";
}

std::string stateLine(const Machine& m) {
    std::string scores, balls, bonus;
    for (int p = 0; p < kPlayerCount; ++p) {
        const char* sep = p == 0 ? "" : ",";
        scores += sep + std::to_string(m.reels.counterValue(p, Compteur::kMaxReels));
        balls += sep + std::to_string(unsigned(m.game.players[size_t(p)].ball));
        bonus += sep + std::to_string(int(m.game.players[size_t(p)].bonus));
    }
    char tail[96];
    std::snprintf(tail, sizeof tail, " credits=%d%d mask=0x%02X player=%u multiplier=%d",
                  int(m.credits.tens % 10), int(m.credits.units % 10), unsigned(m.game.playersDoneMask),
                  unsigned(m.game.currentPlayer), int(m.game.scoreMultiplier));
    return "state scores=" + scores + " balls=" + balls + " bonus=" + bonus + tail;
}

void traceFinalState(Machine& m) {
    if (m.rt.stateTraced)
        return;
    m.rt.stateTraced = true;
    trace(m, stateLine(m));
}

} // namespace pinstage
