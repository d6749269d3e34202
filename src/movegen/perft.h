// Perft: counts the leaves of the legal move tree, checking the generator and make_move.
#pragma once

#include <cstdint>

#include "board/position.h"

extern std::int64_t perft_nodes;

// Adds the number of legal move sequences of length max(depth, 1) to perft_nodes.
// Restores the position; the global keys and counters are left stale.
int perft(Position& position, int depth);
