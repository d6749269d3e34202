// Whether a position can be searched and played from: the one check that every position
// from outside (FEN from a GUI, a test file, a book) must pass before it reaches the search.
#pragma once

#include "board/position.h"

// Each side has exactly one king, no pawn stands on the first or last rank, each side has at
// most 16 units, and the side not to move is not in check.
bool position_is_usable(const Position& position);
