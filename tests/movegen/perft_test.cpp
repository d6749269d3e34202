// Perft counts from the start position and published positions (no en-passant fields):
// castling through attacked squares, en passant with discovered checks, promotions.
#include "movegen/perft.h"

#include <gtest/gtest.h>

#include "support/positions.h"

namespace {

TEST(Perft, PublishedCounts) {
    const std::pair<const char*, std::vector<std::int64_t>> cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq",
         {20, 20, 400, 8902, 197281, 4865609}},
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
         {48, 48, 2039, 97862, 4085603}},
        {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -", {6, 6, 264, 9467, 422333}},
        {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -", {14, 14, 191, 2812, 43238, 674624}},
        {"7k/5QQ1/8/8/8/8/8/K7 b -", {0, 0, 0, 0}},  // mated
        {"7k/5Q2/6K1/8/8/8/8/8 b -", {0, 0, 0}},     // stalemate
    };
    // Depth 0 counts as depth 1.
    for (const auto& [fen, counts] : cases) {
        for (int depth = 0; depth < static_cast<int>(counts.size()); ++depth) {
            Position p = position_from_fen(fen);
            perft_nodes = 0;
            perft(p, depth);
            EXPECT_EQ(perft_nodes, counts[depth]) << fen << " depth " << depth;
        }
    }
}

}  // namespace
