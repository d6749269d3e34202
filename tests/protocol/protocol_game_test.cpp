// The keys the protocol loops hand to the search (the pipe tests see only the moves), and the
// result of a game with no move left.
#include <gtest/gtest.h>

#include "board/zobrist.h"
#include "protocol/play_move.h"
#include "protocol/protocol_checks.h"
#include "protocol/uci_position.h"
#include "protocol/xboard_game.h"
#include "protocol/xboard_reply.h"
#include "search/game_keys.h"

TEST(ProtocolGame, KeysFollowTheGame) {
    UciGame game;
    ASSERT_TRUE(apply_position(game, "position startpos moves e2e4 e7e5"));
    EXPECT_EQ(key_count, 3);
    EXPECT_EQ(key_history[0], compute_hash_key(start_position));
    EXPECT_EQ(key_history[2], compute_hash_key(game.position));
    // A refused line keeps them; a long game keeps the newest.
    EXPECT_FALSE(apply_position(game, "position fen 4k3/8/8/8/8/8/4r3/4K3 b - - 0 1"));
    EXPECT_EQ(key_count, 3);
    std::string line = "position startpos moves";
    for (int i = 0; i < 300; ++i) line += " g1f3 g8f6 f3g1 f6g8";
    ASSERT_TRUE(apply_position(game, line));
    EXPECT_EQ(game.moves_played, 1200);
    EXPECT_EQ(key_count, KEY_HISTORY_SIZE);
    EXPECT_EQ(key_history[key_count - 1], compute_hash_key(start_position));

    XboardGame record;
    game_new(record);
    ASSERT_TRUE(play_move_text(record.position, "e2e4", MatchRule::LAST));
    game_advance(record);
    EXPECT_EQ(key_count, 2);
    game_take_back(record, 2);  // only one ply to take back: nothing is
    EXPECT_EQ(key_count, 2);
    game_take_back(record, 1);
    EXPECT_EQ(key_count, 1);
    ASSERT_TRUE(game_setboard(record, "4k3/8/8/8/8/8/4P3/4K3 b - - 0 1"));
    EXPECT_EQ(key_history[0], compute_hash_key(record.position));
}

TEST(ProtocolGame, ResultsWhenNoMoveIsLeft) {
    EXPECT_EQ(game_result(start_position), "");
    EXPECT_EQ(
        game_result(from_fen("rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 0 3")),
        "0-1 {Black mates}");
    EXPECT_EQ(game_result(from_fen("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1")), "1/2-1/2 {Stalemate}");
}
