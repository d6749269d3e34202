// make_move: incremental state against fresh computation, the per-ply records, attacks.
#include "board/make_move.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "board/fen.h"
#include "board/zobrist.h"
#include "movegen/generate_moves.h"
#include "support/positions.h"

namespace {

void expect_consistent(const Position& p) {
    EXPECT_EQ(hash_key, compute_hash_key(p));
    EXPECT_EQ(pawn_hash_key, compute_pawn_hash_key(p));
    EXPECT_EQ(p.white_pieces, p.white_king | p.white_queens | p.white_rooks | p.white_bishops |
                                  p.white_knights | p.white_pawns);
    EXPECT_EQ(p.black_pieces, p.black_king | p.black_queens | p.black_rooks | p.black_bishops |
                                  p.black_knights | p.black_pawns);
    const PieceCounts fresh = count_pieces(p);
    EXPECT_EQ(std::memcmp(&fresh, &piece_counts, sizeof fresh), 0);
}

TEST(MakeMove, RandomGamesKeepKeysBoardsAndCountersInStep) {
    std::uint32_t seed = 12345;
    const char* starts[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w -",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq",
    };
    ply = 0;
    for (const char* fen : starts) {
        for (int game = 0; game < 40; ++game) {
            Position p = position_from_fen(fen);
            for (int move_number = 0; move_number < 120; ++move_number) {
                MoveList list;
                int count = generate_moves(p, list);
                std::vector<Move> legal;
                for (int i = 0; i < count; ++i) {
                    Position copy = p;
                    PieceCounts counts = piece_counts;
                    auto keys = std::make_pair(hash_key, pawn_hash_key);
                    if (make_move(copy, list[i])) legal.push_back(list[i]);
                    piece_counts = counts;
                    std::tie(hash_key, pawn_hash_key) = keys;
                }
                if (legal.empty()) break;
                seed = seed * 1103515245u + 12345u;
                ASSERT_EQ(make_move(p, legal[(seed >> 8) % legal.size()]), 1);
                expect_consistent(p);
                if (HasFailure()) return;
            }
        }
    }
}

TEST(MakeMove, EnPassantCaptureRecordsTheCapture) {
    Position p = position_from_fen("4k3/4p3/8/3P4/8/8/8/4K3 b -");
    ply = 0;
    ASSERT_TRUE(play_text_move(p, "e7e5"));
    EXPECT_EQ(p.ep_square, bit(44));  // e6
    ASSERT_TRUE(play_text_move(p, "d5e6"));
    EXPECT_EQ(p.black_pawns, 0u);
    EXPECT_EQ(captured_value[0], 1);
    EXPECT_EQ(capture_square[0], 44);
    EXPECT_EQ(pawn_hash_key, compute_pawn_hash_key(p));
    EXPECT_EQ(piece_counts.black_pawn_count, 0);
}

TEST(MakeMove, PromotionWithCaptureAndThePushRecord) {
    Position p = position_from_fen("1r2k3/P7/8/8/8/8/8/4K3 w -");
    ply = 0;
    ASSERT_TRUE(play_text_move(p, "a7b8q"));
    EXPECT_EQ(piece_counts.white_queen_count, 1);
    EXPECT_EQ(piece_counts.white_pawn_count, 0);
    EXPECT_EQ(piece_counts.white_piece_count, 1);
    EXPECT_EQ(piece_counts.black_rook_count, 0);
    EXPECT_EQ(piece_counts.black_piece_count, 0);
    EXPECT_EQ(captured_value[0], 5);
    EXPECT_EQ(in_check[1], 1);  // the new queen gives check along rank 8

    Position q = position_from_fen("4k3/8/3P4/8/8/8/8/4K3 w -");
    ASSERT_TRUE(play_text_move(q, "d6d7"));
    EXPECT_EQ(pawn_push[0], bit(51));
    q = position_from_fen("3rk3/8/3P4/8/8/8/8/4K3 w -");
    ASSERT_TRUE(play_text_move(q, "d6d7"));
    EXPECT_EQ(pawn_push[0], 0u);
    q = position_from_fen("4k3/8/8/8/3P4/8/8/4K3 w -");
    ASSERT_TRUE(play_text_move(q, "d4d5"));
    EXPECT_EQ(pawn_push[0], 0u);
}

TEST(MakeMove, IllegalMovesAndCastlingRights) {
    Position p = position_from_fen("4k3/8/8/8/8/8/4r3/R3K2R w KQ");
    ply = 0;
    EXPECT_FALSE(play_text_move(p, "e1f2"));  // f2 is on the rook's rank
    EXPECT_FALSE(play_text_move(p, "a1a2"));  // leaves the king in check
    ASSERT_TRUE(play_text_move(p, "e1e2"));
    EXPECT_EQ(p.flags & (WS | WL), 0u);
    p = position_from_fen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq");
    ASSERT_TRUE(play_text_move(p, "h1h8"));
    EXPECT_EQ(p.flags, BLACK_TO_MOVE | WL | BS | BL);  // capturing h8 leaves black's right
}

TEST(AttackTest, EmptyTargetAndBlockedLines) {
    Position p = position_from_fen("4k3/8/8/8/8/8/8/R3K3 w -");
    EXPECT_EQ(is_attacked(p, 0, 0), 0);
    EXPECT_EQ(is_attacked(p, bit(56), 0), 1);  // a8 by the rook
    p = position_from_fen("4k3/8/8/8/P7/8/8/R3K3 w -");
    EXPECT_EQ(is_attacked(p, bit(56), 0), 0);  // own pawn in between
    EXPECT_EQ(is_attacked(p, bit(33), 0), 1);  // b5 by the pawn
    EXPECT_EQ(is_attacked(p, bit(3), 1), 0);
}

}  // namespace
