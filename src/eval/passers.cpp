// The passed-pawn term: each passed pawn by rank, defence, king race, blockade, rook behind
// and free path, scaled by the opponent's pieces; connected passers and the advanced pair.
#include <algorithm>
#include <array>
#include <bit>

#include "eval/eval_tables.h"
#include "eval/side_access.h"
#include "eval/terms.h"

namespace {

constexpr std::array<int, 8> PASSER_RANK_VALUE = {0, 6, 12, 18, 36, 60, 90, 140};
// By the sum of the rank indices of the two most advanced pawns, 8 to 12.
constexpr std::array<int, 5> ADVANCED_PAIR_VALUE = {25, 25, 95, 95, 195};

constexpr int rank_value(int index) {
    return PASSER_RANK_VALUE[std::clamp(index, 0, 7)];
}

// The unscaled value of one passed pawn of colour C on `square`.
template <Color C>
int passer_value(const Position& p, const EvalContext& c, const AttackInfo& a, int square) {
    constexpr Color THEM = opposite(C);
    const Bitboard pawn = bit(square);
    const int r = relative_rank_of<C>(square);
    int v = 0;

    if (map_of<C, PAWN>(a) & pawn)
        v = rank_value(r) / 2;
    else if (map_of<C, ALL_ATTACKS>(a) & pawn)
        v = rank_value(r) / 3;

    // The race against the enemy king.
    const Bitboard enemy_king = board_of<THEM, KING>(p);
    int raced = r;
    if (!(promotion_cone<C>(square) & enemy_king) ||
        (passer_mask<C>(square) & board_of<C, KING>(p)))
        ++raced;
    if (passer_mask<C>(square) & enemy_king) --raced;
    raced = std::clamp(raced, 0, 7);
    v += rank_value(raced);

    if (r == 7) return std::max(v, 0);  // only a malformed board has a pawn here
    const int front = square_in_front<C>(square);

    if (pieces_of<THEM>(p) & bit(front)) {
        v -= 10;
        const int front_rank = relative_rank_of<C>(front);
        if ((board_of<THEM, KNIGHT>(p) & bit(front)) && front_rank >= 2 && front_rank <= 5) v -= 12;
    }

    // The first unit behind the pawn on its file.
    const Bitboard behind = C == WHITE ? file_mask(file_of(square)) & (pawn - 1)
                                       : file_mask(file_of(square)) & ~((pawn << 1) - 1);
    const Bitboard first_behind = rook_attacks(square, c.occupied) & behind & c.occupied;
    if (board_of<C, ROOK>(p) & first_behind) v += 10;
    if (board_of<THEM, ROOK>(p) & first_behind) return std::max(v - 10, 0);

    // How far the pawn can walk on safe squares, at most two steps.
    const Bitboard unsafe = map_of<THEM, ALL_ATTACKS>(a) | king_attacks[king_square_of<THEM>(c)];
    const Bitboard safe = c.empty & ~unsafe;
    int marker = square;
    if (safe & bit(front)) {
        marker = front;
        if (relative_rank_of<C>(marker) != 7 && (safe & bit(square_in_front<C>(marker))))
            marker = square_in_front<C>(marker);
    }
    v += (rank_value(relative_rank_of<C>(marker)) - rank_value(raced)) / 2;
    return std::max(v, 0);
}

template <Color C>
int passers_of(const Position& p, const EvalContext& c, const PawnRecord& r, const AttackInfo& a) {
    int sum = 0;
    for (Bitboard b = r.passed & board_of<C, PAWN>(p); b; b &= b - 1)
        sum += passer_value<C>(p, c, a, lowest_square(b));
    return sum;
}

// The scale of C's passers by the opponent's pieces, out of 128.
template <Color C>
int passer_scale(const EvalContext& c) {
    constexpr Color THEM = opposite(C);
    return 128 - 14 * count_of<THEM, QUEEN>(c.counts) - 10 * count_of<THEM, ROOK>(c.counts) -
           10 * count_of<THEM, BISHOP>(c.counts) - 5 * count_of<THEM, KNIGHT>(c.counts);
}

// Two or more connected passers of C on its fifth to seventh ranks.
template <Color C>
int advanced_pair_bonus(const Position& p, const EvalContext& c, const PawnRecord& r,
                        const AttackInfo& a) {
    constexpr Color THEM = opposite(C);
    const Bitboard pair = r.connected_passed & board_of<C, PAWN>(p) &
                          (relative_rank<C>(4) | relative_rank<C>(5) | relative_rank<C>(6));
    const int members = popcount(pair);
    if (members < 2) return 0;
    const int extra = members >= 3 ? 100 : 0;

    // Rank indices of the two most advanced members, from C's side.
    Bitboard seen = relative_set<C>(pair);
    const int top = 63 - std::countl_zero(seen);
    seen &= ~bit(top);
    const int next = 63 - std::countl_zero(seen);
    const int d = rank_of(top) + rank_of(next);

    const Bitboard fronts = shift_forward<C>(pair);
    if (fronts & board_of<THEM, KING>(p)) return extra;
    const Bitboard bishop_cover = board_of<THEM, BISHOP>(p) | map_of<THEM, BISHOP>(a);
    if ((fronts & ~bishop_cover) == 0) return extra;

    if (piece_total_of<THEM>(c.counts) <= 1 && count_of<THEM, QUEEN>(c.counts) == 0) {
        if (d == 12) return 900 + extra;
        const Bitboard diagonal = pawn_attacks<C>(pair);
        const Bitboard region = pair | diagonal | pawn_attacks<C>(diagonal);
        if (d >= 10 && !(region & board_of<THEM, KING>(p))) return 900 + extra;
    }
    return ADVANCED_PAIR_VALUE[d - 8] + extra;
}

}  // namespace

int passers_term(const Position& position, const EvalContext& context, const PawnRecord& record,
                 const AttackInfo& attacks) {
    // Most positions have no passed pawn; every part below is then 0 (connected passers are
    // passers).
    if (!record.passed) return 0;
    const int white = passers_of<WHITE>(position, context, record, attacks);
    const int black = passers_of<BLACK>(position, context, record, attacks);
    int value =
        white * passer_scale<WHITE>(context) / 128 - black * passer_scale<BLACK>(context) / 128;
    value += 5 * (popcount(record.connected_passed & position.white_pawns) -
                  popcount(record.connected_passed & position.black_pawns));
    value += advanced_pair_bonus<WHITE>(position, context, record, attacks);
    value -= advanced_pair_bonus<BLACK>(position, context, record, attacks);
    return value;
}
