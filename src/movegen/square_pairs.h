// Square-pair tables built once at start-up: the squares between two squares and the board
// less the squares just beyond a line's ends. The evasion generator reads both (blocking
// squares, king steps along the checking line); the evaluation reads `between` for pins.
#pragma once

#include <array>

#include "board/bitboard.h"

// Squares strictly between two squares on one line; empty otherwise.
extern std::array<std::array<Bitboard, 64>, 64> between;
// The whole board less the square behind each end of the line through two squares.
extern std::array<std::array<Bitboard, 64>, 64> line_exclusion;

void init_square_pairs();

// The square one king step from `square` in direction (df, dr), or NO_SQUARE off the board.
constexpr int square_step(int square, int df, int dr) {
    int file = file_of(square) + df;
    int rank = rank_of(square) + dr;
    if (file < 0 || file > 7 || rank < 0 || rank > 7) return NO_SQUARE;
    return rank * 8 + file;
}
