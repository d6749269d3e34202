#include <gtest/gtest.h>

#include "eval/terms.h"
#include "support/term_inputs.h"

namespace {

int pieces(const char* fen) {
    TermInputs in = term_inputs(fen);
    return pieces_term(in.position, in.context, in.record, in.attacks);
}

int piece_pawn(const char* fen) {
    TermInputs in = term_inputs(fen);
    return piece_pawn_term(in.position, in.context, in.record);
}

TEST(Pieces, KnightInTheCorner) {
    EXPECT_EQ(pieces("7k/8/8/8/8/8/8/N6K w - - 0 1"), -12);
    EXPECT_EQ(pieces("n6k/8/8/8/8/8/8/7K w - - 0 1"), 12);
}

TEST(Pieces, TrappedKnightCountsTheKingAsAttacker) {
    // c7 covered by the black king: trapped.
    EXPECT_EQ(pieces("Nk6/p7/8/8/8/8/8/7K w - - 0 1"), -112);
    // c7 covered by nothing: only the corner.
    EXPECT_EQ(pieces("N7/p7/8/8/8/k7/8/7K w - - 0 1"), -12);
    // Black's knight on h1 with a white pawn on h2 and f2 covered by the white king.
    EXPECT_EQ(pieces("7k/8/8/8/8/8/6KP/7n w - - 0 1"), 112);
}

TEST(Pieces, TrappedBishops) {
    EXPECT_EQ(pieces("7k/B7/1p6/8/8/8/8/7K w - - 0 1"), -100);
    EXPECT_EQ(pieces("7k/8/8/8/8/6P1/7b/K7 w - - 0 1"), 100);
}

TEST(Pieces, BishopPairAndItsCancellation) {
    EXPECT_EQ(pieces("7k/8/8/8/8/8/8/2B1KB2 w - - 0 1"), 8);
    EXPECT_EQ(pieces("2b1kb2/8/8/8/8/8/8/2B1KB2 w - - 0 1"), 0);
}

TEST(Pieces, KnightOutpost) {
    // d5 held by c4, no black pawn to chase it: centre +2, protected +2, outpost +10 +10.
    EXPECT_EQ(pieces("7k/8/8/3N4/2P5/8/8/7K w - - 0 1"), 24);
    // A black bishop on the knight's colour takes the second +10 away.
    EXPECT_EQ(pieces("7k/7b/8/3N4/2P5/8/8/7K w - - 0 1"), 14);
    EXPECT_EQ(pieces("7k/6b1/8/3N4/2P5/8/8/7K w - - 0 1"), 24);
}

TEST(Pieces, RookOnTheSeventhOnlyAfterCastling) {
    // 10 + 10 (no pawn on b7-g7) + 10 (king on the eighth), +3 open file.
    EXPECT_EQ(pieces("6k1/R7/8/8/8/8/8/6K1 w - - 0 1"), 33);
    // With castling rights left (ending type 0) only the open file counts; queens keep the
    // type from turning into a light ending.
    EXPECT_EQ(pieces("4k2r/R7/8/8/8/8/8/q3K2Q w k - 0 1"),
              pieces("4k2r/8/R7/8/8/8/8/q3K2Q w k - 0 1"));
}

TEST(Pieces, RookShutInByItsOwnKing) {
    // -40, and +3 for the open h-file.
    EXPECT_EQ(pieces("4k3/8/8/8/8/8/8/5K1R w - - 0 1"), -37);
    EXPECT_EQ(pieces("4k3/8/8/8/8/8/8/R1K5 w - - 0 1"), -37);
    EXPECT_EQ(pieces("5k1r/8/8/8/8/8/8/4K3 w - - 0 1"), 37);
    // A king on e1 shuts nothing in.
    EXPECT_EQ(pieces("4k3/8/8/8/8/8/8/4K2R w - - 0 1"), 3);
}

TEST(Pieces, BadBishopByItsBlockedPawns) {
    // d4 and e3 are blocked by d5 and e4 and stand on dark squares.
    // Dark bishop c1: 2 x (0 - 2) - 2 + 0.
    EXPECT_EQ(pieces("k7/8/8/3p4/3Pp3/4P3/8/2B4K w - - 0 1"), -6);
    // Light bishop d1: 2 x (2 - 0) - 0 + 2.
    EXPECT_EQ(pieces("k7/8/8/3p4/3Pp3/4P3/8/3B3K w - - 0 1"), 6);
}

TEST(Pieces, PinnedPieceCostsItsSide) {
    // Knight c6 pinned to e8 by b5: +4, +4 (no pawn defends it), +4 (a black pawn hole);
    // -2 for black's centre knight.
    EXPECT_EQ(pieces("4k3/8/2n5/1B6/8/8/8/6K1 w - - 0 1"), 10);
}

TEST(PiecePawn, BlockedPawnsAndKnights) {
    // Four blocked pawns on a span of three files: knights +5, the blocked-position rule 0,
    // outposts b5, d5, f5 for white's knight: 3 x (1 + 1) / 2.
    const char* four = "7k/8/8/2p1p3/2P1P3/8/8/N6K w - - 0 1";
    EXPECT_EQ(popcount(term_inputs(four).record.blocked), 4);
    EXPECT_EQ(piece_pawn(four), 5 + 0 + 3);
    // Two blocked pawns on one file: knights +2, 2 x (2 - 4) = -4, outposts d5, f5: +2.
    EXPECT_EQ(piece_pawn("7k/8/8/4p3/4P3/8/8/N6K w - - 0 1"), 2 - 4 + 2);
}

}  // namespace
