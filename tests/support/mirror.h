// Colour-flipped positions for symmetry tests, and varied sample positions to run them on.
#pragma once

#include <cstdint>
#include <vector>

#include "board/position.h"

// The board flipped top to bottom with the colours, castling rights and side to move
// exchanged; the en-passant square is flipped with the board.
Position mirror_position(const Position& position);

// A usable position: the kings, the named units ("RBp": white upper case) and up to
// `max_pawns` more pawns a side, on random squares; deterministic for a given seed.
Position random_material(std::uint32_t& seed, const char* units, int max_pawns);

// Usable positions from every phase of the game: random play from a few openings and random
// material of every ending type. At most one queen a side.
std::vector<Position> sample_positions(int count, std::uint32_t seed);
