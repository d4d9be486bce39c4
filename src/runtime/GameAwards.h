// What a game gives back: free games at the score thresholds, the record, and the match of the
// units reels at game over.
#pragma once

#include "runtime/Machine.h"

namespace pinstage {

// Knocker strokes: added to those still to come when it is already knocking, so that every
// award is heard.
void knock(Machine& m, int strokes);

// The current player's next threshold reached, at most one per turn, within the per-player limit.
void checkScoreAwards(Machine& m);
// With the "partie gratuite" kind: the knocker, one credit and one more free game for player p.
void awardFreeGame(Machine& m, int player);
// The match: a digit drawn 0-9 and shown; each player whose units reel shows it wins a credit.
void runMatch(Machine& m);
// At game over: the best score at or above the record becomes the record (a tie goes to the later
// player); its holder wins the record's free games and the new record is saved at once.
void checkRecord(Machine& m);

} // namespace pinstage
