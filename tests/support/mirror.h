// Colour-flipped positions for symmetry tests, and varied sample positions to run them on.
#pragma once

#include <cstdint>
#include <vector>

#include "board/position.h"

// The board flipped top to bottom with the colours, castling rights and side to move
// exchanged; the en-passant square is flipped with the board.
Position mirror_position(const Position& position);

// Field-by-field equality (the record has padding, so no memcmp).
bool same_position(const Position& a, const Position& b);

// Usable positions from every phase of the game: random play from a few openings and random
// material placements, deterministic for a given seed. At most `max_queens` queens a side.
std::vector<Position> sample_positions(int count, std::uint32_t seed, int max_queens = 1);
