// make_move: incremental state and the check flag against fresh computation (and key_after's
// foreseen key), and the per-ply records.
#include "board/make_move.h"

#include <gtest/gtest.h>

#include <cstring>

#include "board/key_after.h"
#include "board/zobrist.h"
#include "support/positions.h"

namespace {

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
                const std::vector<Move> legal = legal_moves(p);
                if (legal.empty()) break;
                seed = seed * 1103515245u + 12345u;
                const Move move = legal[(seed >> 8) % legal.size()];
                const std::uint64_t foreseen = key_after(p, move);
                ASSERT_EQ(make_move(p, move), 1);
                ASSERT_EQ(hash_key, compute_hash_key(p));
                ASSERT_EQ(hash_key, foreseen);
                ASSERT_EQ(ply_entries.in_check[1] != 0, side_to_move_in_check(p));
                ASSERT_EQ(pawn_hash_key, compute_pawn_hash_key(p));
                Bitboard white = 0, black = 0;
                for (int i = 0; i < 6; ++i) black |= board_at(p, i), white |= board_at(p, i + 6);
                ASSERT_EQ(p.white_pieces, white);
                ASSERT_EQ(p.black_pieces, black);
                const PieceCounts fresh = count_pieces(p);
                ASSERT_EQ(std::memcmp(&fresh, &piece_counts, sizeof fresh), 0);
            }
        }
    }
}

// Checks given by the castling rook, by a slider behind the pawn taken en passant and by a
// knight promotion each move the pinned node counts when the check flag misses them.
TEST(MakeMove, PerPlyRecordsOfTheLastMove) {
    const struct {
        const char* fen;
        std::vector<std::string> moves;  // the last one is looked at
        int captured, capture_at;
        Bitboard push;
        int gives_check;
    } cases[] = {
        {"4k3/4p3/8/3P4/8/8/8/4K3 b -", {"e7e5", "d5e6"}, 1, 44, 0, 0},  // en passant on e6
        {"1r2k3/P7/8/8/8/8/8/4K3 w -", {"a7b8q"}, 5, 57, 0, 1},
        {"4k3/8/3P4/8/8/8/8/4K3 w -", {"d6d7"}, 0, -1, bit(51), 1},  // a free push to rank 7
        {"3rk3/8/3P4/8/8/8/8/4K3 w -", {"d6d7"}, 0, -1, 0, 1},       // its square is covered
        {"4k3/8/8/8/3P4/8/8/4K3 w -", {"d4d5"}, 0, -1, 0, 0},
    };
    for (const auto& c : cases) {
        Position p = position_from_fen(c.fen);
        ply = 0;
        ASSERT_TRUE(play_moves(p, std::vector<std::string>(c.moves.begin(), c.moves.end() - 1)));
        ASSERT_TRUE(make_move(p, find_move(p, c.moves.back()))) << c.fen;
        EXPECT_EQ(ply_entries.captured_value[0], c.captured) << c.fen;
        EXPECT_EQ(ply_entries.capture_square[0], c.capture_at) << c.fen;
        EXPECT_EQ(ply_entries.pawn_push[0], c.push) << c.fen;
        EXPECT_EQ(ply_entries.in_check[1], c.gives_check) << c.fen;
    }
}

}  // namespace
