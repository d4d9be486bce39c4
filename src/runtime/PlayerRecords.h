// The game's side of the records table: the seven record buffers at start-up, a contest player's
// buffer, the finished game's contest players appended to the file, and the start of a ranking
// step (the sort once per run, or again after new records).
#pragma once

#include "runtime/Machine.h"

#include <filesystem>

namespace pinstage {

// "Joueurs<N>.db" of the configuration in use.
std::filesystem::path playersFileInUse(const Machine& m);

// The seven default buffers, their "Date fin partie" the time of this call.
void initialisePlayerBuffers(Machine& m);

// Player p (1-4) enters the contest: its buffer is emptied (photo path, name, both dates, id and
// score) and the player is marked as a contest entrant of this game.
void beginContestRecord(Machine& m, int player);

// At game over: each contest entrant of the game whose buffer holds a name or a photo path gets
// "Date fin partie" = now and "Score réalise" = its final score, and all of them are appended to
// the file in one save; the next ranking step sorts again. The entrant marks are cleared. A
// failed save leaves the file as it was and is said in the journal.
void recordFinishedGame(Machine& m);

// Start of the ranking step: the sort when pending (once per run and after new records), the
// step's end in 25 s, a page at once, the ranking flag raised.
void startRankingStep(Machine& m);

} // namespace pinstage
