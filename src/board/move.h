// The packed 32-bit move: from (bits 0-5), to (6-11), kind (12-16), check mark (bit 20).
#pragma once

#include <cstdint>

#include "board/position.h"

using Move = std::uint32_t;

// Kinds for white; black kinds are these plus BLACK_KIND_OFFSET.
enum MoveKind : std::uint32_t {
    PAWN_MOVE = 0,
    KNIGHT_MOVE = 1,
    BISHOP_MOVE = 2,
    ROOK_MOVE = 3,
    QUEEN_MOVE = 4,
    KING_MOVE = 5,
    EN_PASSANT = 6,
    PROMOTE_QUEEN = 7,
    PROMOTE_ROOK = 8,
    PROMOTE_BISHOP = 9,
    PROMOTE_KNIGHT = 10,
    CASTLE_SHORT = 11,
    CASTLE_LONG = 12,
};
constexpr std::uint32_t BLACK_KIND_OFFSET = 13;
constexpr Move CHECK_MARK = 0x100000;

template <Color C>
constexpr std::uint32_t kind_for(MoveKind k) {
    return C == WHITE ? k : k + BLACK_KIND_OFFSET;
}

constexpr Move make_move_value(int from, int to, std::uint32_t kind) {
    return static_cast<Move>(from) | (static_cast<Move>(to) << 6) | (kind << 12);
}
constexpr int move_from(Move m) {
    return m & 63;
}
constexpr int move_to(Move m) {
    return (m >> 6) & 63;
}
constexpr std::uint32_t move_type(Move m) {
    return (m >> 12) & 31;
}
// The colour-free kind (0..12).
constexpr std::uint32_t base_kind(Move m) {
    std::uint32_t t = move_type(m);
    return t >= BLACK_KIND_OFFSET ? t - BLACK_KIND_OFFSET : t;
}
constexpr bool is_promotion(Move m) {
    std::uint32_t k = base_kind(m);
    return k >= PROMOTE_QUEEN && k <= PROMOTE_KNIGHT;
}

// Writes the coordinate text ("e2e4", "e7e8q", "e1g1") into buffer (at least 6 chars).
int move_to_text(const Position& position, Move move, char* buffer);
