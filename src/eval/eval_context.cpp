// The per-call context: counters, squares, occupancy and the ending classification.
#include "eval/eval_tables.h"
#include "eval/terms.h"

namespace {

EndingType classify_ending(const Position& position, const PieceCounts& n, int pieces) {
    EndingType type =
        (position.flags & (WS | WL | BS | BL)) ? ENDING_CASTLING_LEFT : ENDING_NO_CASTLING;
    const bool queens = n.white_queen_count + n.black_queen_count > 0;
    if (pieces <= 8 && !queens) type = ENDING_LIGHT;
    if (pieces == 4) {
        if (n.white_rook_count == 2 && n.black_rook_count == 2) type = ENDING_ROOKS;
        return type;
    }
    if (pieces > 2) return type;
    if (n.white_rook_count > 0 && n.black_rook_count > 0) return ENDING_ROOKS;
    if (pieces == 0) return ENDING_PAWNS;
    if (n.white_queen_count > 0 && n.black_queen_count > 0) return ENDING_QUEENS;
    if (n.white_knight_count > 0 && n.black_knight_count > 0) return ENDING_KNIGHTS;
    if (n.white_bishop_count > 0) {
        if (n.black_bishop_count > 0) {
            const Bitboard w = position.white_bishops;
            const Bitboard b = position.black_bishops;
            const bool opposite = ((w & LIGHT_SQUARES) && (b & DARK_SQUARES)) ||
                                  ((w & DARK_SQUARES) && (b & LIGHT_SQUARES));
            return opposite ? ENDING_OPPOSITE_BISHOPS : ENDING_SAME_BISHOPS;
        }
        return n.black_knight_count > 0 ? ENDING_BISHOP_KNIGHT : type;
    }
    if (n.black_bishop_count > 0 && n.white_knight_count > 0) return ENDING_BISHOP_KNIGHT;
    return type;
}

}  // namespace

void fill_eval_context(const Position& position, EvalContext& context) {
    const PieceCounts& n = piece_counts;
    context.counts = n;
    context.total_pawns = n.white_pawn_count + n.black_pawn_count;
    context.total_pieces = n.white_piece_count + n.black_piece_count;
    context.white_king_square = lowest_square(position.white_king);
    context.black_king_square = lowest_square(position.black_king);
    context.white_queen_square = lowest_square(position.white_queens);
    context.black_queen_square = lowest_square(position.black_queens);
    context.white_men = position.white_knights | position.white_bishops | position.white_rooks |
                        position.white_queens;
    context.black_men = position.black_knights | position.black_bishops | position.black_rooks |
                        position.black_queens;
    context.occupied = position.white_pieces | position.black_pieces;
    context.empty = ~context.occupied;
    context.ending_type = classify_ending(position, n, context.total_pieces);
    context.passivity_scale = 24 - context.total_pieces;
    context.white_cannot_win = false;
    context.black_cannot_win = false;
}
