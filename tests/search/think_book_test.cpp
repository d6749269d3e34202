// think with the opening book: a book move ends the search in every mode, and the book is
// asked only when the settings say so.
#include <gtest/gtest.h>

#include "board/zobrist.h"
#include "book/book.h"
#include "protocol/play_move.h"
#include "search/think.h"
#include "support/positions.h"
#include "support/search_run.h"

namespace {

constexpr int XBOARD = 1;
constexpr int UCI = 2;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

Position after(const Position& position, const char* move) {
    Position next = position;
    EXPECT_TRUE(play_text_move(next, move)) << move;
    return next;
}

// A book of the start position's replies: e2e4 clearly first, the others below a tenth.
class ThinkBook : public ::testing::Test {
  protected:
    void SetUp() override {
        add(after(start_position, "e2e4"), 95, 3, 4);
        add(after(start_position, "d2d4"), 4, 0, 0);
        add(after(start_position, "c2c4"), 1, 0, 0);
        with_book.book = 1;
    }
    void TearDown() override { book_count = 0; }  // later tests expect no book

    void add(const Position& position, int weight, int stat_a, int stat_b) {
        book_entries[book_count++] = {compute_hash_key(position), weight, stat_a, stat_b};
    }
    EngineSettings with_book{};
};

TEST_F(ThinkBook, ConsolePlaysTheBookMoveWithoutSearching) {
    const SearchRun run = run_think(start_position, 0, 3, with_book);
    EXPECT_EQ(run.returned, 1);
    EXPECT_EQ(last_search.from_book, 1);
    EXPECT_STREQ(last_search.best_text, "e2e4");
    EXPECT_STREQ(last_search.ponder_text, "");
    EXPECT_EQ(last_search.score, 0);
    EXPECT_EQ(last_search.depth, 0);
    EXPECT_EQ(ponder_move, 0u);
    EXPECT_TRUE(positions_equal(run.after, after(start_position, "e2e4")));
    EXPECT_FALSE(contains(run.output, "\nd  1/")) << run.output;
    EXPECT_TRUE(contains(run.output, "razor cuts evaluation is")) << run.output;
}

TEST_F(ThinkBook, UciRepliesWithoutPonderAndKeepsThePosition) {
    const SearchRun run = run_think(start_position, 0, 3, with_book, UCI);
    EXPECT_EQ(run.returned, 1);
    EXPECT_TRUE(positions_equal(run.after, start_position));
    EXPECT_TRUE(contains(run.output,
                         "info string looking up book position\n"
                         "info string book move: e2e4 (95 of 100,  3 4)\n"
                         "bestmove e2e4\n"))
        << run.output;
    EXPECT_FALSE(contains(run.output, "info depth")) << run.output;
    // A depth of 1 to 4 still brings the two evaluation reports.
    EXPECT_TRUE(contains(run.output, "before move")) << run.output;
    EXPECT_TRUE(contains(run.output, "after move")) << run.output;
}

TEST_F(ThinkBook, XboardMovesWithoutThinkingLines) {
    const SearchRun run = run_think(start_position, 1000, 0, with_book, XBOARD);
    EXPECT_EQ(run.returned, 1);
    EXPECT_TRUE(positions_equal(run.after, after(start_position, "e2e4")));
    EXPECT_TRUE(contains(run.output, "move e2e4\n")) << run.output;
    EXPECT_FALSE(contains(run.output, "tellothers")) << run.output;
    EXPECT_EQ(ponder_move, 0u);
}

TEST_F(ThinkBook, SearchesWhenTheBookIsOffOrHasNoMove) {
    SearchRun run = run_think(start_position, 0, 1, EngineSettings{}, UCI);
    EXPECT_EQ(last_search.from_book, 0);
    EXPECT_FALSE(contains(run.output, "book")) << run.output;
    EXPECT_TRUE(contains(run.output, "info depth 1 ")) << run.output;

    // Black to move after e2e4: none of its replies is in the book.
    run = run_think(after(start_position, "e2e4"), 0, 1, with_book, UCI);
    EXPECT_EQ(last_search.from_book, 0);
    EXPECT_TRUE(contains(run.output, "info string looking up book position\n")) << run.output;
    EXPECT_FALSE(contains(run.output, "book move")) << run.output;
    EXPECT_TRUE(contains(run.output, "info depth 1 ")) << run.output;
}

}  // namespace
