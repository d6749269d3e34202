// think from a freshly started engine's state: mates, single replies, the easy move,
// positions without a move, resigning, and the opening book. (Repetitions through the game
// keys and exact fixed-depth outcomes: pinned_search_test.)
#include "search/think.h"

#include <gtest/gtest.h>

#include "board/zobrist.h"
#include "book/book.h"
#include "shell/protocol_output.h"
#include "support/positions.h"
#include "support/search_run.h"

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(Think, FindsMatesWithTheMatingFirstMove) {
    const std::pair<const char*, int> cases[] = {
        {"6k1/5ppp/8/8/8/8/5PPP/R5K1 w", 1},
        {"k7/8/8/1K6/8/8/8/1Q6 w", 2},
        {"3R4/3K4/k7/8/8/8/8/8 w", 3},
    };
    for (const auto& [fen, moves] : cases) {
        ASSERT_EQ(run_think(position_from_fen(fen), 0, 2 * moves + 1).returned, 1) << fen;
        // Stored table values are not adjusted by ply: only mate in 1 has an exact score.
        EXPECT_GT(last_search.score, 31900) << fen;
        if (moves == 1) {
            EXPECT_EQ(last_search.score, 31999);
        }
        EXPECT_TRUE(forces_mate(position_from_fen(fen), moves, last_search.best_move))
            << fen << " " << last_search.best_text;
        EXPECT_LE(last_search.depth, 2 * moves) << fen;  // a mate ends the search at once
    }
}

TEST(Think, SingleLegalMoveAndEasyMove) {
    // A single legal move ends after one iteration, however much time there is.
    run_think(position_from_fen("k7/8/8/8/8/8/8/KR6 b"), 60000, 0);
    EXPECT_EQ(last_search.depth, 1);
    EXPECT_STREQ(last_search.best_text, "a8a7");
    // The easy move stops at 6 plies only for a clear recapture (pinned_search_test's easy
    // move row), and only when asked.
    EngineSettings easy{};
    easy.easymove = 1;
    run_think(position_from_fen("rnb1kbnr/pppp1ppp/8/8/3q4/8/PPP2PPP/RNBQKBNR w KQkq"), 0, 7);
    EXPECT_EQ(last_search.depth, 7);
    run_think(start_position, 0, 7, easy);
    EXPECT_EQ(last_search.depth, 7);
}

TEST(Think, NoLegalMoveAndResigning) {
    const Position mated = position_from_fen("k7/1Q6/1K6/8/8/8/8/8 b");
    SearchRun run = run_think(mated, 0, 0);
    EXPECT_EQ(run.returned, 0);
    EXPECT_EQ(run.output, "\ncheckmate");
    EXPECT_EQ(last_search.has_move, 0);
    run = run_think(position_from_fen("k7/2Q5/1K6/8/8/8/8/8 b"), 0, 0, EngineSettings{}, UCI_MODE);
    EXPECT_EQ(run.returned, 0);
    EXPECT_EQ(run.output, "");  // the protocol loop gives the reply

    const Position lost = position_from_fen("k7/8/8/8/8/8/8/KQR5 b");
    EngineSettings resign{};
    resign.resign = 1;
    EXPECT_TRUE(contains(run_think(lost, 0, 2, resign).output, "\nI resign!"));
    EXPECT_FALSE(contains(run_think(lost, 0, 2).output, "resign"));
}

// The protocols' book replies are tested through the real binary; here: a book move ends the
// search only when the settings ask for the book.
TEST(Think, BookMoveEndsTheSearchWhenTheSettingsAskForIt) {
    Position after_e4 = start_position;
    ASSERT_TRUE(play_moves(after_e4, {"e2e4"}));
    book_entries[book_count++] = {compute_hash_key(after_e4), 95, 3, 4};
    EngineSettings with_book{};
    with_book.book = 1;
    SearchRun run = run_think(start_position, 0, 3, with_book);
    EXPECT_EQ(last_search.from_book, 1);
    EXPECT_EQ(run.after, after_e4);
    EXPECT_FALSE(contains(run.output, "\nd  1/")) << run.output;
    EXPECT_EQ(search_flags.ponder_move, 0u);
    // Book off, or no book move: a search.
    run = run_think(start_position, 0, 1, EngineSettings{}, UCI_MODE);
    EXPECT_FALSE(contains(run.output, "book")) << run.output;
    EXPECT_TRUE(contains(run.output, "info depth 1 ")) << run.output;
    run = run_think(after_e4, 0, 1, with_book, UCI_MODE);
    EXPECT_EQ(last_search.from_book, 0);
    EXPECT_TRUE(contains(run.output, "info depth 1 ")) << run.output;
    book_count = 0;  // later tests expect no book
}

}  // namespace
