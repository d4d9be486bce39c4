// Script parsing: one event per line, every field checked, errors in French with the line number.
#include "runtime/Script.h"

#include "platform/FileIo.h"
#include "platform/PinError.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace pinstage {

namespace {

constexpr int kLastContact = 71;

[[noreturn]] void fail(int line, const std::string& what) {
    throw PinError("script, ligne " + std::to_string(line) + " : " + what);
}

std::string quoted(std::string_view word) {
    return "« " + std::string(word) + " »";
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start)
            out.push_back(line.substr(start, i - start));
    }
    return out;
}

// Plain decimal digits within 32 bits.
bool readUnsigned(std::string_view word, uint32_t& value) {
    if (word.empty() || !std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    uint64_t v = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), v);
    if (ec != std::errc() || end != word.data() + word.size() || v > std::numeric_limits<uint32_t>::max())
        return false;
    value = uint32_t(v);
    return true;
}

ScriptLine parseLine(std::string_view line, int number) {
    std::vector<std::string_view> w = words(line);
    if (w.size() < 3)
        fail(number, "ligne incomplète, « temps_ms close|open|pulse cN [ms] » attendu");
    ScriptLine out;
    out.lineNumber = number;
    if (!readUnsigned(w[0], out.time))
        fail(number, "temps invalide " + quoted(w[0]));
    if (w[1] == "close")
        out.action = ScriptAction::Close;
    else if (w[1] == "open")
        out.action = ScriptAction::Open;
    else if (w[1] == "pulse")
        out.action = ScriptAction::Pulse;
    else
        fail(number, "action inconnue " + quoted(w[1]) + " (close, open ou pulse attendu)");
    uint32_t contact = 0;
    if (w[2].size() < 2 || w[2][0] != 'c' || !readUnsigned(w[2].substr(1), contact) || contact > kLastContact)
        fail(number, "contact invalide " + quoted(w[2]) + " (c0 à c71 attendu)");
    out.contact = int(contact);
    size_t used = 3;
    if (out.action == ScriptAction::Pulse && w.size() > 3) {
        if (!readUnsigned(w[3], out.pulseMs))
            fail(number, "durée invalide " + quoted(w[3]));
        if (uint64_t(out.time) + out.pulseMs > std::numeric_limits<uint32_t>::max())
            fail(number, "fin de l'impulsion hors limite");
        used = 4;
    }
    if (w.size() > used)
        fail(number, "texte en trop " + quoted(w[used]));
    return out;
}

} // namespace

std::vector<ScriptLine> parseScript(std::string_view text) {
    std::vector<ScriptLine> out;
    int number = 0;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        ++number;
        pos = end + 1;
        if (size_t hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (words(line).empty()) {
            if (end == text.size())
                break;
            continue;
        }
        out.push_back(parseLine(line, number));
        if (end == text.size())
            break;
    }
    return out;
}

std::vector<ScriptLine> loadScript(const std::filesystem::path& file) {
    auto bytes = readWholeFile(file);
    if (!bytes)
        throw PinError("script introuvable : " + file.string());
    return parseScript(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

std::vector<ScriptedChange> scriptChanges(const std::vector<ScriptLine>& lines) {
    std::vector<ScriptedChange> out;
    out.reserve(lines.size() * 2);
    for (const ScriptLine& l : lines) {
        switch (l.action) {
        case ScriptAction::Close:
            out.push_back({l.time, l.contact, true});
            break;
        case ScriptAction::Open:
            out.push_back({l.time, l.contact, false});
            break;
        case ScriptAction::Pulse:
            out.push_back({l.time, l.contact, true});
            out.push_back({l.time + l.pulseMs, l.contact, false});
            break;
        }
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const ScriptedChange& a, const ScriptedChange& b) { return a.time < b.time; });
    return out;
}

void ScriptPlayer::apply(uint32_t now, const SetSwitch& set) {
    if (!started_)
        return;
    uint32_t elapsed = uint32_t(now - origin_);
    while (next_ < changes_.size() && changes_[next_].time <= elapsed) {
        const ScriptedChange& c = changes_[next_++];
        set(c.contact, c.closed);
    }
}

} // namespace pinstage
