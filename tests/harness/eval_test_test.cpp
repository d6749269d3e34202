#include "harness/eval_test.h"

#include <gtest/gtest.h>

#include <string>

#include "support/engine_runner.h"

namespace {

const char* const START = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

TEST(ParseTestLine, ReadsPlacementSideCastlingAndScores) {
    Position p;
    int old_score = 0, search_score = 0;
    ASSERT_EQ(
        parse_test_line(std::string(START) + " w KQkq e3 0 1 12 -34", p, old_score, search_score),
        1);
    EXPECT_EQ(p.white_pawns, start_position.white_pawns);
    EXPECT_EQ(p.black_king, start_position.black_king);
    EXPECT_EQ(p.white_pieces, start_position.white_pieces);
    EXPECT_EQ(p.black_pieces, start_position.black_pieces);
    EXPECT_EQ(p.flags, WS | WL | BS | BL);
    EXPECT_EQ(p.ep_square, 0u);  // the en-passant word is ignored
    EXPECT_EQ(old_score, 12);
    EXPECT_EQ(search_score, -34);
}

TEST(ParseTestLine, AnySideWordButWIsBlackAndCastlingStopsAtDash) {
    Position p;
    int old_score, search_score;
    parse_test_line("4k3/8/8/8/8/8/8/4K3 b Kq - 0 1 0 0", p, old_score, search_score);
    EXPECT_EQ(p.flags, BLACK_TO_MOVE | WS | BL);
    parse_test_line("4k3/8/8/8/8/8/8/4K3 white K-q - 0 1 0 0", p, old_score, search_score);
    EXPECT_EQ(p.flags, BLACK_TO_MOVE | WS);
    parse_test_line("4k3/8/8/8/8/8/8/4K3 w xKQkqQ - 0 1 0 0", p, old_score, search_score);
    EXPECT_EQ(p.flags, WS | WL | BS);  // only the first four characters count
}

TEST(ParseTestLine, ShortLinesAndAbsurdInputAreSafe) {
    Position p;
    int old_score = 7, search_score = 7;
    EXPECT_EQ(parse_test_line("4k3/8/8/8/8/8/8/4K3 w - - 0 1 5", p, old_score, search_score), 0);
    EXPECT_EQ(parse_test_line("", p, old_score, search_score), 0);
    EXPECT_EQ(p.white_pieces | p.black_pieces, 0u);
    // Squares past h1 and huge digits end the walk; numbers clamp.
    EXPECT_EQ(parse_test_line("99999999K9k/8/8/8/8/8/8/8KKKK w - - 0 1 99999999999 -99999999999", p,
                              old_score, search_score),
              1);
    EXPECT_EQ(old_score, 2147483647);
    EXPECT_EQ(search_score, -2147483647);
}

// The console's output for `input` with the given orlotest.txt (none when empty).
std::string console_output(const std::string& name, const std::string& test_file,
                           const std::string& input) {
    const std::string dir = make_scratch_dir(name);
    if (!test_file.empty()) write_file(dir, "orlotest.txt", test_file);
    int status = -1;
    return run_engine(dir, input, &status);
}

TEST(TestEvalCommand, PrintsUsedLinesAndTheThreeSummaryLines) {
    const std::string start(START);
    const std::string long_tail(300, 'x');
    const std::string file =
        start + " w KQkq - 0 1 10 -90\n" +        // difference 100: used
        start + " w KQkq - 0 1 10 -91\n" +        // 101: skipped
        start + " b KQkq - 0 1 5 5\n" +           // used, equal distances
        start + " w KQkq - 0 1\n" +               // too few words: skipped
        "4k3/8/8/8/8/8/8/4K2K w - - 0 1 0 0\n" +  // two white kings: skipped
        // A long line with what looks like a second line in its tail: read as one.
        start + " w KQkq - 0 1 3 3 " + long_tail + " " + start + " w - - 0 1 0 0\r\n";
    const std::string output = console_output("testeval_lines", file, "testeval\n");
    const std::string expected =
        "old: 10 new 5 search -90\n"
        "old: 5 new 5 search 5\n"
        "old: 3 new 5 search 3\n"
        "\nold: linear deviation 33.33, quad deviation 57.74"
        "\nnew: linear deviation 32.33, quad deviation 54.86"
        "\nnew better: 1  old better 1";
    EXPECT_NE(output.find(">orlo " + expected), std::string::npos) << output;
    EXPECT_EQ(output.find("search -91"), std::string::npos);
}

TEST(TestEvalCommand, NoUsableLinePrintsNotANumber) {
    const std::string output = console_output(
        "testeval_empty", std::string(START) + " w KQkq - 0 1 0 500\n", "testeval\n");
    EXPECT_NE(output.find("\nold: linear deviation nan, quad deviation nan"
                          "\nnew: linear deviation nan, quad deviation nan"
                          "\nnew better: 0  old better 0"),
              std::string::npos)
        << output;
}

TEST(TestEvalCommand, SilentWithoutTheTestFile) {
    const std::string with_command = console_output("testeval_missing", "", "testeval\n");
    const std::string without = console_output("testeval_missing", "", "new\n");
    EXPECT_FALSE(with_command.empty());
    EXPECT_EQ(with_command, without);
}

}  // namespace
