// Pawn-structure analysis: from the two pawn boards alone, the base and centre scores and
// the facts the other terms read. Runs only on a pawn-table miss.
#include <algorithm>
#include <bit>

#include "eval/bit_fill.h"
#include "eval/eval_tables.h"
#include "eval/terms.h"

namespace {

constexpr Bitboard FILES_A_TO_C = 0x0707070707070707ULL;
constexpr Bitboard FILES_A_TO_D = 0x0F0F0F0F0F0F0F0FULL;
constexpr Bitboard FILES_B_TO_D = 0x0E0E0E0E0E0E0E0EULL;
constexpr Bitboard FILES_B_TO_G = 0x7E7E7E7E7E7E7E7EULL;
constexpr Bitboard FILES_C_TO_F = 0x3C3C3C3C3C3C3C3CULL;
constexpr Bitboard FILES_D_E = 0x1818181818181818ULL;
constexpr Bitboard FILES_E_TO_G = 0x7070707070707070ULL;
constexpr Bitboard FILES_E_TO_H = 0xF0F0F0F0F0F0F0F0ULL;
constexpr Bitboard FILES_F_TO_H = 0xE0E0E0E0E0E0E0E0ULL;

// Candidate bonus by rank counted from the pawn's own side (index 0 = rank 1).
constexpr int CANDIDATE_RANK_BONUS[8] = {0, 0, 1, 2, 4, 6, 0, 0};

// Facts about one colour's pawns.
struct PawnSide {
    Bitboard attacks;       // squares its pawns attack
    Bitboard passed_all;    // every passed pawn
    Bitboard passed;        // the most advanced passed pawn of each file
    Bitboard connected;     // members of `passed` with a neighbour in `passed`
    Bitboard blocked;       // enemy pawn directly ahead, not attacked by an enemy pawn
    Bitboard undefendable;  // no friendly pawn beside or behind on a neighbouring file
    Bitboard holes;         // squares its pawns can never attack
    Bitboard candidates;
};

template <Color C>
int centre_side(Bitboard own, Bitboard enemy) {
    const Bitboard ranks_2_to_5 =
        relative_rank<C>(1) | relative_rank<C>(2) | relative_rank<C>(3) | relative_rank<C>(4);
    const Bitboard ranks_3_4 = relative_rank<C>(2) | relative_rank<C>(3);
    int score = popcount(own & ranks_2_to_5 & FILES_B_TO_G) +
                2 * popcount(own & ranks_3_4 & FILES_C_TO_F) + 5 * popcount(own & CENTRE_SQUARES) +
                5 * popcount(own & FILES_D_E);
    const Bitboard duo = relative_rank<C>(3) & FILES_D_E;
    const Bitboard challengers = relative_rank<C>(4) & FILES_C_TO_F;
    if ((own & duo) == duo && !(enemy & challengers)) score += 10;
    return score;
}

template <Color C>
Bitboard find_candidates(Bitboard own, Bitboard enemy, const PawnSide& side) {
    constexpr Color E = opposite(C);
    const Bitboard enemy_attacks = pawn_attacks<E>(enemy);
    Bitboard provisional = own & ~fill_files(enemy) & fill_files(beside(own)) & ~side.passed_all;
    provisional &= ~fill_backward<C>(shift_backward<C>(provisional));
    Bitboard result = 0;
    for (Bitboard walk = provisional; walk; walk &= walk - 1) {
        const int square = lowest_square(walk);
        // The first square on the way that an enemy pawn attacks must be one a friendly pawn
        // can still attack some day.
        const Bitboard contested = fill_forward<C>(bit(square)) & enemy_attacks;
        if (contested) {
            const int first =
                C == WHITE ? lowest_square(contested) : 63 - std::countl_zero(contested);
            if (side.holes & bit(first)) continue;
        }
        const Bitboard ahead = fill_forward<C>(shift_forward<C>(bit(square)));
        if (popcount(enemy & shift_east(ahead)) > 1) continue;
        if (popcount(enemy & shift_west(ahead)) > 1) continue;
        result |= bit(square);
    }
    return result;
}

template <Color C>
PawnSide analyse_side(Bitboard own, Bitboard enemy) {
    constexpr Color E = opposite(C);
    PawnSide side{};
    side.attacks = pawn_attacks<C>(own);
    const Bitboard enemy_attacks = pawn_attacks<E>(enemy);
    // Squares whose pawn has an enemy pawn ahead on its own or a neighbouring file.
    const Bitboard stopped = fill_backward<C>(shift_backward<C>(enemy | beside(enemy)));
    side.passed_all = own & ~stopped;
    side.passed = side.passed_all & ~fill_backward<C>(shift_backward<C>(side.passed_all));
    Bitboard near = beside(side.passed);
    near |= (near << 8) | (near >> 8);
    side.connected = side.passed & near;
    side.blocked = own & shift_backward<C>(enemy) & ~enemy_attacks;
    side.undefendable = own & ~fill_forward<C>(beside(own));
    side.holes = ~fill_forward<C>(side.attacks);
    side.candidates = find_candidates<C>(own, enemy, side);
    return side;
}

// The file rule by a file's pawn count, 0 to 8, with a friendly pawn on a neighbouring file or
// without (alone): doubled, tripled and lone pawns; four or more cost nothing.
constexpr int FILE_PENALTY[2][9] = {{0, 0, 6, 30, 0, 0, 0, 0, 0}, {0, 2, 31, 80, 0, 0, 0, 0, 0}};

// The file rule for one colour, a table read per file rather than branches on the count.
int file_penalty(Bitboard own) {
    int penalty = 0;
    for (int file = 0; file < 8; ++file) {
        const int count = popcount(own & file_mask(file));
        const bool alone = !(own & beside(file_mask(file)));
        penalty += FILE_PENALTY[alone][count];
    }
    return penalty;
}

// The two chain formations of one colour against a neighbouring enemy pair.
template <Color C>
int formations(Bitboard own, Bitboard enemy) {
    const Bitboard toward_a =
        own & shift_by<1, 0>(own) & shift_by<2, 0>(enemy) & shift_relative<C, 1, -1>(enemy);
    const Bitboard toward_h =
        own & shift_by<-1, 0>(own) & shift_by<-2, 0>(enemy) & shift_relative<C, -1, -1>(enemy);
    int score = 0;
    if (toward_a) score += 3;
    if (toward_a & shift_relative<C, -1, 1>(own)) score += 3;
    if (toward_h) score += 3;
    if (toward_h & shift_relative<C, 1, 1>(own)) score += 3;
    return score;
}

// Levers, seen from the white pawns only.
int levers(Bitboard white, Bitboard black) {
    const Bitboard toward_a = white & shift_by<1, -1>(black);
    const Bitboard toward_h = white & shift_by<-1, -1>(black);
    return 3 * (popcount(toward_a & FILES_F_TO_H) - popcount(toward_a & FILES_B_TO_D) -
                popcount(toward_h & FILES_E_TO_G) + popcount(toward_h & FILES_A_TO_C));
}

// The base-score features of one colour, positive when they favour that colour.
template <Color C>
int base_side(Bitboard own, Bitboard enemy, const PawnSide& side) {
    const Bitboard enemy_files = fill_files(enemy);
    int score = popcount(side.attacks);
    score += popcount(own & shift_east(own));
    score -= file_penalty(own);
    score -= 3 * popcount(side.undefendable);
    score -= 3 * popcount(side.undefendable & ~enemy_files);
    const Bitboard isolated = own & ~fill_files(beside(own));
    score -= 6 * popcount(isolated & ~enemy_files);
    for (Bitboard walk = side.candidates; walk; walk &= walk - 1)
        score += 4 + CANDIDATE_RANK_BONUS[relative_rank_of<C>(lowest_square(walk))];
    score -= 2 * popcount(side.blocked & ~side.attacks);
    return score;
}

int file_span_of(Bitboard pawns) {
    if (!pawns) return 0;
    Bitboard files = pawns | (pawns >> 32);
    files |= files >> 16;
    files |= files >> 8;
    files &= 0xFF;
    return (63 - std::countl_zero(files)) - std::countr_zero(files) + 1;
}

}  // namespace

