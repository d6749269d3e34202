// The queen ending, one queen each and nothing else: a single pawn by its rank and file
// unless the defending king blocks it, otherwise the most advanced passers and the queens'
// placement.
#include <array>

#include "eval/eval_tables.h"
#include "eval/side_access.h"
#include "eval/terms.h"

namespace {

constexpr std::array<int, 8> QUEEN_ENDING_RANK_VALUE = {0, 0, 0, 5, 15, 40, 60, 0};
constexpr std::array<int, 8> QUEEN_ENDING_FILE_VALUE = {0, 10, 20, 30, 30, 20, 10, 0};

// A lone pawn of C, from C's point of view.
template <Color C>
int single_pawn(const Position& p, int pawn) {
    const Bitboard front_span = passer_mask<C>(pawn) & ~rank_mask(rank_of(pawn));
    if (front_span & board_of<opposite(C), KING>(p)) return -50;
    return QUEEN_ENDING_RANK_VALUE[relative_rank_of<C>(pawn)] +
           QUEEN_ENDING_FILE_VALUE[file_of(pawn)];
}

// Rank index of C's most advanced passed pawn, 0 without one.
template <Color C>
int best_passer_rank(const Position& p, const PawnRecord& r) {
    int best = 0;
    for (Bitboard b = r.passed & board_of<C, PAWN>(p); b; b &= b - 1) {
        const int rank = relative_rank_of<C>(lowest_square(b));
        if (rank > best) best = rank;
    }
    return best;
}

template <Color C>
int queen_placement(const Position& p) {
    const Bitboard queens = board_of<C, QUEEN>(p);
    if (queens & CENTRE_BLOCK) return 10;
    if (queens & EDGE_SQUARES) return -10;
    return 0;
}

}  // namespace

int queen_ending(const Position& position, const EvalContext& context, const PawnRecord& record) {
    if (context.total_pawns == 1) {
        if (position.white_pawns)
            return single_pawn<WHITE>(position, lowest_square(position.white_pawns));
        if (position.black_pawns)
            return -single_pawn<BLACK>(position, lowest_square(position.black_pawns));
    }
    const int white = best_passer_rank<WHITE>(position, record);
    const int black = best_passer_rank<BLACK>(position, record);
    int q = 0;
    if (white > black) q = 10 * (white - black) + 35;
    if (white < black) q = 10 * (white - black) - 35;
    q += QUEEN_ENDING_RANK_VALUE[white] - QUEEN_ENDING_RANK_VALUE[black];
    q += queen_placement<WHITE>(position) - queen_placement<BLACK>(position);
    return q;
}
