// The evaluation test file: reading its lines, and the console's "testeval" through the real
// binary (the per-line format, the skip rule, the summary lines).
#include "harness/eval_test.h"

#include <gtest/gtest.h>

#include <string>

#include "support/engine_runner.h"

namespace {

const std::string START = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

TEST(ParseTestLine, SideCastlingScoresAndAbsurdInput) {
    const struct {
        std::string line;
        int ok;
        std::uint32_t flags;
        int old_score, search_score;
    } cases[] = {
        {START + " w KQkq e3 0 1 12 -34", 1, WS | WL | BS | BL, 12, -34},
        // Any side word but "w" is black; castling stops at a dash and after four characters.
        {"4k3/8/8/8/8/8/8/4K3 b Kq - 0 1 0 0", 1, BLACK_TO_MOVE | WS | BL, 0, 0},
        {"4k3/8/8/8/8/8/8/4K3 white K-q - 0 1 0 0", 1, BLACK_TO_MOVE | WS, 0, 0},
        {"4k3/8/8/8/8/8/8/4K3 w xKQkqQ - 0 1 0 0", 1, WS | WL | BS, 0, 0},
        // Too few words; squares past h1 and huge numbers.
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1 5", 0, 0, 0, 0},
        {"", 0, 0, 0, 0},
        {"99999999K9k/8/8/8/8/8/8/8KKKK w - - 0 1 99999999999 -99999999999", 1, 0, 2147483647,
         -2147483647},
    };
    for (const auto& c : cases) {
        Position p;
        int old_score = 0, search_score = 0;
        ASSERT_EQ(parse_test_line(c.line, p, old_score, search_score), c.ok) << c.line;
        if (!c.ok) continue;
        EXPECT_EQ(p.flags, c.flags) << c.line;
        EXPECT_EQ(p.ep_square, 0u);
        EXPECT_EQ(old_score, c.old_score);
        EXPECT_EQ(search_score, c.search_score);
    }
    Position p;
    int old_score, search_score;
    parse_test_line(cases[0].line, p, old_score, search_score);
    EXPECT_EQ(p.white_pieces | p.black_pieces,
              start_position.white_pieces | start_position.black_pieces);
    EXPECT_EQ(p.black_king, start_position.black_king);
}

TEST(TestEvalCommand, UsedLinesAndTheThreeSummaryLinesOrNothingWithoutTheFile) {
    const std::string file =
        START + " w KQkq - 0 1 10 -90\n" +        // difference 100: used
        START + " w KQkq - 0 1 10 -91\n" +        // 101: skipped
        START + " b KQkq - 0 1 5 5\n" +           // used, equal distances
        START + " w KQkq - 0 1\n" +               // too few words: skipped
        "4k3/8/8/8/8/8/8/4K2K w - - 0 1 0 0\n" +  // two white kings: skipped
        // A long line with what looks like a second line in its tail: read as one.
        START + " w KQkq - 0 1 3 3 " + std::string(300, 'x') + " " + START + " w - - 0 1 0 0\r\n";
    std::string dir = make_scratch_dir("testeval");
    write_file(dir, "orlotest.txt", file);
    const std::string output = run_engine(dir, "testeval\n", nullptr);
    EXPECT_NE(output.find(">orlo old: 10 new 5 search -90\n"
                          "old: 5 new 5 search 5\n"
                          "old: 3 new 5 search 3\n"
                          "\nold: linear deviation 33.33, quad deviation 57.74"
                          "\nnew: linear deviation 32.33, quad deviation 54.86"
                          "\nnew better: 1  old better 1"),
              std::string::npos)
        << output;
    EXPECT_EQ(output.find("search -91"), std::string::npos);

    dir = make_scratch_dir("testeval_missing");
    EXPECT_EQ(run_engine(dir, "testeval\n", nullptr), run_engine(dir, "new\n", nullptr));
}

}  // namespace
