// Square masks of the evaluation, built once at start-up after the attack tables: passer
// masks, promotion cones, shelter rows and files.
#pragma once

#include <array>

#include "board/bitboard.h"

extern std::array<Bitboard, 64> white_passer_mask;
extern std::array<Bitboard, 64> black_passer_mask;
extern std::array<Bitboard, 64> white_promotion_cone;
extern std::array<Bitboard, 64> black_promotion_cone;
extern std::array<Bitboard, 64> shelter_row;
extern std::array<Bitboard, 64> shelter_files;

void init_eval_tables();

template <Color C>
inline Bitboard passer_mask(int square) {
    return C == WHITE ? white_passer_mask[square] : black_passer_mask[square];
}
template <Color C>
inline Bitboard promotion_cone(int square) {
    return C == WHITE ? white_promotion_cone[square] : black_promotion_cone[square];
}

// Fixed square sets shared by several terms.
constexpr Bitboard LIGHT_SQUARES = 0x55AA55AA55AA55AAULL;
constexpr Bitboard DARK_SQUARES = 0xAA55AA55AA55AA55ULL;
constexpr Bitboard CENTRE_BLOCK = 0x00003C3C3C3C0000ULL;    // c3-f6
constexpr Bitboard CENTRE_SQUARES = 0x0000001818000000ULL;  // d4, e4, d5, e5
constexpr Bitboard EDGE_SQUARES = 0xFF818181818181FFULL;
constexpr Bitboard CORNER_SQUARES = 0x8100000000000081ULL;

constexpr Bitboard file_mask(int file) {
    return FILE_A << file;
}
constexpr Bitboard rank_mask(int rank) {
    return RANK_1 << (8 * rank);
}
