// Whole-board shifts and fills for the pawn-structure and other bitboard terms. Shifts
// never wrap between the a- and h-files; "forward" is toward the colour's promotion rank.
#pragma once

#include "board/bitboard.h"

constexpr Bitboard fill_north(Bitboard b) {
    b |= b << 8;
    b |= b << 16;
    b |= b << 32;
    return b;
}
constexpr Bitboard fill_south(Bitboard b) {
    b |= b >> 8;
    b |= b >> 16;
    b |= b >> 32;
    return b;
}
// Every square of each file that holds a square of b.
constexpr Bitboard fill_files(Bitboard b) {
    return fill_north(fill_south(b));
}
template <Color C>
constexpr Bitboard fill_forward(Bitboard b) {
    return C == WHITE ? fill_north(b) : fill_south(b);
}
template <Color C>
constexpr Bitboard fill_backward(Bitboard b) {
    return C == WHITE ? fill_south(b) : fill_north(b);
}
template <Color C>
constexpr Bitboard shift_backward(Bitboard b) {
    return C == WHITE ? b >> 8 : b << 8;
}
// Both sideways neighbours of every square of b.
constexpr Bitboard beside(Bitboard b) {
    return shift_east(b) | shift_west(b);
}

// Moves every square DF files toward h (negative: toward a) and DR ranks north.
template <int DF, int DR>
constexpr Bitboard shift_by(Bitboard b) {
    if constexpr (DF > 0) {
        for (int i = 0; i < DF; ++i) b = shift_east(b);
    } else if constexpr (DF < 0) {
        for (int i = 0; i < -DF; ++i) b = shift_west(b);
    }
    if constexpr (DR > 0)
        b <<= 8 * DR;
    else if constexpr (DR < 0)
        b >>= 8 * -DR;
    return b;
}
// The same with ranks counted toward colour C's promotion rank.
template <Color C, int DF, int DR>
constexpr Bitboard shift_relative(Bitboard b) {
    return shift_by<DF, (C == WHITE ? DR : -DR)>(b);
}
