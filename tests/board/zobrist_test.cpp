// Key properties: side key, empty board, castling and en passant left out, pawns only.
#include "board/zobrist.h"

#include <gtest/gtest.h>

#include "board/fen.h"

namespace {

TEST(Zobrist, KeysCoverPiecesAndSideOnly) {
    Position p = start_position;
    const std::uint64_t key = compute_hash_key(p);
    p.flags = 0;
    p.ep_square = bit(20);
    EXPECT_EQ(compute_hash_key(p), key);
    p.flags ^= BLACK_TO_MOVE;
    EXPECT_EQ(compute_hash_key(p) ^ key, SIDE_KEY);
    EXPECT_EQ(compute_hash_key(Position{}), 0u);
    // The pawn key sees the pawns alone.
    Position pawns{}, more{};
    read_fen("4k3/p7/8/8/8/8/7P/4K3 w -", pawns);
    read_fen("r3k3/p7/8/8/8/8/7P/4K2R b -", more);
    EXPECT_EQ(compute_pawn_hash_key(pawns), compute_pawn_hash_key(more));
    EXPECT_NE(compute_pawn_hash_key(pawns), compute_pawn_hash_key(start_position));
}

}  // namespace
