// make_move with incremental keys and counters; the attack test.
#include "board/make_move.h"

#include "board/make_move_for.h"
#include "board/zobrist.h"

PieceCounts piece_counts{};
int ply = 0;
PlyEntries ply_entries{};

PieceCounts count_pieces(const Position& p) {
    PieceCounts c{};
    c.white_pawn_count = popcount(p.white_pawns);
    c.white_knight_count = popcount(p.white_knights);
    c.white_bishop_count = popcount(p.white_bishops);
    c.white_rook_count = popcount(p.white_rooks);
    c.white_queen_count = popcount(p.white_queens);
    c.black_pawn_count = popcount(p.black_pawns);
    c.black_knight_count = popcount(p.black_knights);
    c.black_bishop_count = popcount(p.black_bishops);
    c.black_rook_count = popcount(p.black_rooks);
    c.black_queen_count = popcount(p.black_queens);
    c.white_piece_count =
        c.white_knight_count + c.white_bishop_count + c.white_rook_count + c.white_queen_count;
    c.black_piece_count =
        c.black_knight_count + c.black_bishop_count + c.black_rook_count + c.black_queen_count;
    return c;
}

template <Color By>
bool square_attacked(const Position& p, int s) {
    const Bitboard occupied = p.white_pieces | p.black_pieces;
    if (knight_attacks[s] & board_of<By, KNIGHT>(p)) return true;
    // A pawn of the attacker standing diagonally behind s from its own point of view.
    if (pawn_attacks<opposite(By)>(bit(s)) & board_of<By, PAWN>(p)) return true;
    if (king_attacks[s] & board_of<By, KING>(p)) return true;
    // The empty-board rays filter out most slider lookups.
    const Bitboard queens = board_of<By, QUEEN>(p);
    const Bitboard diagonal = (board_of<By, BISHOP>(p) | queens) & bishop_rays[s];
    if (diagonal && (bishop_attacks(s, occupied) & diagonal)) return true;
    const Bitboard straight = (board_of<By, ROOK>(p) | queens) & rook_rays[s];
    return straight && (rook_attacks(s, occupied) & straight);
}
template bool square_attacked<WHITE>(const Position&, int);
template bool square_attacked<BLACK>(const Position&, int);

int is_attacked(const Position& position, Bitboard target, int by_black) {
    if (!target) return 0;
    int s = lowest_square(target);
    return by_black ? square_attacked<BLACK>(position, s) : square_attacked<WHITE>(position, s);
}

using namespace make_move_parts;

int make_move(Position& position, Move move) {
    return (position.flags & BLACK_TO_MOVE)
               ? make_move_for<BLACK, LEGALITY_AND_CHECK>(position, move)
               : make_move_for<WHITE, LEGALITY_AND_CHECK>(position, move);
}

template <Color C>
int make_move_unmarked_as(Position& position, Move move) {
    return make_move_for<C, LEGALITY>(position, move);
}
template int make_move_unmarked_as<WHITE>(Position&, Move);
template int make_move_unmarked_as<BLACK>(Position&, Move);
