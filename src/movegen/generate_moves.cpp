#include "movegen/generate_moves.h"

#include "movegen/piece_moves.h"

Bitboard gen_own = 0;
Bitboard gen_enemy = 0;
Bitboard gen_occupied = 0;
Bitboard gen_empty = 0;

namespace {

using namespace piece_moves;

template <Color C>
int add_castling(const Position& p, MoveList& list, int n) {
    constexpr Color Them = opposite(C);
    constexpr int BASE = C == WHITE ? 0 : 56;  // a1 or a8
    constexpr std::uint32_t SHORT_RIGHT = C == WHITE ? WS : BS;
    constexpr std::uint32_t LONG_RIGHT = C == WHITE ? WL : BL;
    const Bitboard king = board_of<C, KING>(p), rooks = board_of<C, ROOK>(p);
    if (!(p.flags & (SHORT_RIGHT | LONG_RIGHT)) || king != bit(BASE + 4)) return n;
    if (square_attacked<Them>(p, BASE + 4)) return n;
    if ((p.flags & SHORT_RIGHT) && (rooks & bit(BASE + 7)) &&
        !(gen_occupied & (bit(BASE + 5) | bit(BASE + 6))) && !square_attacked<Them>(p, BASE + 5) &&
        !square_attacked<Them>(p, BASE + 6))
        list[n++] = make_move_value(BASE + 4, BASE + 6, kind_for<C>(CASTLE_SHORT));
    if ((p.flags & LONG_RIGHT) && (rooks & bit(BASE)) &&
        !(gen_occupied & (bit(BASE + 1) | bit(BASE + 2) | bit(BASE + 3))) &&
        !square_attacked<Them>(p, BASE + 3) && !square_attacked<Them>(p, BASE + 2))
        list[n++] = make_move_value(BASE + 4, BASE + 2, kind_for<C>(CASTLE_LONG));
    return n;
}

template <Color C>
int generate_for(const Position& p, MoveList& list) {
    set_generator_state<C>(p);
    constexpr Bitboard ALL = ~Bitboard{0};
    int n = add_pawn_captures<C>(p, list, 0, ALL);
    n = add_castling<C>(p, list, n);
    n = add_piece_moves<C, KNIGHT>(p, list, n, ALL, 0);
    n = add_piece_moves<C, BISHOP>(p, list, n, ALL, 0);
    n = add_piece_moves<C, ROOK>(p, list, n, ALL, 0);
    n = add_piece_moves<C, QUEEN>(p, list, n, ALL, 0);
    n = add_pawn_pushes<C>(p, list, n, ALL, 0);
    return add_piece_moves<C, KING>(p, list, n, ALL, 0);
}

}  // namespace

int generate_moves(const Position& position, MoveList& list) {
    return (position.flags & BLACK_TO_MOVE) ? generate_for<BLACK>(position, list)
                                            : generate_for<WHITE>(position, list);
}
