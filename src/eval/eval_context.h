// What the evaluation derives at the start of every call and every term reads: counters,
// king and queen squares, occupancy, the ending type and the cannot-win flags.
#pragma once

#include <cstdint>

#include "board/bitboard.h"
#include "board/make_move.h"

// The material classification that selects the evaluation's path (pawns never count).
enum EndingType : std::int32_t {
    ENDING_CASTLING_LEFT = 0,     // some castling right remains
    ENDING_NO_CASTLING = 1,       // no castling right remains
    ENDING_LIGHT = 2,             // at most 8 pieces and no queen
    ENDING_QUEENS = 3,            // a lone queen each
    ENDING_ROOKS = 4,             // one or two rooks each and nothing else
    ENDING_SAME_BISHOPS = 5,      // one bishop each on squares of one colour
    ENDING_OPPOSITE_BISHOPS = 6,  // one bishop each on squares of opposite colours
    ENDING_KNIGHTS = 7,           // one knight each
    ENDING_BISHOP_KNIGHT = 8,     // bishop against knight
    ENDING_PAWNS = 9,             // no pieces at all
};

struct EvalContext {
    PieceCounts counts;
    std::int32_t total_pawns;        // both colours
    std::int32_t total_pieces;       // knights, bishops, rooks and queens of both colours
    std::int32_t white_king_square;  // 64 when the side has no king (unusable positions)
    std::int32_t black_king_square;
    std::int32_t white_queen_square;  // lowest white queen; read only when white has one
    std::int32_t black_queen_square;
    Bitboard white_men;  // white knights, bishops, rooks and queens
    Bitboard black_men;
    Bitboard occupied;
    Bitboard empty;
    EndingType ending_type;
    std::int32_t passivity_scale;  // 24 minus total pieces
    bool white_cannot_win;
    bool black_cannot_win;
};

template <Color C>
constexpr int king_square_of(const EvalContext& c) {
    return C == WHITE ? c.white_king_square : c.black_king_square;
}
template <Color C>
constexpr int queen_square_of(const EvalContext& c) {
    return C == WHITE ? c.white_queen_square : c.black_queen_square;
}
template <Color C>
constexpr Bitboard men_of(const EvalContext& c) {
    return C == WHITE ? c.white_men : c.black_men;
}