void analyse_pawns(const Position& position, PawnRecord& record) {
    const Bitboard white = position.white_pawns;
    const Bitboard black = position.black_pawns;
    const Bitboard pawns = white | black;
    const PawnSide w = analyse_side<WHITE>(white, black);
    const PawnSide b = analyse_side<BLACK>(black, white);

    record.centre = centre_side<WHITE>(white, black) - centre_side<BLACK>(black, white);
    record.base = base_side<WHITE>(white, black, w) - base_side<BLACK>(black, white, b) +
                  formations<WHITE>(white, black) - formations<BLACK>(black, white) +
                  levers(white, black);

    record.file_span = file_span_of(pawns);
    std::int32_t flags = 0;
    if (pawns && !(pawns & FILES_A_TO_D)) flags |= PAWNS_ONLY_EAST;
    if (pawns && !(pawns & FILES_E_TO_H)) flags |= PAWNS_ONLY_WEST;
    // Eight passed pawns of one colour are possible; the 3-bit fields saturate at 7.
    flags |= std::min(popcount(w.passed), 7) << WHITE_PASSED_COUNT_SHIFT;
    flags |= std::min(popcount(b.passed), 7) << BLACK_PASSED_COUNT_SHIFT;
    const Bitboard blocked = w.blocked | b.blocked;
    int centre_kind = 0;
    if (pawns & FILES_D_E) {
        const int blocked_centre = popcount(blocked & FILES_D_E);
        centre_kind = blocked_centre == 0 ? 1 : blocked_centre <= 3 ? 2 : 3;
    }
    flags |= centre_kind << CENTRE_TYPE_SHIFT;
    record.structure_flags = flags;

    record.blocked = blocked;
    record.candidates = w.candidates | b.candidates;
    record.undefendable = w.undefendable | b.undefendable;
    record.passed = w.passed | b.passed;
    record.connected_passed = w.connected | b.connected;
    const Bitboard white_files = fill_files(white);
    const Bitboard black_files = fill_files(black);
    record.half_open_white = black_files & ~white_files;
    record.half_open_black = white_files & ~black_files;
    record.open_files = ~(white_files | black_files);
    record.blocked_files = fill_files(blocked);
    record.white_pawn_holes = w.holes;
    record.black_pawn_holes = b.holes;
}
