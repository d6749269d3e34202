// Perft counts from the start position and published positions (no en-passant fields).
#include "movegen/perft.h"

#include <gtest/gtest.h>

#include "support/positions.h"

namespace {

std::int64_t count(const char* fen, int depth) {
    Position p = position_from_fen(fen);
    perft_nodes = 0;
    perft(p, depth);
    return perft_nodes;
}

TEST(Perft, StartPosition) {
    const char* start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq";
    const std::int64_t expected[] = {20, 20, 400, 8902, 197281, 4865609};
    for (int depth = 0; depth <= 5; ++depth) EXPECT_EQ(count(start, depth), expected[depth]);
}

TEST(Perft, CastlingThroughAttackAndPromotions) {
    const char* kiwipete = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -";
    EXPECT_EQ(count(kiwipete, 1), 48);
    EXPECT_EQ(count(kiwipete, 2), 2039);
    EXPECT_EQ(count(kiwipete, 3), 97862);
    EXPECT_EQ(count(kiwipete, 4), 4085603);
    const char* promotions = "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -";
    EXPECT_EQ(count(promotions, 1), 6);
    EXPECT_EQ(count(promotions, 2), 264);
    EXPECT_EQ(count(promotions, 3), 9467);
    EXPECT_EQ(count(promotions, 4), 422333);
}

TEST(Perft, EnPassantWithDiscoveredChecks) {
    const char* fen = "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -";
    const std::int64_t expected[] = {14, 191, 2812, 43238, 674624};
    for (int depth = 1; depth <= 5; ++depth) EXPECT_EQ(count(fen, depth), expected[depth - 1]);
}

TEST(Perft, NoLegalMoves) {
    EXPECT_EQ(count("7k/5QQ1/8/8/8/8/8/K7 b -", 3), 0);  // mated
    EXPECT_EQ(count("7k/5Q2/6K1/8/8/8/8/8 b -", 2), 0);  // stalemate
}

}  // namespace
