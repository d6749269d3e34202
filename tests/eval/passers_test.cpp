#include <gtest/gtest.h>

#include "eval/terms.h"
#include "support/term_inputs.h"

namespace {

int passers(const char* fen) {
    TermInputs in = term_inputs(fen);
    return passers_term(in.position, in.context, in.record, in.attacks);
}

TEST(Passers, PawnOnTheSeventhWinsTheRaceAndTheFreePath) {
    EXPECT_EQ(passers("8/4P3/8/8/8/8/8/k6K w - - 0 1"), 140);
    // A black pawn on its second rank: 6 by rank, free path to e5 (18 - 6) / 2.
    EXPECT_EQ(passers("8/4p3/8/8/8/8/8/k6K w - - 0 1"), -12);
}

TEST(Passers, PromotionSquareAttackedByARookHalvesTheShortfallAndScales) {
    // (90 - 140) / 2 = -25 from the free path, then 115 x 118 / 128.
    EXPECT_EQ(passers("7r/4P3/8/8/8/8/8/k6K w - - 0 1"), 106);
}

TEST(Passers, RookBehindThePawn) {
    // e5: defended by the rook (36 / 3 = 12), race 60, rook behind +10, free path to e7 +15.
    EXPECT_EQ(passers("8/8/8/4P3/8/8/8/k3R2K w - - 0 1"), 97);
    // A black rook behind: no defence, race 60, -10, no free path; scaled by 118.
    EXPECT_EQ(passers("8/8/8/4P3/8/7K/8/k3r3 w - - 0 1"), 46);
}

TEST(Passers, NegativeValueCountsAsNothing) {
    // b2 blockaded by a knight on b3 with the defending king in front: the pawn's value is
    // below zero and contributes 0, not a negative amount.
    EXPECT_EQ(passers("8/8/8/8/2k5/1n6/1P6/7K w - - 0 1"), 0);
}

TEST(Passers, AdvancedConnectedPairAgainstALoneMinorPiece) {
    // 280 x 123 / 128 = 269, +10 connected, +900 for the pair on the seventh.
    EXPECT_EQ(passers("8/3PP3/8/8/8/7k/8/K6n w - - 0 1"), 1179);
    // A third connected passer on f6 (115) defends e7 (90 / 2 + 140): 440 x 123 / 128 = 422,
    // +15, +1000.
    EXPECT_EQ(passers("8/3PP3/5P2/8/8/7k/8/K6n w - - 0 1"), 1437);
    // The king in front of the pair: no pair bonus at all.
    EXPECT_EQ(passers("3k4/3PP3/8/8/8/8/8/K6n w - - 0 1"), 144);
}

TEST(Passers, AdvancedPairAgainstBishopsCoveringItsPath) {
    // Two bishops: no near-decisive bonus; d8 occupied and e8 attacked leave no pair bonus.
    EXPECT_EQ(passers("3b4/3PP3/8/7b/8/8/7k/K7 w - - 0 1"), 185 + 10);
    // With e8 free the pair is worth its rank value, 195.
    EXPECT_EQ(passers("3b4/3PP3/7b/8/8/8/7k/K7 w - - 0 1"), 206 + 10 + 195);
}

}  // namespace
