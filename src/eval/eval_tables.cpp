#include "eval/eval_tables.h"

#include "movegen/square_pairs.h"

std::array<Bitboard, 64> white_passer_mask;
std::array<Bitboard, 64> black_passer_mask;
std::array<Bitboard, 64> white_promotion_cone;
std::array<Bitboard, 64> black_promotion_cone;
std::array<Bitboard, 64> shelter_row;
std::array<Bitboard, 64> shelter_files;

namespace {

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
                int t = square_step(s, m[0], m[1]);
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

}  // namespace

void init_eval_tables() {
    init_square_masks();
}
