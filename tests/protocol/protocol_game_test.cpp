// The games the protocol loops keep: positions and move tokens, the keys handed to the
// search, take-backs and results.
#include <gtest/gtest.h>

#include "board/zobrist.h"
#include "protocol/play_move.h"
#include "protocol/protocol_checks.h"
#include "protocol/uci_position.h"
#include "protocol/xboard_game.h"
#include "protocol/xboard_reply.h"
#include "search/game_keys.h"

TEST(UciPosition, TokensKeysAndRefusals) {
    UciGame game;
    Position e4_e5 = start_position;
    ASSERT_TRUE(play_move_text(e4_e5, "e2e4", MatchRule::FIRST));
    ASSERT_TRUE(play_move_text(e4_e5, "e7e5", MatchRule::FIRST));
    const Position pinned = from_fen("4k3/4r3/8/8/8/8/4B3/3K4 b - - 0 1");
    struct Case {
        const char* line;
        bool accepted;
        int moves_played;  // and so the keys handed on: one more
        Position after;
    } cases[] = {
        {"position startpos moves e2e4 e7e5", true, 2, e4_e5},
        {"position startpos moves e2e5 e7e5", true, 0, start_position},
        // The pinned bishop's e2d3 is skipped, then e7e1 is black's token on white's turn.
        {"position fen 4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1 moves e2d3 e7e1 e1d1", true, 1, pinned},
        // Refused lines keep the game: the side not to move may not be in check.
        {"position fen 8/8/8/8/8/8/8/8 w - - 0 1", false, 1, pinned},
        {"position fen", false, 1, pinned},
        {"position", false, 1, pinned},
        {"position fen 4k3/8/8/8/8/8/4r3/4K3 b - - 0 1", false, 1, pinned},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(apply_position(game, c.line), c.accepted) << c.line;
        EXPECT_EQ(game.moves_played, c.moves_played) << c.line;
        EXPECT_EQ(key_count, c.moves_played + 1) << c.line;
        EXPECT_EQ(game.position, c.after) << c.line;
        EXPECT_EQ(key_history[key_count - 1], compute_hash_key(game.position)) << c.line;
    }
    // Long games keep the newest keys.
    std::string line = "position startpos moves";
    for (int i = 0; i < 300; ++i) line += " g1f3 g8f6 f3g1 f6g8";
    ASSERT_TRUE(apply_position(game, line));
    EXPECT_EQ(game.moves_played, 1200);
    EXPECT_EQ(key_count, KEY_HISTORY_SIZE);
    EXPECT_EQ(key_history[key_count - 1], compute_hash_key(start_position));
}

TEST(XboardGame, TakeBacksAndSetboard) {
    XboardGame game;
    game_new(game);
    game_take_back(game, 1);
    EXPECT_EQ(game.ply, 0);
    for (const char* move : {"e2e4", "e7e5"}) {
        ASSERT_TRUE(play_move_text(game.position, move, MatchRule::LAST));
        game_advance(game);
    }
    game_take_back(game, 1);
    EXPECT_EQ(key_count, 2);
    EXPECT_TRUE(game.position.flags & BLACK_TO_MOVE);
    game_take_back(game, 2);  // only one ply left: nothing is taken back
    EXPECT_EQ(game.ply, 1);
    game_take_back(game, 1);
    EXPECT_EQ(game.position, start_position);
    EXPECT_EQ(key_count, 1);

    const char* fen = "4k3/8/8/8/8/8/4P3/4K3 b - - 0 1";
    ASSERT_TRUE(play_move_text(game.position, "e2e4", MatchRule::LAST));
    game_advance(game);
    ASSERT_TRUE(game_setboard(game, fen));
    EXPECT_EQ(game.ply, 0);
    EXPECT_EQ(key_history[0], compute_hash_key(from_fen(fen)));
    game_take_back(game, 1);
    EXPECT_FALSE(game_setboard(game, "garbage"));
    EXPECT_FALSE(game_setboard(game, "4k3/8/8/8/8/8/8/4K2P w - - 0 1"));
    EXPECT_EQ(game.position, from_fen(fen));
    EXPECT_EQ(key_count, 1);
}

TEST(XboardGame, ResultsWhenNoMoveIsLeft) {
    EXPECT_EQ(game_result(start_position), "");
    EXPECT_EQ(
        game_result(from_fen("rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 0 3")),
        "0-1 {Black mates}");
    EXPECT_EQ(game_result(from_fen("R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1")), "1-0 {White mates}");
    EXPECT_EQ(game_result(from_fen("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1")), "1/2-1/2 {Stalemate}");
}
