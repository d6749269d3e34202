// The pawns term: the cached centre score adjusted by facts that depend on pieces. Leaves
// both pawn attack maps in the context.
#include "eval/bit_fill.h"
#include "eval/terms.h"

namespace {

constexpr Bitboard FILES_D_E = 0x1818181818181818ULL;

// A centre pawn still on its second rank with its own piece standing in front of it.
template <Color C>
bool centre_pawn_shut_in(const Position& position, const EvalContext& context) {
    const Bitboard home = board_of<C, PAWN>(position) & relative_rank<C>(1) & FILES_D_E;
    return (shift_forward<C>(home) & men_of<C>(context)) != 0;
}

}  // namespace

int pawns_term(const Position& position, const PawnRecord& record, EvalContext& context) {
    const Bitboard white = position.white_pawns;
    const Bitboard black = position.black_pawns;
    context.white_pawn_attacks = pawn_attacks<WHITE>(white);
    context.black_pawn_attacks = pawn_attacks<BLACK>(black);

    int score = context.ending_type >= ENDING_LIGHT ? record.centre / 2 : record.centre;
    if (centre_pawn_shut_in<WHITE>(position, context)) score -= 20;
    if (centre_pawn_shut_in<BLACK>(position, context)) score += 20;
    // Pawns no pawn can defend on files the heavy pieces can use against them.
    const PieceCounts& n = context.counts;
    if (n.black_rook_count + n.black_queen_count > 0)
        score -= 3 * popcount(record.undefendable & white & ~fill_files(black));
    if (n.white_rook_count + n.white_queen_count > 0)
        score += 3 * popcount(record.undefendable & black & ~fill_files(white));
    return score;
}
