#include "eval/eval_tables.h"

#include <gtest/gtest.h>

#include "support/eval_support.h"

namespace {

constexpr Bitboard ALL = ~0ULL;

TEST(EvalTables, BetweenAndLineExclusionExamples) {
    const int a1 = square_named("a1"), h8 = square_named("h8");
    const int d4 = square_named("d4"), e5 = square_named("e5"), b3 = square_named("b3");
    EXPECT_EQ(between[a1][h8], squares("b2 c3 d4 e5 f6 g7"));
    EXPECT_EQ(between[d4][e5], 0u);
    EXPECT_EQ(line_exclusion[d4][e5], ALL & ~squares("c3 f6"));
    EXPECT_EQ(line_exclusion[a1][h8], ALL);
    EXPECT_EQ(between[a1][b3], 0u);
    EXPECT_EQ(line_exclusion[a1][b3], ALL);
    EXPECT_EQ(between[a1][a1], 0u);
    EXPECT_EQ(line_exclusion[a1][a1], ALL);
    // Along a rank and a file, with the end squares at the board edge.
    EXPECT_EQ(between[square_named("a1")][square_named("h1")], squares("b1 c1 d1 e1 f1 g1"));
    EXPECT_EQ(line_exclusion[square_named("e2")][square_named("e7")], ALL & ~squares("e1 e8"));
}

TEST(EvalTables, SquarePairTablesAreSymmetric) {
    for (int a = 0; a < 64; ++a)
        for (int b = 0; b < 64; ++b) {
            ASSERT_EQ(between[a][b], between[b][a]) << a << " " << b;
            ASSERT_EQ(line_exclusion[a][b], line_exclusion[b][a]) << a << " " << b;
        }
}

TEST(EvalTables, PasserMasks) {
    for (int file = 0; file < 8; ++file) {
        EXPECT_EQ(white_passer_mask[56 + file], 0u);
        EXPECT_EQ(black_passer_mask[file], 0u);
    }
    EXPECT_EQ(white_passer_mask[square_named("e5")],
              squares("d5 e5 f5 d6 e6 f6 d7 e7 f7 d8 e8 f8"));
    EXPECT_EQ(black_passer_mask[square_named("a3")], squares("a3 b3 a2 b2 a1 b1"));
}

TEST(EvalTables, ShelterRowsAndFiles) {
    EXPECT_EQ(shelter_row[square_named("a1")], squares("a1 b1 c1"));
    EXPECT_EQ(shelter_row[square_named("b1")], squares("a1 b1 c1"));
    EXPECT_EQ(shelter_row[square_named("h8")], squares("f8 g8 h8"));
    EXPECT_EQ(shelter_row[square_named("e4")], squares("d4 e4 f4"));
    EXPECT_EQ(shelter_files[square_named("g2")], 0xE0E0E0E0E0E0E0E0ULL);
}

TEST(EvalTables, PromotionCones) {
    EXPECT_EQ(white_promotion_cone[square_named("h5")],
              squares("e5 f5 g5 h5 e6 f6 g6 h6 e7 f7 g7 h7 e8 f8 g8 h8"));
    EXPECT_EQ(white_promotion_cone[square_named("d4")], 0xFFFFFFFFFF000000ULL);
    EXPECT_EQ(white_promotion_cone[square_named("a1")], ALL);
    EXPECT_EQ(white_promotion_cone[square_named("c2")], ALL & ~RANK_1);
    EXPECT_EQ(black_promotion_cone[square_named("e2")], squares("d1 e1 f1 d2 e2 f2"));
    EXPECT_EQ(white_promotion_cone[square_named("h8")], squares("h8"));
    EXPECT_EQ(black_promotion_cone[square_named("a1")], squares("a1"));
}

}  // namespace
