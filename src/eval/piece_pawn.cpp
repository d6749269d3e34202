// The piece-pawn interaction term: how the pawn structure suits bishops against knights,
// rooks on blocked files, and the outpost squares each side's pieces can use.
#include <array>

#include "eval/eval_tables.h"
#include "eval/side_access.h"
#include "eval/terms.h"

namespace {

// Knights against the span of files holding pawns, 0 to 8.
constexpr std::array<int, 9> KNIGHT_SPAN_VALUE = {0, 2, 5, 5, 5, 0, -2, -4, -6};

// Squares on C's fourth to sixth ranks that no enemy pawn can ever attack and a pawn of C
// covers, valued by C's pieces (knights twice).
template <Color C>
int outpost_squares(const Position& p, const EvalContext& c, const PawnRecord& r) {
    constexpr Color THEM = opposite(C);
    const Bitboard ranks = relative_rank<C>(3) | relative_rank<C>(4) | relative_rank<C>(5);
    const int squares =
        popcount(ranks & pawn_holes_of<THEM>(r) & pawn_attacks<C>(board_of<C, PAWN>(p)));
    return squares * (piece_total_of<C>(c.counts) + count_of<C, KNIGHT>(c.counts)) / 2;
}

}  // namespace

int piece_pawn_term(const Position& position, const EvalContext& context,
                    const PawnRecord& record) {
    const int bishops = context.counts.white_bishop_count - context.counts.black_bishop_count;
    const int knights = context.counts.white_knight_count - context.counts.black_knight_count;
    int value = 0;
    if (record.file_span >= 6) {
        switch (centre_type(record)) {
            case 0:
                value += 10 * bishops;
                break;
            case 1:
                value += 5 * bishops;
                break;
            case 3:
                value -= 10 * bishops;
                break;
            default:
                break;
        }
    }
    if (record.file_span >= 0 && record.file_span <= 8)
        value += KNIGHT_SPAN_VALUE[record.file_span] * knights;
    value += 2 * knights * (popcount(record.blocked) - 4);
    value -= 2 * popcount(position.white_rooks & record.blocked_files);
    value += 2 * popcount(position.black_rooks & record.blocked_files);
    value += outpost_squares<WHITE>(position, context, record);
    value -= outpost_squares<BLACK>(position, context, record);
    return value;
}
