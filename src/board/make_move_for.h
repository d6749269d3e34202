// The body of make_move as a template on the side to move and on the tests it runs, for
// make_move.cpp and for callers that inline it; and perft's make for a move known legal.
#pragma once

#include "board/make_move.h"
#include "board/zobrist.h"

namespace make_move_parts {

// Keep: also update the keys, the counters and the per-ply entries (perft reads none of them,
// and leaves them stale, so its moves skip that).
template <Color C, PieceType P, bool Keep>
void move_piece(Position& p, Bitboard ft, int from, int to) {
    board_of<C, P>(p) ^= ft;
    if constexpr (Keep) hash_key ^= zobrist_of(C, P, from) ^ zobrist_of(C, P, to);
}

template <Color C, PieceType P, bool Keep>
void promote(Position& p, int from, int to) {
    board_of<C, PAWN>(p) ^= bit(from);
    board_of<C, P>(p) ^= bit(to);
    if constexpr (!Keep) return;
    hash_key ^= zobrist_of(C, PAWN, from) ^ zobrist_of(C, P, to);
    pawn_hash_key ^= zobrist_of(C, PAWN, from);
    --count_of<C, PAWN>(piece_counts);
    ++count_of<C, P>(piece_counts);
    ++piece_total_of<C>(piece_counts);
}

template <Color C, bool Keep>
void castle(Position& p, Bitboard ft, int king_from, int king_to, int rook_from, int rook_to) {
    board_of<C, KING>(p) ^= ft;
    Bitboard rook_move = bit(rook_from) | bit(rook_to);
    board_of<C, ROOK>(p) ^= rook_move;
    pieces_of<C>(p) ^= rook_move;
    p.flags &= C == WHITE ? ~(WS | WL) : ~(BS | BL);
    if constexpr (Keep)
        hash_key ^= zobrist_of(C, KING, king_from) ^ zobrist_of(C, KING, king_to) ^
                    zobrist_of(C, ROOK, rook_from) ^ zobrist_of(C, ROOK, rook_to);
}

template <Color C, PieceType P, bool Keep>
bool take_if_there(Position& p, int to, int value) {
    constexpr Color Them = opposite(C);
    Bitboard& board = board_of<Them, P>(p);
    if (!(board & bit(to))) return false;
    board ^= bit(to);
    if constexpr (!Keep) return true;
    hash_key ^= zobrist_of(Them, P, to);
    if constexpr (P == PAWN) pawn_hash_key ^= zobrist_of(Them, P, to);
    --count_of<Them, P>(piece_counts);
    if constexpr (P != PAWN) --piece_total_of<Them>(piece_counts);
    ply_entries.captured_value[ply] = value;
    return true;
}

// Does C's move, just made, check the enemy king on king_square? Only what the move changed
// can: the piece on `to` and the lines through the squares it emptied or filled. Before the
// move C gave no check (the side not to move is never in check), and after a legal move the
// kings are not neighbours, so the full attack test would answer the same.
template <Color C>
bool gives_check(const Position& p, Move move, int king_square) {
    constexpr int FORWARD = C == WHITE ? 8 : -8;
    const int from = move_from(move), to = move_to(move);
    const Bitboard king = bit(king_square);
    Bitboard changed = bit(from) | bit(to);
    switch (base_kind(move)) {
        case PAWN_MOVE:
            if (pawn_attacks<C>(bit(to)) & king) return true;
            break;
        case EN_PASSANT:
            if (pawn_attacks<C>(bit(to)) & king) return true;
            changed |= bit(to - FORWARD);
            break;
        case KNIGHT_MOVE:
        case PROMOTE_KNIGHT:
            if (knight_attacks[to] & king) return true;
            break;
        case CASTLE_SHORT:
            changed |= bit(C == WHITE ? 7 : 63) | bit(C == WHITE ? 5 : 61);
            break;
        case CASTLE_LONG:
            changed |= bit(C == WHITE ? 0 : 56) | bit(C == WHITE ? 3 : 59);
            break;
        default:
            break;
    }
    const Bitboard occupied = p.white_pieces | p.black_pieces;
    const Bitboard queens = board_of<C, QUEEN>(p);
    if ((bishop_rays[king_square] & changed) &&
        (bishop_attacks(king_square, occupied) & (board_of<C, BISHOP>(p) | queens)))
        return true;
    return (rook_rays[king_square] & changed) &&
           (rook_attacks(king_square, occupied) & (board_of<C, ROOK>(p) | queens));
}

// The attack tests after the move: the legality test and the check flag for the next ply
// (the search's make_move, which alone also keeps the keys, counters and per-ply entries);
// only the legality test (perft never reads the flag); none (perft knows the move is legal).
enum Tests { LEGALITY_AND_CHECK, LEGALITY, NO_TESTS };

// Inlined everywhere: a caller that knows the move's kind (perft's last ply, handed each move
// by the generator) gets the dispatch on it folded away.
template <Color C, Tests T>
[[gnu::always_inline]] inline int make_move_for(Position& p, Move move) {
    constexpr Color Them = opposite(C);
    constexpr int FORWARD = C == WHITE ? 8 : -8;
    constexpr bool KEEP = T == LEGALITY_AND_CHECK;
    const int from = move_from(move), to = move_to(move);
    const Bitboard ft = bit(from) | bit(to);

    if constexpr (KEEP) {
        ply_entries.capture_square[ply] = -1;
        ply_entries.captured_value[ply] = 0;
        ply_entries.pawn_push[ply] = 0;
        hash_key ^= SIDE_KEY;
    }
    const Bitboard old_ep = p.ep_square;
    p.ep_square = 0;
    pieces_of<C>(p) ^= ft;

    switch (base_kind(move)) {
        case PAWN_MOVE: {
            board_of<C, PAWN>(p) ^= ft;
            // A double push (from the second rank to the fourth, same file) leaves its
            // passed square; worked out without a branch, which would often mispredict.
            p.ep_square = shift_forward<Them>(
                shift_forward<C>(shift_forward<C>(ft & relative_rank<C>(1))) & ft);
            if constexpr (!KEEP) break;
            const std::uint64_t z = zobrist_of(C, PAWN, from) ^ zobrist_of(C, PAWN, to);
            hash_key ^= z;
            pawn_hash_key ^= z;
            if (bit(to) & (relative_rank<C>(5) | relative_rank<C>(6))) {
                // Off-board squares count as free.
                Bitboard ahead =
                    shift_forward<C>(bit(to)) | shift_forward<C>(shift_forward<C>(bit(to)));
                if (!(ahead & pieces_of<Them>(p))) ply_entries.pawn_push[ply] = bit(to);
            }
            break;
        }
        case KNIGHT_MOVE:
            move_piece<C, KNIGHT, KEEP>(p, ft, from, to);
            break;
        case BISHOP_MOVE:
            move_piece<C, BISHOP, KEEP>(p, ft, from, to);
            break;
        case QUEEN_MOVE:
            move_piece<C, QUEEN, KEEP>(p, ft, from, to);
            break;
        case ROOK_MOVE:
            move_piece<C, ROOK, KEEP>(p, ft, from, to);
            if (ft & bit(C == WHITE ? 0 : 56)) p.flags &= ~(C == WHITE ? WL : BL);
            if (ft & bit(C == WHITE ? 7 : 63)) p.flags &= ~(C == WHITE ? WS : BS);
            break;
        case KING_MOVE:
            move_piece<C, KING, KEEP>(p, ft, from, to);
            p.flags &= C == WHITE ? ~(WS | WL) : ~(BS | BL);
            break;
        case EN_PASSANT: {
            board_of<C, PAWN>(p) ^= ft;
            if (old_ep & ft) {
                int victim = lowest_square(old_ep) - FORWARD;
                board_of<Them, PAWN>(p) ^= bit(victim);
                pieces_of<Them>(p) ^= bit(victim);
                if constexpr (!KEEP) break;
                hash_key ^= zobrist_of(Them, PAWN, victim);
                pawn_hash_key ^= zobrist_of(Them, PAWN, victim);
                --count_of<Them, PAWN>(piece_counts);
                ply_entries.captured_value[ply] = 1;
                ply_entries.capture_square[ply] = lowest_square(old_ep);
            }
            if constexpr (KEEP) {
                const std::uint64_t z = zobrist_of(C, PAWN, from) ^ zobrist_of(C, PAWN, to);
                hash_key ^= z;
                pawn_hash_key ^= z;
            }
            break;
        }
        case PROMOTE_QUEEN:
            promote<C, QUEEN, KEEP>(p, from, to);
            break;
        case PROMOTE_ROOK:
            promote<C, ROOK, KEEP>(p, from, to);
            break;
        case PROMOTE_BISHOP:
            promote<C, BISHOP, KEEP>(p, from, to);
            break;
        case PROMOTE_KNIGHT:
            promote<C, KNIGHT, KEEP>(p, from, to);
            break;
        case CASTLE_SHORT:
            castle<C, KEEP>(p, ft, from, to, C == WHITE ? 7 : 63, C == WHITE ? 5 : 61);
            break;
        case CASTLE_LONG:
            castle<C, KEEP>(p, ft, from, to, C == WHITE ? 0 : 56, C == WHITE ? 3 : 59);
            break;
        default:
            break;
    }

    if (ft & pieces_of<Them>(p)) {
        if constexpr (KEEP) ply_entries.capture_square[ply] = to;
        take_if_there<C, PAWN, KEEP>(p, to, 1) || take_if_there<C, KNIGHT, KEEP>(p, to, 3) ||
            take_if_there<C, BISHOP, KEEP>(p, to, 3) || take_if_there<C, ROOK, KEEP>(p, to, 5) ||
            take_if_there<C, QUEEN, KEEP>(p, to, 9);
        board_of<Them, KING>(p) &= ~ft;
        pieces_of<Them>(p) &= ~ft;
    }

    p.flags ^= BLACK_TO_MOVE;
    if constexpr (T == NO_TESTS) return 1;
    const Bitboard own_king = board_of<C, KING>(p);
    if (own_king && square_attacked<Them>(p, lowest_square(own_king))) return 0;
    if constexpr (T == LEGALITY) return 1;
    const Bitboard their_king = board_of<Them, KING>(p);
    ply_entries.in_check[ply + 1] =
        their_king ? gives_check<C>(p, move, lowest_square(their_king)) : 0;
    return 1;
}

}  // namespace make_move_parts

// make_move for perft, C to move, when the move is known legal: the position alone (keys,
// counters and per-ply entries are left as they were) and no attack test at all.
template <Color C>
[[gnu::always_inline]] inline void make_legal_move_as(Position& position, Move move) {
    make_move_parts::make_move_for<C, make_move_parts::NO_TESTS>(position, move);
}
