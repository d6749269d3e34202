// Recomputes the material counters from a position's bitboards.
#pragma once

#include "board/position.h"

// Sets piece_counts (board/make_move.h) for the position.
void count_material(const Position& position);
