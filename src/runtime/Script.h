// Timed switch events for the simulated board: the script text, its parsing and its playback
// against the clock. Lines read "time_ms close|open|pulse cN [ms]"; '#' starts a comment.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace pinstage {

enum class ScriptAction { Close, Open, Pulse };

struct ScriptLine {
    uint32_t time = 0; // ms after the origin (the end of the splash)
    ScriptAction action = ScriptAction::Close;
    int contact = 0;       // 0-71
    uint32_t pulseMs = 50; // pulse only: how long the contact stays closed
    int lineNumber = 0;    // 1-based, for messages
    bool operator==(const ScriptLine&) const = default;
};

constexpr uint32_t kDefaultPulseMs = 50;

// Parses a whole script. A bad line raises PinError naming the line and what is wrong with it.
std::vector<ScriptLine> parseScript(std::string_view text);
// Reads and parses a script file; PinError when it cannot be read or does not parse.
std::vector<ScriptLine> loadScript(const std::filesystem::path& file);

// One change of a contact's state.
struct ScriptedChange {
    uint32_t time = 0;
    int contact = 0;
    bool closed = false;
    bool operator==(const ScriptedChange&) const = default;
};

// The script as contact changes in time order (a pulse is a close then an open); changes at the
// same time keep the order of the script.
std::vector<ScriptedChange> scriptChanges(const std::vector<ScriptLine>& lines);

// Applies the changes whose time has come. Nothing happens before the origin is set.
class ScriptPlayer {
public:
    using SetSwitch = std::function<void(int contact, bool closed)>;

    explicit ScriptPlayer(std::vector<ScriptedChange> changes) : changes_(std::move(changes)) {}

    void setOrigin(uint32_t now) {
        origin_ = now;
        started_ = true;
    }
    bool started() const { return started_; }
    // Every change due at now (time after origin <= now - origin), in order.
    void apply(uint32_t now, const SetSwitch& set);
    bool finished() const { return next_ >= changes_.size(); }
    // The clock time of the next change, once the origin is set and while changes remain.
    std::optional<uint32_t> nextTime() const {
        if (!started_ || finished())
            return std::nullopt;
        return origin_ + changes_[next_].time;
    }
    size_t applied() const { return next_; }

private:
    std::vector<ScriptedChange> changes_;
    size_t next_ = 0;
    uint32_t origin_ = 0;
    bool started_ = false;
};

} // namespace pinstage
