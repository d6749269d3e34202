// The magic lookups against a slow ray walk.
#include <gtest/gtest.h>

#include "board/bitboard.h"

namespace {

TEST(AttackTables, MagicLookupsEqualRayWalksForEveryOccupancy) {
    for (int s = 0; s < 64; ++s) {
        // Every subset of each mask, by the carry-rippler walk.
        Bitboard occ = 0;
        do {
            ASSERT_EQ(rook_attacks(s, occ), slow_slider_attacks(s, occ, true)) << "rook " << s;
            occ = (occ - rook_mask[s]) & rook_mask[s];
        } while (occ);
        do {
            ASSERT_EQ(bishop_attacks(s, occ), slow_slider_attacks(s, occ, false)) << "bishop " << s;
            occ = (occ - bishop_mask[s]) & bishop_mask[s];
        } while (occ);
    }
    // The walk itself: a blocker is included whoever holds it, nothing beyond it.
    EXPECT_EQ(rook_attacks(0, bit(24)), (RANK_1 & ~bit(0)) | bit(8) | bit(16) | bit(24));
}

}  // namespace
