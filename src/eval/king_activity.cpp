// The kings' activity in the endgame: centre and edge, the wing away from all pawns, and
// how many squares each king can reach safely in two steps.
#include "eval/eval_tables.h"
#include "eval/king_safety_parts.h"
#include "eval/side_access.h"
#include "eval/terms.h"

namespace {

// Per file a..h: what a king there loses when every pawn stands on the other wing.
constexpr int AWAY_FROM_EAST_PAWNS[8] = {15, 10, 5, 0, 0, 0, 0, 0};
constexpr int AWAY_FROM_WEST_PAWNS[8] = {0, 0, 0, 0, 0, 5, 10, 15};

// C's king: centre and edge, the wing without pawns, and its safe reach.
template <Color C>
int king_activity_of(const Position& p, const EvalContext& c, const PawnRecord& r,
                     const AttackInfo& a) {
    constexpr Color THEM = opposite(C);
    const int k = king_square_of<C>(c);
    const Bitboard king = bit(k);
    int e = 0;
    if (king & CENTRE_BLOCK) e += 5;
    if (king & EDGE_SQUARES) e -= 5;
    if (r.structure_flags & PAWNS_ONLY_EAST) e -= AWAY_FROM_EAST_PAWNS[file_of(k)];
    if (r.structure_flags & PAWNS_ONLY_WEST) e -= AWAY_FROM_WEST_PAWNS[file_of(k)];

    const Bitboard forbidden = map_of<THEM, ALL_ATTACKS>(a) | king_attacks[king_square_of<THEM>(c)];
    const Bitboard safe = (king_attacks[k] & ~pieces_of<C>(p) & ~forbidden) | king;
    const Bitboard reach = king_neighbours(safe) & ~(pieces_of<C>(p) & ~king) & ~forbidden;
    e += popcount(reach);
    if ((reach & ~EDGE_SQUARES) == 0) e -= 10;
    if (reach & CENTRE_SQUARES) e += 5;
    return e;
}

}  // namespace

int king_activity(const Position& position, const EvalContext& context, const PawnRecord& record,
                  const AttackInfo& attacks) {
    const int e = king_activity_of<WHITE>(position, context, record, attacks) -
                  king_activity_of<BLACK>(position, context, record, attacks);
    return e * (20 - context.total_pieces) / 16;
}
