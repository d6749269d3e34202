#include <gtest/gtest.h>

#include "eval/terms.h"
#include "support/term_inputs.h"

namespace {

int pawn_ending_value(const char* fen) {
    TermInputs in = term_inputs(fen);
    return pawn_ending(in.position, in.context, in.record);
}

TEST(PawnEnding, PawnOnTheSeventhWithTheKingBehindIt) {
    EXPECT_EQ(pawn_ending_value("4k3/4P3/4K3/8/8/8/8/8 w - - 0 1"), 800);
    EXPECT_EQ(pawn_ending_value("4k3/4P3/4K3/8/8/8/8/8 b - - 0 1"), 0);
    // King diagonally behind: the other way round.
    EXPECT_EQ(pawn_ending_value("4k3/4P3/3K4/8/8/8/8/8 w - - 0 1"), 0);
    EXPECT_EQ(pawn_ending_value("4k3/4P3/3K4/8/8/8/8/8 b - - 0 1"), 800);
    // The same for black.
    EXPECT_EQ(pawn_ending_value("8/8/8/8/8/4k3/4p3/4K3 b - - 0 1"), -800);
    EXPECT_EQ(pawn_ending_value("8/8/8/8/8/4k3/4p3/4K3 w - - 0 1"), 0);
}

TEST(PawnEnding, RookPawnAgainstTheCornerAndOutsideTheSquare) {
    EXPECT_EQ(pawn_ending_value("1k6/8/8/8/P7/8/8/7K w - - 0 1"), 0);
    EXPECT_EQ(pawn_ending_value("8/8/8/8/P7/8/8/k3K3 w - - 0 1"), 800);
    EXPECT_EQ(pawn_ending_value("8/8/8/8/P7/8/8/k3K3 b - - 0 1"), 800);
    // Inside the square but away from the corner files: 50 for white's a-pawn.
    EXPECT_EQ(pawn_ending_value("8/8/4k3/8/P7/8/8/4K3 w - - 0 1"), 50);
    // Black's a-pawn gets no 50: it goes on to the key squares and the general value,
    // -25 (passer) - 25 (pawn) - 5 x 3 (its rank).
    EXPECT_EQ(pawn_ending_value("4k3/8/8/p7/8/4K3/8/8 b - - 0 1"), -65);
    EXPECT_EQ(pawn_ending_value("4k3/8/8/p7/8/8/8/1K6 b - - 0 1"), 0);
}

TEST(PawnEnding, KeySquares) {
    // White king on d6 in front of a pawn on e4: a key square of a pawn on rank 4 is two
    // ranks ahead (d6, e6, f6).
    EXPECT_EQ(pawn_ending_value("4k3/8/3K4/8/4P3/8/8/8 b - - 0 1"), 700);
    // Defending king right in front of the pawn.
    EXPECT_EQ(pawn_ending_value("8/8/8/4k3/8/4P3/8/4K3 w - - 0 1"), 0);
}

TEST(PawnEnding, TwoUnstoppablePassersForOneSideOnly) {
    EXPECT_EQ(pawn_ending_value("8/8/P6P/8/4p3/8/4K3/k7 w - - 0 1"), 400);
    EXPECT_EQ(pawn_ending_value("8/8/P6P/8/4p3/8/4K3/k7 b - - 0 1"), 400);
    EXPECT_EQ(pawn_ending_value("K7/4k3/8/4P3/8/p6p/8/8 b - - 0 1"), -400);
}

TEST(PawnEnding, KingRaceInALockedPosition) {
    // Nothing can move and nothing is passed: the white king reaches e5 in three steps.
    EXPECT_EQ(pawn_ending_value("k7/8/8/4p3/4P3/6K1/8/8 w - - 0 1"), 100);
    EXPECT_EQ(pawn_ending_value("k7/8/8/4p3/4P3/6K1/8/8 b - - 0 1"), 100);
    EXPECT_EQ(pawn_ending_value("k7/8/8/4p3/4P3/8/8/7K w - - 0 1"), 0);
}

TEST(QueenEnding, SinglePawnByRankAndFile) {
    TermInputs in = term_inputs("k6q/8/3P4/8/8/8/8/K2Q4 w - - 0 1");
    EXPECT_EQ(queen_ending(in.position, in.context, in.record), 70);
    in = term_inputs("3k3q/8/3P4/8/8/8/8/K2Q4 w - - 0 1");
    EXPECT_EQ(queen_ending(in.position, in.context, in.record), -50);
    in = term_inputs("k2q4/8/8/8/8/3p4/8/Q6K w - - 0 1");
    EXPECT_EQ(queen_ending(in.position, in.context, in.record), -70);
}

TEST(QueenEnding, MostAdvancedPassersAndQueenPlacement) {
    // c5 (index 4) against h6 (index 2 from black's side): 10 x 2 + 35, + 15 - 0; +10 for
    // the centre queen on d4, +10 for black's queen on the edge.
    TermInputs in = term_inputs("qk6/8/7p/2P5/3Q4/8/8/6K1 w - - 0 1");
    EXPECT_EQ(queen_ending(in.position, in.context, in.record), 90);
}

TEST(RookEnding, PawnWithTheDefendingKingCutOff) {
    TermInputs in = term_inputs("7k/8/1P6/1K6/8/8/8/3R3r w - - 0 1");
    EXPECT_EQ(rook_pawn_ending(in.position, in.context), 360);
    // The driver replaces the whole score by it, plus the side-to-move bonus.
    EXPECT_EQ(white_view_evaluation(in.position), 365);
    // Rook pawn with the defending king in front of it.
    in = term_inputs("k7/8/P7/1K6/8/8/8/3R3r w - - 0 1");
    EXPECT_EQ(rook_pawn_ending(in.position, in.context), 0);
    in = term_inputs("7k/8/P7/1K6/8/8/8/3R3r w - - 0 1");
    EXPECT_EQ(rook_pawn_ending(in.position, in.context), 110);
}

TEST(RookEnding, RookOnTheSeventh) {
    TermInputs in = term_inputs("6k1/R7/8/8/8/8/r7/6K1 w - - 0 1");
    EXPECT_EQ(rook_on_seventh(in.position, in.context), 0);
    in = term_inputs("6k1/R3p3/8/8/8/8/8/r5K1 w - - 0 1");
    EXPECT_EQ(rook_on_seventh(in.position, in.context), 10);
    in = term_inputs("8/R5k1/8/8/8/8/8/r5K1 w - - 0 1");
    EXPECT_EQ(rook_on_seventh(in.position, in.context), 20);
}

}  // namespace
