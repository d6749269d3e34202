// The console's playing commands below the console loop, on small positions so that each
// search ends at once: "go", "auto" and the answer to a typed move in a stalemate. (The
// answer's ponder line is tested through the real binary.)
#include "app/console_play.h"

#include <gtest/gtest.h>

#include "search/think.h"
#include "support/positions.h"
#include "support/search_run.h"

namespace {

TEST(ConsolePlay, GoAutoAndAnswer) {
    fresh_search_state();
    Position p = position_from_fen("6k1/5ppp/8/8/8/8/5PPP/R5K1 w");
    {
        CapturedOutput capture;
        console_go(p);
    }
    EXPECT_NE(p.white_rooks & bit(56), 0u);
    EXPECT_TRUE(p.flags & BLACK_TO_MOVE);
    // auto plays until the side to move has no move.
    fresh_search_state();
    p = position_from_fen("6k1/5ppp/8/8/8/8/5PPP/R5K1 w");
    {
        CapturedOutput capture;
        console_auto(p, 1000);
        const std::string output = capture.text();
        EXPECT_NE(output.find("\n  pv: a1a8 ."), std::string::npos);
        EXPECT_EQ(output.substr(output.size() - 10), "\ncheckmate");
    }
    Position stalemate = position_from_fen("k7/2Q5/1K6/8/8/8/8/8 b");
    CapturedOutput capture;
    console_answer(stalemate);
    EXPECT_EQ(capture.text(), "\nstalemate");
}

}  // namespace
