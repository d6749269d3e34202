// The quiescence search: captures (and checks at its first level) below the full-width
// horizon, with stand pat, a whole-node futility test and its own hash table.
#pragma once

#include "board/position.h"

// Fail-soft score of the position for the side to move; level 0 is the first quiescence ply.
// Leaves the position, keys and material counters as it found them.
int quiesce(Position& position, int alpha, int beta, int level);
