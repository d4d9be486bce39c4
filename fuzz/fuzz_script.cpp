// The switch script parser on the fuzzed text, then its changes played against a clock: every
// accepted line names a contact 0-71, and the changes come out in time order.
#include "platform/PinError.h"
#include "runtime/Script.h"

#include <cstdlib>
#include <string_view>

using namespace pinstage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<ScriptLine> lines;
    try {
        lines = parseScript(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const PinError&) {
        return 0;
    }
    for (const ScriptLine& l : lines)
        if (l.contact < 0 || l.contact > 71)
            std::abort();
    auto changes = scriptChanges(lines);
    for (size_t k = 1; k < changes.size(); ++k)
        if (changes[k].time < changes[k - 1].time)
            std::abort();
    ScriptPlayer player(changes);
    player.setOrigin(1000);
    size_t applied = 0;
    player.apply(UINT32_MAX, [&](int contact, bool) {
        if (contact < 0 || contact > 71)
            std::abort();
        ++applied;
    });
    if (applied > changes.size())
        std::abort();
    return 0;
}
