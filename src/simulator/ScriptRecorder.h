// What the operator does, written down as a switch script ("time_ms close|open|pulse cN [ms]"),
// times counted from the start of the recording.
#pragma once

#include "simulator/SmartPlayfield.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace pinstage {

class ScriptRecorder {
public:
    void start(uint32_t now);
    void stop() { recording_ = false; }
    bool recording() const { return recording_; }

    // Keeps the change when recording and when it came from the operator's hands.
    void record(uint32_t now, int contact, HandAction action, uint32_t ms, SwitchOrigin origin);

    size_t lineCount() const { return lines_.size(); }
    std::string text() const;
    // Power-safe save of text(); false when the file could not be written.
    bool save(const std::filesystem::path& file) const;

private:
    bool recording_ = false;
    uint32_t origin_ = 0;
    std::vector<std::string> lines_;
};

} // namespace pinstage
