// Per-piece move routines shared by the full, capture and evasion generators. Each appends
// to the list from index n and returns the new count; `targets` limits the destinations
// and `marks` selects the destinations that get the check mark.
#pragma once

#include "board/make_move.h"
#include "board/position.h"
#include "movegen/generator_state.h"
#include "movegen/move_list.h"

namespace piece_moves {

template <Color C>
inline int add_promotions(MoveList& list, int n, int from, int to) {
    for (MoveKind k : {PROMOTE_QUEEN, PROMOTE_ROOK, PROMOTE_BISHOP, PROMOTE_KNIGHT})
        list[n++] = make_move_value(from, to, kind_for<C>(k));
    return n;
}

// Pawn moves from a set of destinations reached by one shift; `back` undoes the shift.
template <Color C>
inline int add_pawn_targets(MoveList& list, int n, Bitboard destinations, int back) {
    for (; destinations; destinations &= destinations - 1) {
        int to = lowest_square(destinations), from = to - back;
        if (bit(to) & relative_rank<C>(7))
            n = add_promotions<C>(list, n, from, to);
        else
            list[n++] = make_move_value(from, to, kind_for<C>(PAWN_MOVE));
    }
    return n;
}

// En passant (east pawn first) when the captured pawn's square is in `mask`, then captures
// towards file a, then towards file h, onto enemy pieces in `mask`.
template <Color C>
inline int add_pawn_captures(const Position& p, MoveList& list, int n, Bitboard mask) {
    constexpr int FORWARD = C == WHITE ? 8 : -8;
    const Bitboard pawns = board_of<C, PAWN>(p);
    if (p.ep_square && (shift_forward<opposite(C)>(p.ep_square) & mask)) {
        int ep = lowest_square(p.ep_square);
        // East pawn stands on file + 1 of the target, west pawn on file - 1.
        Bitboard east = shift_forward<opposite(C)>(shift_east(p.ep_square)) & pawns;
        Bitboard west = shift_forward<opposite(C)>(shift_west(p.ep_square)) & pawns;
        if (east) list[n++] = make_move_value(ep - FORWARD + 1, ep, kind_for<C>(EN_PASSANT));
        if (west) list[n++] = make_move_value(ep - FORWARD - 1, ep, kind_for<C>(EN_PASSANT));
    }
    const Bitboard victims = gen_enemy & mask;
    n = add_pawn_targets<C>(list, n, shift_capture_west<C>(pawns) & victims, FORWARD - 1);
    n = add_pawn_targets<C>(list, n, shift_capture_east<C>(pawns) & victims, FORWARD + 1);
    return n;
}

// Single pushes onto empty squares of `mask` (promotions expanded), then double pushes onto
// `mask`, marked when their destination is in `marks`.
template <Color C>
inline int add_pawn_pushes(const Position& p, MoveList& list, int n, Bitboard mask,
                           Bitboard marks) {
    constexpr int FORWARD = C == WHITE ? 8 : -8;
    const Bitboard pawns = board_of<C, PAWN>(p);
    const Bitboard single = shift_forward<C>(pawns) & gen_empty;
    n = add_pawn_targets<C>(list, n, single & mask, FORWARD);
    Bitboard doubles = shift_forward<C>(single & relative_rank<C>(2)) & gen_empty & mask;
    for (; doubles; doubles &= doubles - 1) {
        int to = lowest_square(doubles);
        Move m = make_move_value(to - 2 * FORWARD, to, kind_for<C>(PAWN_MOVE));
        list[n++] = (marks & bit(to)) ? m | CHECK_MARK : m;
    }
    return n;
}

template <Color C, PieceType P>
inline int add_piece_moves(const Position& p, MoveList& list, int n, Bitboard mask,
                           Bitboard marks) {
    constexpr MoveKind KIND = P == KNIGHT   ? KNIGHT_MOVE
                              : P == BISHOP ? BISHOP_MOVE
                              : P == ROOK   ? ROOK_MOVE
                              : P == QUEEN  ? QUEEN_MOVE
                                            : KING_MOVE;
    for (Bitboard pieces = board_of<C, P>(p); pieces; pieces &= pieces - 1) {
        int from = lowest_square(pieces);
        for (Bitboard to_set = piece_attacks<P>(from, gen_occupied) & mask & ~gen_own; to_set;
             to_set &= to_set - 1) {
            int to = lowest_square(to_set);
            Move m = make_move_value(from, to, kind_for<C>(KIND));
            list[n++] = (marks & bit(to)) ? m | CHECK_MARK : m;
        }
    }
    return n;
}

template <Color C>
inline void set_generator_state(const Position& p) {
    gen_own = pieces_of<C>(p);
    gen_enemy = pieces_of<opposite(C)>(p);
    gen_occupied = gen_own | gen_enemy;
    gen_empty = ~gen_occupied;
}

}  // namespace piece_moves
