#include "eval/eval_tables.h"

std::array<Bitboard, 64> white_passer_mask;
std::array<Bitboard, 64> black_passer_mask;
std::array<Bitboard, 64> white_promotion_cone;
std::array<Bitboard, 64> black_promotion_cone;
std::array<Bitboard, 64> shelter_row;
std::array<Bitboard, 64> shelter_files;
std::array<std::array<Bitboard, 64>, 64> between;
std::array<std::array<Bitboard, 64>, 64> line_exclusion;

namespace {

constexpr Bitboard ALL_SQUARES = ~0ULL;

// The square one king step from `square` in direction (df, dr), or NO_SQUARE off the board.
constexpr int step(int square, int df, int dr) {
    int file = file_of(square) + df;
    int rank = rank_of(square) + dr;
    if (file < 0 || file > 7 || rank < 0 || rank > 7) return NO_SQUARE;
    return rank * 8 + file;
}

// Grows {square} toward the far rank (forward, both diagonals forward and sideways) until
// the set reaches that rank.
Bitboard promotion_cone_of(int square, int forward) {
    const int last_rank = forward > 0 ? 7 : 0;
    const Bitboard last = rank_mask(last_rank);
    Bitboard cone = bit(square);
    while (!(cone & last)) {
        Bitboard grown = cone;
        for (Bitboard walk = cone; walk; walk &= walk - 1) {
            int s = lowest_square(walk);
            const int moves[5][2] = {{0, forward}, {1, forward}, {-1, forward}, {1, 0}, {-1, 0}};
            for (const auto& m : moves) {
                int t = step(s, m[0], m[1]);
                if (t != NO_SQUARE) grown |= bit(t);
            }
        }
        cone = grown;
    }
    return cone;
}

void init_square_masks() {
    for (int s = 0; s < 64; ++s) {
        const int file = file_of(s);
        const int rank = rank_of(s);
        Bitboard files = file_mask(file);
        if (file > 0) files |= file_mask(file - 1);
        if (file < 7) files |= file_mask(file + 1);
        Bitboard at_or_above = 0, at_or_below = 0;
        for (int r = 0; r < 8; ++r) {
            if (r >= rank) at_or_above |= rank_mask(r);
            if (r <= rank) at_or_below |= rank_mask(r);
        }
        white_passer_mask[s] = rank == 7 ? 0 : files & at_or_above;
        black_passer_mask[s] = rank == 0 ? 0 : files & at_or_below;
        white_promotion_cone[s] = promotion_cone_of(s, 1);
        black_promotion_cone[s] = promotion_cone_of(s, -1);

        // Three files around the square, moved inward on the edge files.
        const int centre_file = file == 0 ? 1 : file == 7 ? 6 : file;
        shelter_files[s] =
            file_mask(centre_file - 1) | file_mask(centre_file) | file_mask(centre_file + 1);
        shelter_row[s] = shelter_files[s] & rank_mask(rank);
    }
}

void init_square_pairs() {
    constexpr int directions[8][2] = {{0, 1},  {1, 1},   {1, 0},  {1, -1},
                                      {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}};
    for (int a = 0; a < 64; ++a) {
        for (int b = 0; b < 64; ++b) {
            between[a][b] = 0;
            line_exclusion[a][b] = ALL_SQUARES;
        }
        for (const auto& d : directions) {
            const int behind_a = step(a, -d[0], -d[1]);
            Bitboard passed = 0;
            for (int b = step(a, d[0], d[1]); b != NO_SQUARE; b = step(b, d[0], d[1])) {
                between[a][b] = passed;
                Bitboard excluded = ALL_SQUARES;
                if (behind_a != NO_SQUARE) excluded &= ~bit(behind_a);
                const int beyond_b = step(b, d[0], d[1]);
                if (beyond_b != NO_SQUARE) excluded &= ~bit(beyond_b);
                line_exclusion[a][b] = excluded;
                passed |= bit(b);
            }
        }
    }
}

}  // namespace

void init_eval_tables() {
    init_square_masks();
    init_square_pairs();
}
