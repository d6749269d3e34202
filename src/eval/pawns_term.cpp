// The pawns term: the cached centre score adjusted by facts that depend on pieces.
#include "eval/side_access.h"
#include "eval/terms.h"

namespace {

constexpr Bitboard FILES_D_E = 0x1818181818181818ULL;

// A centre pawn still on its second rank with its own piece standing in front of it.
template <Color C>
bool centre_pawn_shut_in(const Position& position, const EvalContext& context) {
    const Bitboard home = board_of<C, PAWN>(position) & relative_rank<C>(1) & FILES_D_E;
    return (shift_forward<C>(home) & men_of<C>(context)) != 0;
}

// C's pawns that no pawn can defend, on files without enemy pawns, while the enemy has a rook
// or a queen to use those files against them.
template <Color C>
int exposed_pawns(const Position& position, const PawnRecord& record, const PieceCounts& n) {
    constexpr Color THEM = opposite(C);
    if (count_of<THEM, ROOK>(n) + count_of<THEM, QUEEN>(n) == 0) return 0;
    const Bitboard without_enemy_pawns = record.open_files | half_open_of<THEM>(record);
    return popcount(record.undefendable & board_of<C, PAWN>(position) & without_enemy_pawns);
}

}  // namespace

int pawns_term(const Position& position, const PawnRecord& record, const EvalContext& context) {
    int score = context.ending_type >= ENDING_LIGHT ? record.centre / 2 : record.centre;
    if (centre_pawn_shut_in<WHITE>(position, context)) score -= 20;
    if (centre_pawn_shut_in<BLACK>(position, context)) score += 20;
    score -= 3 * exposed_pawns<WHITE>(position, record, context.counts);
    score += 3 * exposed_pawns<BLACK>(position, record, context.counts);
    return score;
}
