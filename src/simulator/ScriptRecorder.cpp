// Recording the operator's switch changes.
#include "simulator/ScriptRecorder.h"

#include "platform/FileIo.h"

namespace pinstage {

void ScriptRecorder::start(uint32_t now) {
    lines_.clear();
    origin_ = now;
    recording_ = true;
}

void ScriptRecorder::record(uint32_t now, int contact, HandAction action, uint32_t ms, SwitchOrigin origin) {
    if (!recording_ || origin != SwitchOrigin::Operator || contact < 0 || contact > 71)
        return;
    std::string line = std::to_string(uint32_t(now - origin_));
    switch (action) {
    case HandAction::Close:
        line += " close c";
        break;
    case HandAction::Open:
        line += " open c";
        break;
    case HandAction::Pulse:
        line += " pulse c";
        break;
    }
    line += std::to_string(contact);
    if (action == HandAction::Pulse)
        line += " " + std::to_string(ms);
    lines_.push_back(std::move(line));
}

std::string ScriptRecorder::text() const {
    std::string out = "# Simulateur de plateau : temps_ms close|open|pulse cN [ms]\n";
    for (const std::string& l : lines_)
        out += l + "\n";
    return out;
}

bool ScriptRecorder::save(const std::filesystem::path& file) const {
    std::string t = text();
    return writeFileAtomically(file, std::span(reinterpret_cast<const uint8_t*>(t.data()), t.size()));
}

} // namespace pinstage
