// The journal lines of the attract media, written through a callback so that the media keep no
// tie to the runtime's trace.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace pinstage {

struct MediaJournal {
    std::function<void(uint32_t now, const std::string& text)> write;
    void operator()(uint32_t now, const std::string& text) const {
        if (write)
            write(now, text);
    }
};

} // namespace pinstage
