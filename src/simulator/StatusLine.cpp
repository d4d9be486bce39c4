// Text of the status line.
#include "simulator/StatusLine.h"

#include <cstdio>

namespace pinstage {

namespace {
const char* ballText(BallPlace ball) {
    switch (ball) {
    case BallPlace::Trough:
        return "bille en attente";
    case BallPlace::InPlay:
        return "bille en jeu";
    case BallPlace::InHole:
        return "bille dans le trou bonus";
    }
    return "";
}
} // namespace

std::string simulatorStatus(const Machine& m, BallPlace ball) {
    const GameState& g = m.game;
    // The game keeps the player index in range; a stray value shows as player 1 rather than
    // reading past the table.
    size_t p = g.currentPlayer < kPlayerCount ? g.currentPlayer : 0;
    const PlayerState& player = g.players[p];
    char text[200];
    std::snprintf(text, sizeof text,
                  "Crédits %02d · Joueur %zu · Bille %d · Score %u · playersDoneMask 0x%02X%s%s · %s",
                  m.credits.value(), p + 1, int(player.ball) + 1, unsigned(player.score),
                  unsigned(g.playersDoneMask), g.playersDoneMask == kNoGame ? " (pas de partie)" : "",
                  g.tilted ? " · TILT" : "", ballText(ball));
    return text;
}

} // namespace pinstage
