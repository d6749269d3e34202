// Per-piece move routines shared by the full, capture and evasion generators. Each appends
// to the list from index n and returns the new count; `targets` limits the destinations
// and `marks` selects the destinations that get the check mark. In place of the list a
// caller may pass a visitor, called with each move in the same order (perft's last ply makes
// them as they come); it must not run a generator, as they share the generator state.
#pragma once

#include "board/make_move.h"
#include "board/position.h"
#include "movegen/generator_state.h"
#include "movegen/move_list.h"

namespace piece_moves {

// The move goes into the list at n, or to the visitor; n counts the moves either way.
inline void put(MoveList& list, int& n, Move move) {
    list[n++] = move;
}
template <typename Visit>
[[gnu::always_inline]] inline void put(Visit& visit, int& n, Move move) {
    visit(move);
    ++n;
}

// This and add_pawn_targets are always inlined, like put: the compiler would otherwise keep
// them out of line for their several callers, and a visitor handed to an out-of-line routine
// lives in memory (perft's leaf count with it).
template <Color C, typename Out>
[[gnu::always_inline]] inline int add_promotions(Out& out, int n, int from, int to) {
    for (MoveKind k : {PROMOTE_QUEEN, PROMOTE_ROOK, PROMOTE_BISHOP, PROMOTE_KNIGHT})
        put(out, n, make_move_value(from, to, kind_for<C>(k)));
    return n;
}

// Pawn moves from a set of destinations reached by one shift; `back` undoes the shift.
template <Color C, typename Out>
[[gnu::always_inline]] inline int add_pawn_targets(Out& out, int n, Bitboard destinations,
                                                   int back) {
    for (; destinations; destinations &= destinations - 1) {
        int to = lowest_square(destinations), from = to - back;
        if (bit(to) & relative_rank<C>(7))
            n = add_promotions<C>(out, n, from, to);
        else
            put(out, n, make_move_value(from, to, kind_for<C>(PAWN_MOVE)));
    }
    return n;
}

// En passant (east pawn first) when the captured pawn's square is in `mask`, then captures
// towards file a, then towards file h, onto enemy pieces in `mask`.
template <Color C, typename Out>
inline int add_pawn_captures(const Position& p, Out& out, int n, Bitboard mask) {
    constexpr int FORWARD = C == WHITE ? 8 : -8;
    const Bitboard pawns = board_of<C, PAWN>(p);
    if (p.ep_square && (shift_forward<opposite(C)>(p.ep_square) & mask)) {
        int ep = lowest_square(p.ep_square);
        // East pawn stands on file + 1 of the target, west pawn on file - 1.
        Bitboard east = shift_forward<opposite(C)>(shift_east(p.ep_square)) & pawns;
        Bitboard west = shift_forward<opposite(C)>(shift_west(p.ep_square)) & pawns;
        if (east) put(out, n, make_move_value(ep - FORWARD + 1, ep, kind_for<C>(EN_PASSANT)));
        if (west) put(out, n, make_move_value(ep - FORWARD - 1, ep, kind_for<C>(EN_PASSANT)));
    }
    const Bitboard victims = gen_enemy & mask;
    n = add_pawn_targets<C>(out, n, shift_capture_west<C>(pawns) & victims, FORWARD - 1);
    n = add_pawn_targets<C>(out, n, shift_capture_east<C>(pawns) & victims, FORWARD + 1);
    return n;
}

// Single pushes onto empty squares of `mask` (promotions expanded), then double pushes onto
// `mask`, marked when their destination is in `marks`.
template <Color C, typename Out>
inline int add_pawn_pushes(const Position& p, Out& out, int n, Bitboard mask, Bitboard marks) {
    constexpr int FORWARD = C == WHITE ? 8 : -8;
    const Bitboard pawns = board_of<C, PAWN>(p);
    const Bitboard single = shift_forward<C>(pawns) & gen_empty;
    n = add_pawn_targets<C>(out, n, single & mask, FORWARD);
    Bitboard doubles = shift_forward<C>(single & relative_rank<C>(2)) & gen_empty & mask;
    for (; doubles; doubles &= doubles - 1) {
        int to = lowest_square(doubles);
        Move m = make_move_value(to - 2 * FORWARD, to, kind_for<C>(PAWN_MOVE));
        put(out, n, (marks & bit(to)) ? m | CHECK_MARK : m);
    }
    return n;
}

template <Color C, PieceType P, typename Out>
inline int add_piece_moves(const Position& p, Out& out, int n, Bitboard mask, Bitboard marks) {
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
            put(out, n, (marks & bit(to)) ? m | CHECK_MARK : m);
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

// Castling, only when fully legal: the king on its square and not in check, the rook on its
// corner, the squares between empty and those the king crosses unattacked.
template <Color C, typename Out>
inline int add_castling(const Position& p, Out& out, int n) {
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
        put(out, n, make_move_value(BASE + 4, BASE + 6, kind_for<C>(CASTLE_SHORT)));
    if ((p.flags & LONG_RIGHT) && (rooks & bit(BASE)) &&
        !(gen_occupied & (bit(BASE + 1) | bit(BASE + 2) | bit(BASE + 3))) &&
        !square_attacked<Them>(p, BASE + 3) && !square_attacked<Them>(p, BASE + 2))
        put(out, n, make_move_value(BASE + 4, BASE + 2, kind_for<C>(CASTLE_LONG)));
    return n;
}

// The full generator (C to move) in its fixed order; returns the count.
template <Color C, typename Out>
inline int add_all_moves(const Position& p, Out& out) {
    set_generator_state<C>(p);
    constexpr Bitboard ALL = ~Bitboard{0};
    int n = add_pawn_captures<C>(p, out, 0, ALL);
    n = add_castling<C>(p, out, n);
    n = add_piece_moves<C, KNIGHT>(p, out, n, ALL, 0);
    n = add_piece_moves<C, BISHOP>(p, out, n, ALL, 0);
    n = add_piece_moves<C, ROOK>(p, out, n, ALL, 0);
    n = add_piece_moves<C, QUEEN>(p, out, n, ALL, 0);
    n = add_pawn_pushes<C>(p, out, n, ALL, 0);
    return add_piece_moves<C, KING>(p, out, n, ALL, 0);
}

}  // namespace piece_moves
