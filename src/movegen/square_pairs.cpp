#include "movegen/square_pairs.h"

std::array<std::array<Bitboard, 64>, 64> between;
std::array<std::array<Bitboard, 64>, 64> line_exclusion;

void init_square_pairs() {
    constexpr Bitboard ALL_SQUARES = ~0ULL;
    constexpr int directions[8][2] = {{0, 1},  {1, 1},   {1, 0},  {1, -1},
                                      {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}};
    for (int a = 0; a < 64; ++a) {
        for (int b = 0; b < 64; ++b) {
            between[a][b] = 0;
            line_exclusion[a][b] = ALL_SQUARES;
        }
        for (const auto& d : directions) {
            const int behind_a = square_step(a, -d[0], -d[1]);
            Bitboard passed = 0;
            for (int b = square_step(a, d[0], d[1]); b != NO_SQUARE;
                 b = square_step(b, d[0], d[1])) {
                between[a][b] = passed;
                Bitboard excluded = ALL_SQUARES;
                if (behind_a != NO_SQUARE) excluded &= ~bit(behind_a);
                const int beyond_b = square_step(b, d[0], d[1]);
                if (beyond_b != NO_SQUARE) excluded &= ~bit(beyond_b);
                line_exclusion[a][b] = excluded;
                passed |= bit(b);
            }
        }
    }
}
