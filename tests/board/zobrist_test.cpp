// Key properties: side key, empty board, castling and en passant left out.
#include "board/zobrist.h"

#include <gtest/gtest.h>

#include "board/fen.h"

namespace {

TEST(Zobrist, KeysCoverPiecesAndSideOnly) {
    Position p = start_position;
    std::uint64_t key = compute_hash_key(p);
    p.flags = 0;
    EXPECT_EQ(compute_hash_key(p), key);
    p.ep_square = bit(20);
    EXPECT_EQ(compute_hash_key(p), key);
    p.flags ^= BLACK_TO_MOVE;
    EXPECT_EQ(compute_hash_key(p) ^ key, SIDE_KEY);
    Position empty{};
    EXPECT_EQ(compute_hash_key(empty), 0u);
    EXPECT_EQ(compute_pawn_hash_key(start_position), compute_pawn_hash_key(start_position) ^ 0);
}

TEST(Zobrist, TableComesFromTheProgramsGenerator) {
    // The first draws of the generator (state 1) are 41, 18467, 6334, 26500.
    EXPECT_EQ(zobrist[0], 41ULL ^ (18467ULL << 16) ^ (6334ULL << 32) ^ (26500ULL << 48));
    for (std::uint64_t z : zobrist) EXPECT_EQ(z & 0x8000800080008000ULL, 0u);
}

TEST(Zobrist, PawnKeyIsTheXorOfPawnEntries) {
    Position p{};
    read_fen("4k3/p7/8/8/8/8/7P/4K3 w -", p);
    EXPECT_EQ(compute_pawn_hash_key(p), zobrist[5 * 64 + 15] ^ zobrist[11 * 64 + 48]);
}

}  // namespace
