// The magic lookups against a slow ray walk, and the small tables.
#include <gtest/gtest.h>

#include "board/bitboard.h"

namespace {

// Every subset of the mask, by the carry-rippler walk.
template <typename Check>
void for_each_subset(Bitboard mask, Check check) {
    Bitboard subset = 0;
    do {
        check(subset);
        subset = (subset - mask) & mask;
    } while (subset);
}

TEST(AttackTables, MagicLookupsEqualRayWalksForEveryOccupancy) {
    for (int s = 0; s < 64; ++s) {
        for_each_subset(rook_mask[s], [&](Bitboard occ) {
            ASSERT_EQ(rook_attacks(s, occ), slow_slider_attacks(s, occ, true)) << "rook " << s;
        });
        for_each_subset(bishop_mask[s], [&](Bitboard occ) {
            ASSERT_EQ(bishop_attacks(s, occ), slow_slider_attacks(s, occ, false)) << "bishop " << s;
        });
    }
}

TEST(AttackTables, MasksAndIndexWidths) {
    EXPECT_EQ(popcount(rook_mask[0]), 12);
    EXPECT_EQ(popcount(bishop_mask[27]), 9);
    // The four narrowed rank-8 rook squares still have wide masks.
    EXPECT_EQ(popcount(rook_mask[56]), 12);
    EXPECT_EQ(64 - rook_shift[56], 11);
    EXPECT_EQ(popcount(rook_mask[57]), 11);
    EXPECT_EQ(64 - rook_shift[57], 10);
    EXPECT_EQ(64 - rook_shift[63], 11);
    for (int s = 0; s < 64; ++s) EXPECT_EQ(64 - bishop_shift[s], popcount(bishop_mask[s]));
}

TEST(AttackTables, BlockersAreIncludedWhoeverHoldsThem) {
    // Rook a1 with a piece on a4: a2, a3, a4 and the whole first rank.
    Bitboard attacks = rook_attacks(0, bit(24));
    EXPECT_TRUE(attacks & bit(24));
    EXPECT_FALSE(attacks & bit(32));
    EXPECT_EQ(attacks, (RANK_1 & ~bit(0)) | bit(8) | bit(16) | bit(24));
}

TEST(AttackTables, StepTablesDirectionsAndTheSpareEntry) {
    EXPECT_EQ(lowest_square(0), 64);
    EXPECT_EQ(knight_attacks[0], bit(17) | bit(10));
    EXPECT_EQ(king_attacks[63], bit(62) | bit(54) | bit(55));
    EXPECT_EQ(knight_attacks[64], knight_attacks[0]);
    EXPECT_EQ(rook_rays[64], rook_rays[0]);
    EXPECT_EQ(direction_table[0][0], 0);
    EXPECT_EQ(direction_table[0][63], 2);
    EXPECT_EQ(direction_table[63][0], 6);
    EXPECT_EQ(direction_table[0][17], 0);
    EXPECT_EQ(direction_table[27][35], 1);
    EXPECT_EQ(direction_table[27][28], 3);
    EXPECT_EQ(direction_table[27][20], 4);
    EXPECT_EQ(direction_table[27][26], 7);
    EXPECT_EQ(direction_table[27][34], 8);
    EXPECT_EQ(popcount(bishop_rays[27]), 13);
    EXPECT_EQ(popcount(rook_rays[27]), 14);
}

}  // namespace
