// The games the protocol loops keep: positions and move tokens, the keys handed to the
// search, take-backs and the "bk" toggle.
#include <gtest/gtest.h>

#include "board/fen.h"
#include "board/zobrist.h"
#include "protocol/play_move.h"
#include "protocol/uci_position.h"
#include "protocol/xboard_game.h"
#include "protocol/xboard_reply.h"
#include "search/game_keys.h"

namespace {

Position from_fen(const char* fen) {
    Position p;
    read_fen(fen, p);
    return p;
}

}  // namespace

TEST(UciPosition, MovesPlayedAndKeys) {
    UciGame game;
    ASSERT_TRUE(apply_position(game, "position startpos moves e2e4 e7e5"));
    EXPECT_EQ(game.moves_played, 2);
    EXPECT_EQ(key_count, 3);
    EXPECT_EQ(key_history[0], compute_hash_key(start_position));
    EXPECT_EQ(key_history[2], compute_hash_key(game.position));

    ASSERT_TRUE(apply_position(game, "position startpos moves e2e5 e7e5"));
    EXPECT_EQ(game.moves_played, 0);
    EXPECT_EQ(key_count, 1);
    EXPECT_EQ(game.position, start_position);
}

TEST(UciPosition, KingExposingTokensAreSkipped) {
    UciGame game;
    // The bishop on e2 is pinned: e2d3 is skipped, and e7e1 is then black's token on a
    // position with white to move, skipped too; e1d1 is played.
    ASSERT_TRUE(apply_position(
        game, "position fen 4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1 moves e2d3 e7e1 e1d1"));
    EXPECT_EQ(game.moves_played, 1);
    EXPECT_EQ(key_count, 2);
    EXPECT_EQ(game.position, from_fen("4k3/4r3/8/8/8/8/4B3/3K4 b - - 0 1"));
}

TEST(UciPosition, RefusedFenKeepsTheGame) {
    UciGame game;
    ASSERT_TRUE(apply_position(game, "position startpos moves e2e4"));
    Position before = game.position;
    EXPECT_FALSE(apply_position(game, "position fen 8/8/8/8/8/8/8/8 w - - 0 1"));
    EXPECT_FALSE(apply_position(game, "position fen"));
    EXPECT_FALSE(apply_position(game, "position"));
    // Black to move while white is in check: the side not to move may not be in check.
    EXPECT_FALSE(apply_position(game, "position fen 4k3/8/8/8/8/8/4r3/4K3 b - - 0 1"));
    EXPECT_EQ(game.position, before);
    EXPECT_EQ(game.moves_played, 1);
    EXPECT_EQ(key_count, 2);
}

TEST(UciPosition, LongGamesKeepTheNewestKeys) {
    std::string line = "position startpos moves";
    for (int i = 0; i < 300; ++i) line += " g1f3 g8f6 f3g1 f6g8";
    UciGame game;
    ASSERT_TRUE(apply_position(game, line));
    EXPECT_EQ(game.moves_played, 1200);
    EXPECT_EQ(key_count, KEY_HISTORY_SIZE);
    EXPECT_EQ(key_history[key_count - 1], compute_hash_key(start_position));
}

TEST(XboardGame, TakeBacksStopAtTheRecordsStart) {
    XboardGame game;
    game_new(game);
    game_take_back(game, 1);
    EXPECT_EQ(game.ply, 0);
    ASSERT_TRUE(play_move_text(game.position, "e2e4", MatchRule::LAST));
    game_advance(game);
    game_take_back(game, 2);  // only one ply to take back
    EXPECT_EQ(game.ply, 1);
    ASSERT_TRUE(play_move_text(game.position, "e7e5", MatchRule::LAST));
    game_advance(game);
    EXPECT_EQ(key_count, 3);
    game_take_back(game, 1);
    EXPECT_EQ(game.ply, 1);
    EXPECT_EQ(key_count, 2);
    EXPECT_TRUE(game.position.flags & BLACK_TO_MOVE);
    game_take_back(game, 1);
    EXPECT_EQ(game.position, start_position);
    EXPECT_EQ(key_count, 1);
}

TEST(XboardGame, SetboardStartsANewRecord) {
    XboardGame game;
    game_new(game);
    ASSERT_TRUE(play_move_text(game.position, "e2e4", MatchRule::LAST));
    game_advance(game);
    const char* fen = "4k3/8/8/8/8/8/4P3/4K3 b - - 0 1";
    ASSERT_TRUE(game_setboard(game, fen));
    EXPECT_EQ(game.ply, 0);
    EXPECT_EQ(key_count, 1);
    EXPECT_EQ(key_history[0], compute_hash_key(from_fen(fen)));
    game_take_back(game, 1);
    EXPECT_EQ(game.position, from_fen(fen));

    Position before = game.position;
    EXPECT_FALSE(game_setboard(game, "garbage"));
    EXPECT_FALSE(game_setboard(game, "4k3/8/8/8/8/8/8/4K2P w - - 0 1"));
    EXPECT_EQ(game.position, before);
}

TEST(XboardGame, ResultsWhenNoMoveIsLeft) {
    EXPECT_EQ(game_result(start_position), "");
    EXPECT_EQ(
        game_result(from_fen("rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 0 3")),
        "0-1 {Black mates}");
    EXPECT_EQ(game_result(from_fen("R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1")), "1-0 {White mates}");
    EXPECT_EQ(game_result(from_fen("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1")), "1/2-1/2 {Stalemate}");
}

TEST(XboardGame, BookToggle) {
    EngineSettings s{};
    s.book = 1;
    toggle_book(s);
    EXPECT_EQ(s.book, 0);
    toggle_book(s);
    EXPECT_EQ(s.book, 1);
    s.book = 5;
    toggle_book(s);
    EXPECT_EQ(s.book, 0);
}
