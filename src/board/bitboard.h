// Squares, bitboards, the bit primitives and the precomputed attack tables.
// Square numbering: a1 = 0, h1 = 7, a8 = 56, h8 = 63; bit n of a bitboard is square n.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

using Bitboard = std::uint64_t;

enum Color : int { WHITE = 0, BLACK = 1 };
constexpr Color opposite(Color c) {
    return c == WHITE ? BLACK : WHITE;
}
enum PieceType : int { KING = 0, QUEEN, ROOK, BISHOP, KNIGHT, PAWN };

constexpr Bitboard NOT_FILE_A = 0xFEFEFEFEFEFEFEFEULL;
constexpr Bitboard NOT_FILE_H = 0x7F7F7F7F7F7F7F7FULL;
constexpr Bitboard FILE_A = ~NOT_FILE_A;
constexpr Bitboard FILE_H = ~NOT_FILE_H;
constexpr Bitboard RANK_1 = 0xFFULL;
constexpr Bitboard RANK_2 = 0xFF00ULL;
constexpr Bitboard RANK_3 = 0xFF0000ULL;
constexpr Bitboard RANK_4 = 0xFF000000ULL;
constexpr Bitboard RANK_5 = 0xFF00000000ULL;
constexpr Bitboard RANK_6 = 0xFF0000000000ULL;
constexpr Bitboard RANK_7 = 0xFF000000000000ULL;
constexpr Bitboard RANK_8 = 0xFF00000000000000ULL;

constexpr int NO_SQUARE = 64;

constexpr int file_of(int square) {
    return square & 7;
}
constexpr int rank_of(int square) {
    return square >> 3;
}
constexpr Bitboard bit(int square) {
    return 1ULL << square;
}

// Index of the lowest set bit, 64 for an empty board (tzcnt with BMI).
inline int lowest_square(Bitboard b) {
    return std::countr_zero(b);
}
inline int popcount(Bitboard b) {
    return std::popcount(b);
}

// Relative rank helpers for colour-generic code: white moves north (+8), black south.
template <Color C>
constexpr Bitboard relative_rank(int rank_from_own_side) {
    return C == WHITE ? RANK_1 << (8 * rank_from_own_side) : RANK_8 >> (8 * rank_from_own_side);
}
// Rank index 0..7 of a square counted from C's own first rank.
template <Color C>
constexpr int relative_rank_of(int square) {
    return C == WHITE ? rank_of(square) : 7 - rank_of(square);
}
template <Color C>
constexpr Bitboard shift_forward(Bitboard b) {
    return C == WHITE ? b << 8 : b >> 8;
}
// One file toward h / toward a; nothing wraps around the board's edge.
constexpr Bitboard shift_east(Bitboard b) {
    return (b & NOT_FILE_H) << 1;
}
constexpr Bitboard shift_west(Bitboard b) {
    return (b & NOT_FILE_A) >> 1;
}
// Pawn captures towards file a (white +7, black -9) and towards file h (white +9, black -7).
template <Color C>
constexpr Bitboard shift_capture_west(Bitboard b) {
    return C == WHITE ? (b & NOT_FILE_A) << 7 : (b & NOT_FILE_A) >> 9;
}
template <Color C>
constexpr Bitboard shift_capture_east(Bitboard b) {
    return C == WHITE ? (b & NOT_FILE_H) << 9 : (b & NOT_FILE_H) >> 7;
}
template <Color C>
constexpr Bitboard pawn_attacks(Bitboard pawns) {
    return shift_capture_west<C>(pawns) | shift_capture_east<C>(pawns);
}

// 65 entries: index 64 (no square) repeats a1 so a lookup on an empty board stays inside.
extern std::array<Bitboard, 65> knight_attacks;
extern std::array<Bitboard, 65> king_attacks;
extern std::array<Bitboard, 65> bishop_rays;
extern std::array<Bitboard, 65> rook_rays;
// Direction code from s to t: 1 N, 2 NE, 3 E, 4 SE, 5 S, 6 SW, 7 W, 8 NW; 0 otherwise.
extern std::array<std::array<std::int32_t, 64>, 64> direction_table;

extern std::array<Bitboard, 64> rook_mask;
extern std::array<Bitboard, 64> bishop_mask;
extern const std::array<std::uint64_t, 64> rook_magic;
extern const std::array<std::uint64_t, 64> bishop_magic;
extern const std::array<std::uint8_t, 64> rook_shift;
extern const std::array<std::uint8_t, 64> bishop_shift;
extern std::array<Bitboard*, 64> rook_attack_table;
extern std::array<Bitboard*, 64> bishop_attack_table;

inline Bitboard rook_attacks(int square, Bitboard occupancy) {
    return rook_attack_table[square][((occupancy & rook_mask[square]) * rook_magic[square]) >>
                                     rook_shift[square]];
}
inline Bitboard bishop_attacks(int square, Bitboard occupancy) {
    return bishop_attack_table[square][((occupancy & bishop_mask[square]) * bishop_magic[square]) >>
                                       bishop_shift[square]];
}
inline Bitboard queen_attacks(int square, Bitboard occupancy) {
    return rook_attacks(square, occupancy) | bishop_attacks(square, occupancy);
}
// The squares a piece of kind P (not a pawn) on `square` attacks.
template <PieceType P>
inline Bitboard piece_attacks(int square, Bitboard occupancy) {
    static_assert(P != PAWN);
    if constexpr (P == KNIGHT)
        return knight_attacks[square];
    else if constexpr (P == BISHOP)
        return bishop_attacks(square, occupancy);
    else if constexpr (P == ROOK)
        return rook_attacks(square, occupancy);
    else if constexpr (P == QUEEN)
        return queen_attacks(square, occupancy);
    else
        return king_attacks[square];
}

// The empty-board tables, direction table and the relevant-occupancy masks.
void init_attack_tables();
// The magic-indexed slider tables; needs the masks from init_attack_tables.
void init_magic_tables();

// Slow ray walk used to fill the magic tables (and by tests to check them).
Bitboard slow_slider_attacks(int square, Bitboard occupancy, bool rook);
