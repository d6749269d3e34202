// Colour-generic views for the evaluation terms: square names, rank and square mirroring,
// and per-colour access to the pawn record and the castling rights, so that a term is
// written once for white and instantiated for black.
#pragma once

#include <cstdint>

#include "board/bitboard.h"
#include "board/position.h"
#include "eval/bit_fill.h"
#include "eval/eval_context.h"
#include "eval/pawn_record.h"
#include "movegen/attack_info.h"

namespace sq {
// clang-format off
enum : int {
    A1, B1, C1, D1, E1, F1, G1, H1,
    A2, B2, C2, D2, E2, F2, G2, H2,
    A3, B3, C3, D3, E3, F3, G3, H3,
    A4, B4, C4, D4, E4, F4, G4, H4,
    A5, B5, C5, D5, E5, F5, G5, H5,
    A6, B6, C6, D6, E6, F6, G6, H6,
    A7, B7, C7, D7, E7, F7, G7, H7,
    A8, B8, C8, D8, E8, F8, G8, H8,
};
// clang-format on
}  // namespace sq

// Ranks reversed (a1 <-> a8): how a board drawn for white reads for black.
constexpr Bitboard flip_vertical(Bitboard b) {
    b = ((b >> 8) & 0x00FF00FF00FF00FFULL) | ((b & 0x00FF00FF00FF00FFULL) << 8);
    b = ((b >> 16) & 0x0000FFFF0000FFFFULL) | ((b & 0x0000FFFF0000FFFFULL) << 16);
    return (b >> 32) | (b << 32);
}

// A square or square set given from white's side, seen from C's side.
template <Color C>
constexpr int relative_square(int square) {
    return C == WHITE ? square : square ^ 56;
}
template <Color C>
constexpr Bitboard relative_set(Bitboard b) {
    return C == WHITE ? b : flip_vertical(b);
}
// The square one step toward C's promotion rank.
template <Color C>
constexpr int square_in_front(int square) {
    return C == WHITE ? square + 8 : square - 8;
}
// The squares next to any square of `b` (a square of `b` only when it is next to another).
constexpr Bitboard king_neighbours(Bitboard b) {
    Bitboard side = beside(b);
    Bitboard row = b | side;
    return side | (row << 8) | (row >> 8);
}

// The pawn record, per colour.
template <Color C>
constexpr Bitboard pawn_holes_of(const PawnRecord& r) {
    return C == WHITE ? r.white_pawn_holes : r.black_pawn_holes;
}
// Files without C's pawns but with the opponent's.
template <Color C>
constexpr Bitboard half_open_of(const PawnRecord& r) {
    return C == WHITE ? r.half_open_white : r.half_open_black;
}

// Castling rights, per colour.
template <Color C>
constexpr bool may_castle_short(const Position& p) {
    return p.flags & (C == WHITE ? WS : BS);
}
template <Color C>
constexpr bool may_castle_long(const Position& p) {
    return p.flags & (C == WHITE ? WL : BL);
}
