// The pawn ending: a single pawn by the rule of the square, the rook-pawn draw and the key
// squares; otherwise unstoppable passers, pawn counts and, in locked positions, a short
// king race to the enemy's undefended pawns.
#include "eval/eval_tables.h"
#include "eval/side_access.h"
#include "eval/terms.h"

namespace {

constexpr Bitboard files_around(int file) {
    Bitboard files = file_mask(file);
    if (file > 0) files |= file_mask(file - 1);
    if (file < 7) files |= file_mask(file + 1);
    return files;
}

// A lone pawn of C, from C's point of view; `settled` is cleared when no rule decides and
// the general value applies.
template <Color C>
int single_pawn(const Position& p, const EvalContext& c, int pawn, bool& settled) {
    constexpr Color THEM = opposite(C);
    settled = true;
    const bool our_move = side_to_move(p) == C;
    const int king = king_square_of<C>(c), defender = king_square_of<THEM>(c);
    const Bitboard our_zone = king_attacks[king], their_zone = king_attacks[defender];
    const Bitboard pawn_bit = bit(pawn), defender_bit = bit(defender);
    const int rank = relative_rank_of<C>(pawn), file = file_of(pawn);
    if (rank == 7) {  // only a malformed board has a pawn here
        settled = false;
        return 0;
    }
    const int front = square_in_front<C>(pawn);

    if (!our_move && (their_zone & pawn_bit) && !(our_zone & pawn_bit)) return 0;

    if (rank == 6 && defender == front) {
        if (bit(king) & shift_forward<THEM>(pawn_bit)) return our_move ? 800 : 0;
        if (bit(king) & pawn_attacks<THEM>(pawn_bit)) return our_move ? 0 : 800;
    }

    const Bitboard escapes =
        our_move ? defender_bit : their_zone & ~pawn_attacks<C>(pawn_bit) & ~our_zone;
    if (!(escapes & promotion_cone<C>(pawn))) return 800;

    const Bitboard ahead = fill_forward<C>(shift_forward<C>(rank_mask(rank_of(pawn))));
    if (file == 0 || file == 7) {
        const bool a_file = file == 0;
        const Bitboard corner_files =
            a_file ? file_mask(0) | file_mask(1) : file_mask(6) | file_mask(7);
        const int near_file = a_file ? 2 : 5;
        const Bitboard stop = (corner_files & ahead) | bit(relative_square<C>(48 + near_file)) |
                              bit(relative_square<C>(56 + near_file));
        if (defender_bit & stop) return 0;
        // Only white's a-pawn is valued here; every other rook pawn goes on to the key squares.
        if (C == WHITE && a_file) return 50;
    }

    // Key squares: reaching one wins.
    Bitboard key = 0;
    if (rank >= 4) {
        key = rank_mask(rank_of(front)) & files_around(file);
        if (rank == 6) key |= rank_mask(rank_of(pawn)) & files_around(file) & ~pawn_bit;
        if (!(their_zone & pawn_bit)) key |= shift_forward<C>(key);
    } else if (rank >= 1) {
        key = rank_mask(rank_of(square_in_front<C>(front))) & files_around(file);
    }
    if (bit(king) & key) return 700;
    if (our_move && (our_zone & ~their_zone & key)) return 700;

    if (defender == front) return 0;
    if (rank <= 4 && defender == square_in_front<C>(front)) return 0;
    settled = false;
    return 0;
}

// C's unstoppable passed pawns: their number and the highest rank index among them.
template <Color C>
int unstoppable_passers(const Position& p, const EvalContext& c, const PawnRecord& r,
                        int& best_rank) {
    constexpr Color THEM = opposite(C);
    const bool our_move = side_to_move(p) == C;
    const int defender = king_square_of<THEM>(c);
    const Bitboard covered = pawn_attacks<C>(board_of<C, PAWN>(p)) | board_of<THEM, PAWN>(p) |
                             king_attacks[king_square_of<C>(c)];
    const Bitboard escapes = our_move ? bit(defender) : king_attacks[defender] & ~covered;
    int count = 0;
    best_rank = 0;
    for (Bitboard b = r.passed & board_of<C, PAWN>(p); b; b &= b - 1) {
        const int s = lowest_square(b);
        if (escapes & promotion_cone<C>(s)) continue;
        ++count;
        if (relative_rank_of<C>(s) > best_rank) best_rank = relative_rank_of<C>(s);
    }
    return count;
}

// Pawn counts, passers and candidates, from C's point of view.
template <Color C>
int pawn_majority_value(const Position& p, const EvalContext& c, const PawnRecord& r) {
    constexpr Color THEM = opposite(C);
    const Bitboard pawns = board_of<C, PAWN>(p);
    const Bitboard passed = r.passed & pawns;
    const Bitboard pawn_cover = pawn_attacks<C>(pawns);
    int g = 10 * popcount(r.candidates & pawns) + 25 * popcount(passed) +
            25 * count_of<C, PAWN>(c.counts);
    if (passed & pawn_cover) g += 50;
    const Bitboard enemy_pawns = board_of<THEM, PAWN>(p);
    if (count_of<C, PAWN>(c.counts) > count_of<THEM, PAWN>(c.counts) &&
        (passed & (pawn_cover | king_attacks[king_square_of<C>(c)])) &&
        !((r.passed | r.candidates) & enemy_pawns))
        g += 25;
    for (Bitboard b = passed; b; b &= b - 1) g += 5 * relative_rank_of<C>(lowest_square(b));
    return g;
}

// Can any pawn of C step forward to an empty square no enemy pawn attacks?
template <Color C>
bool pawn_can_advance(const Position& p, Bitboard empty) {
    constexpr Color THEM = opposite(C);
    return shift_forward<C>(board_of<C, PAWN>(p)) & empty &
           ~pawn_attacks<THEM>(board_of<THEM, PAWN>(p));
}

struct RaceSide {
    Bitboard region;
    Bitboard forbidden;
    Bitboard targets;
};

template <Color C>
RaceSide race_side(const Position& p, const EvalContext& c) {
    constexpr Color THEM = opposite(C);
    const Bitboard enemy_pawns = board_of<THEM, PAWN>(p);
    const Bitboard enemy_cover = pawn_attacks<THEM>(enemy_pawns);
    return {bit(king_square_of<C>(c)),
            king_attacks[king_square_of<THEM>(c)] | enemy_cover | board_of<C, PAWN>(p),
            enemy_pawns & ~enemy_cover};
}

// Grows one side's region by a king step; true when it reaches one of its targets.
bool grow(RaceSide& side, Bitboard other_region) {
    side.region |= king_neighbours(side.region) & ~other_region & ~side.forbidden;
    return side.region & side.targets;
}

// In a locked position: which king first reaches an undefended enemy pawn in three moves.
int king_race(const Position& p, const EvalContext& c) {
    RaceSide white = race_side<WHITE>(p, c), black = race_side<BLACK>(p, c);
    const bool white_first = side_to_move(p) == WHITE;
    for (int step = 0; step < 3; ++step) {
        if (white_first) {
            if (grow(white, black.region)) return 100;
            if (grow(black, white.region)) return -100;
        } else {
            if (grow(black, white.region)) return -100;
            if (grow(white, black.region)) return 100;
        }
    }
    return 0;
}

int general_pawn_ending(const Position& p, const EvalContext& c, const PawnRecord& r) {
    int white_rank = 0, black_rank = 0;
    const int white_unstoppable = unstoppable_passers<WHITE>(p, c, r, white_rank);
    const int black_unstoppable = unstoppable_passers<BLACK>(p, c, r, black_rank);
    if (white_unstoppable > 0 && black_unstoppable > 0) {
        if (side_to_move(p) == WHITE) {
            if (white_rank > black_rank) return 400;
            if (white_rank < black_rank - 1) return -400;
        } else {
            if (black_rank > white_rank) return -400;
            if (black_rank < white_rank - 1) return 400;
        }
    } else if (white_unstoppable > 0) {
        return 400;
    } else if (black_unstoppable > 0) {
        return -400;
    }

    int g = pawn_majority_value<WHITE>(p, c, r) - pawn_majority_value<BLACK>(p, c, r);
    if (!r.passed && !pawn_can_advance<WHITE>(p, c.empty) && !pawn_can_advance<BLACK>(p, c.empty))
        g += king_race(p, c);
    return g;
}

}  // namespace

int pawn_ending(const Position& position, const EvalContext& context, const PawnRecord& record) {
    if (context.white_king_square >= 64 || context.black_king_square >= 64) return 0;
    if (popcount(position.white_pawns | position.black_pawns) == 1) {
        bool settled = false;
        int value = 0;
        if (position.white_pawns)
            value =
                single_pawn<WHITE>(position, context, lowest_square(position.white_pawns), settled);
        else
            value = -single_pawn<BLACK>(position, context, lowest_square(position.black_pawns),
                                        settled);
        if (settled) return value;
    }
    return general_pawn_ending(position, context, record);
}
