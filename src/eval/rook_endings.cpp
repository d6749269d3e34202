// Rook endings: one rook and one pawn against one rook, and the rook on the seventh rank in
// the other rook endings.
#include <cstdlib>

#include "eval/eval_tables.h"
#include "eval/rook_seventh.h"
#include "eval/side_access.h"
#include "eval/terms.h"

namespace {

// The pawn is C's; the value is from C's point of view.
template <Color C>
int rook_pawn_value(const Position& p, const EvalContext& c, int pawn) {
    constexpr Color THEM = opposite(C);
    const int rank = relative_rank_of<C>(pawn);
    const int pawn_file = file_of(pawn);
    const Bitboard defender = board_of<THEM, KING>(p);
    const Bitboard ahead = fill_forward<C>(shift_forward<C>(bit(pawn)));
    if (pawn_file == 0 || pawn_file == 7) return (defender & ahead) ? 0 : 10 * (rank + 6);
    if (defender & (passer_mask<C>(pawn) & ~rank_mask(rank_of(pawn)))) return 50;

    if (king_attacks[king_square_of<C>(c)] & bit(pawn)) {
        const Bitboard rooks = board_of<C, ROOK>(p);
        const int rook_file = rooks ? file_of(lowest_square(rooks)) : pawn_file;
        const int king_file = file_of(king_square_of<THEM>(c));
        if ((rook_file > pawn_file && king_file > rook_file) ||
            (rook_file < pawn_file && king_file < rook_file))
            return 10 * (2 * rank + 20 + std::abs(king_file - pawn_file));
    }
    return 10 * (rank + 8);
}

}  // namespace

int rook_pawn_ending(const Position& position, const EvalContext& context) {
    if (position.white_pawns)
        return rook_pawn_value<WHITE>(position, context, lowest_square(position.white_pawns));
    if (position.black_pawns)
        return -rook_pawn_value<BLACK>(position, context, lowest_square(position.black_pawns));
    return 0;
}

int rook_on_seventh(const Position& position, const EvalContext&) {
    return rook_seventh_bonus<WHITE>(position) - rook_seventh_bonus<BLACK>(position);
}
