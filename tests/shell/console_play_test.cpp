// The console's playing commands below the console loop: "go", "auto" and the answer to a
// typed move, on small positions so that each search ends at once.
#include "shell/console_play.h"

#include <gtest/gtest.h>

#include <regex>

#include "search/think.h"
#include "support/positions.h"
#include "support/search_run.h"

namespace {

TEST(ConsolePlay, AutoPlaysUntilTheSideToMoveHasNoMove) {
    fresh_search_state();
    Position p = position_from_fen("6k1/5ppp/8/8/8/8/5PPP/R5K1 w");
    CapturedOutput capture;
    console_auto(p, 1000);
    const std::string output = capture.text();
    EXPECT_NE(output.find("\n  pv: a1a8 ."), std::string::npos);
    EXPECT_EQ(output.substr(output.size() - 10), "\ncheckmate");
    EXPECT_NE(p.white_rooks & bit(56), 0u);
}

TEST(ConsolePlay, AnswerNamesThePonderMove) {
    fresh_search_state();
    // Mate in two: the search ends once found, and the pv holds black's reply.
    Position p = position_from_fen("k7/8/8/1K6/8/8/8/1Q6 w");
    CapturedOutput capture;
    console_answer(p);
    const std::string output = capture.text();
    EXPECT_TRUE(p.flags & BLACK_TO_MOVE);
    std::smatch m;
    ASSERT_TRUE(
        std::regex_search(output, m, std::regex("\nponder move is ([a-h][1-8]){2} \\((\\d+)\\)$")))
        << output;
    EXPECT_EQ(std::stoul(m[2]), ponder_move);
}

TEST(ConsolePlay, GoMovesForTheSideToMoveAndStalemateEndsAnswer) {
    fresh_search_state();
    Position p = position_from_fen("6k1/5ppp/8/8/8/8/5PPP/R5K1 w");
    {
        CapturedOutput capture;
        console_go(p);
    }
    EXPECT_TRUE(p.flags & BLACK_TO_MOVE);
    Position stalemate = position_from_fen("k7/2Q5/1K6/8/8/8/8/8 b");
    CapturedOutput capture;
    console_answer(stalemate);
    EXPECT_EQ(capture.text(), "\nstalemate");
}

}  // namespace
