// The position record: twelve piece bitboards, occupancy, en-passant target and flags.
// A plain value: copying it is how every caller takes a move back.
#pragma once

#include <cstdint>

#include "board/bitboard.h"

constexpr std::uint32_t WS = 0x01;  // white may castle short
constexpr std::uint32_t WL = 0x02;  // white may castle long
constexpr std::uint32_t BS = 0x04;  // black may castle short
constexpr std::uint32_t BL = 0x08;  // black may castle long
constexpr std::uint32_t BLACK_TO_MOVE = 0x10;

struct Position {
    Bitboard black_king;
    Bitboard black_queens;
    Bitboard black_rooks;
    Bitboard black_bishops;
    Bitboard black_knights;
    Bitboard black_pawns;
    Bitboard white_king;
    Bitboard white_queens;
    Bitboard white_rooks;
    Bitboard white_bishops;
    Bitboard white_knights;
    Bitboard white_pawns;
    Bitboard white_pieces;
    Bitboard black_pieces;
    Bitboard ep_square;
    std::uint32_t flags;

    // Field by field.
    bool operator==(const Position&) const = default;
};

constexpr Position start_position = {
    0x1000000000000000ULL,
    0x0800000000000000ULL,
    0x8100000000000000ULL,
    0x2400000000000000ULL,
    0x4200000000000000ULL,
    0x00FF000000000000ULL,
    0x10ULL,
    0x8ULL,
    0x81ULL,
    0x24ULL,
    0x42ULL,
    0xFF00ULL,
    0xFFFFULL,
    0xFFFF000000000000ULL,
    0,
    WS | WL | BS | BL,
};

inline Color side_to_move(const Position& p) {
    return (p.flags & BLACK_TO_MOVE) ? BLACK : WHITE;
}
inline Bitboard occupancy(const Position& p) {
    return p.white_pieces | p.black_pieces;
}

// Colour-generic access to the record's fields.
template <Color C, PieceType P>
constexpr Bitboard& board_of(Position& p) {
    if constexpr (C == WHITE) {
        if constexpr (P == KING)
            return p.white_king;
        else if constexpr (P == QUEEN)
            return p.white_queens;
        else if constexpr (P == ROOK)
            return p.white_rooks;
        else if constexpr (P == BISHOP)
            return p.white_bishops;
        else if constexpr (P == KNIGHT)
            return p.white_knights;
        else
            return p.white_pawns;
    } else {
        if constexpr (P == KING)
            return p.black_king;
        else if constexpr (P == QUEEN)
            return p.black_queens;
        else if constexpr (P == ROOK)
            return p.black_rooks;
        else if constexpr (P == BISHOP)
            return p.black_bishops;
        else if constexpr (P == KNIGHT)
            return p.black_knights;
        else
            return p.black_pawns;
    }
}
template <Color C, PieceType P>
constexpr Bitboard board_of(const Position& p) {
    return board_of<C, P>(const_cast<Position&>(p));
}
template <Color C>
constexpr Bitboard& pieces_of(Position& p) {
    if constexpr (C == WHITE)
        return p.white_pieces;
    else
        return p.black_pieces;
}
template <Color C>
constexpr Bitboard pieces_of(const Position& p) {
    return C == WHITE ? p.white_pieces : p.black_pieces;
}

// Board by index in record order: 0 black king .. 5 black pawns, 6 white king .. 11 white pawns.
inline Bitboard& board_at(Position& p, int index) {
    Bitboard* boards[12] = {&p.black_king,    &p.black_queens,  &p.black_rooks,   &p.black_bishops,
                            &p.black_knights, &p.black_pawns,   &p.white_king,    &p.white_queens,
                            &p.white_rooks,   &p.white_bishops, &p.white_knights, &p.white_pawns};
    return *boards[index];
}
inline Bitboard board_at(const Position& p, int index) {
    return board_at(const_cast<Position&>(p), index);
}
