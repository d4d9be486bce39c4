// The pointer's places at the centres of the keys as the keyboard drew them. The internet captions
// widen some keys ("Page Suivante", "Entrée"), so the contest's fixed table would miss them there.
#pragma once

#include "clavpack/Claviervirtuel.h"
#include "players/ContestRules.h"

namespace pinstage {

inline KeyPositionTable drawnKeyPositions(const TClavierVirtuel& keyboard) {
    KeyPositionTable t{};
    const QPoint origin = keyboard.pos();
    for (size_t r = 0; r < t.size(); ++r) {
        for (size_t c = 0; c < t[r].size(); ++c) {
            const QPoint centre = keyboard.ButtonInfo[r][c].Rect.center();
            t[r][c] = {origin.x() + centre.x(), origin.y() + centre.y()};
        }
    }
    return t;
}

} // namespace pinstage
