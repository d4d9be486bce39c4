// The media's journal lines written to the runtime's trace (--trace), when it is on.
#pragma once

#include "media/MediaJournal.h"
#include "runtime/MachineHooks.h"

namespace pinstage {

// trace must outlive the journal.
inline MediaJournal journalTo(TraceSink& trace) {
    return MediaJournal{[&trace](uint32_t now, const std::string& text) {
        if (trace.enabled())
            trace.line(now, text);
    }};
}

} // namespace pinstage
