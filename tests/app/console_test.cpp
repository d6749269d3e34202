// The console through the real binary, as a person at the keyboard would use it.
#include <gtest/gtest.h>

#include <regex>

#include "board/fen.h"
#include "support/engine_runner.h"

namespace {

const std::string START_DIAGRAM = board_diagram(start_position, true);
const std::string PROMPT = "\n>orlo ";

// The program ends cleanly at the end of input, or at "quit" without reading on.
TEST(Console, BannerDiagramPromptAndCleanExit) {
    const struct {
        const char* input;
        int prompts;
    } cases[] = {{"new\nundo\n", 3}, {"new\nquit\nperft 1\n", 2}, {"quit", 1}};
    const std::string pass = START_DIAGRAM + PROMPT;
    for (const auto& c : cases) {
        const std::string dir = make_scratch_dir("console_banner");
        int status = -2;
        std::string expected = "\norlo 0.953\ninitializing...  done!";
        for (int i = 0; i < c.prompts; ++i) expected += pass;
        EXPECT_EQ(run_engine(dir, c.input, &status), expected) << c.input;
        EXPECT_EQ(status, 0);
    }
}

TEST(Console, PerftAndHugeBinaryLinesAndAbsurdNumbers) {
    const std::string dir = make_scratch_dir("console_perft");
    const std::string junk = std::string(300000, 'x') + "\n" + std::string("\0\xff\x80 \t\r\n", 7) +
                             "perft 99999999999999999999 \nperft 3\nperft\nperft -5\n";
    int status = -2;
    const std::string output = run_engine(dir, junk, &status);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(std::regex_search(
        output, std::regex("\ntree to depth 3: 8902 nodes in [0-9]+\\.[0-9]{2} seconds "
                           "\\([0-9]+\\.[0-9] kN/s\\)")));
    EXPECT_NE(output.find("\ntree to depth 0: 20 nodes in "), std::string::npos);
    EXPECT_NE(output.find("\ntree to depth -5: 20 nodes"), std::string::npos);
    EXPECT_NE(output.find("\nperft depth 2147483647 is too deep (at most 20)"), std::string::npos);
}

TEST(Console, TypedMoveAnsweredThenNewAndUndo) {
    const std::string dir = make_scratch_dir("console_moves");
    // Unknown words and near-commands are ignored; a typed move is answered by the engine
    // (one search on the console's budget) and followed by the ponder line; a move of the
    // wrong side is refused; "new" then "undo" gives back the position before the typed move.
    const std::string output =
        run_engine(dir, "e2e5\nNew\nperft3\ne2e4\ne7e5\nnew\nundo\n", nullptr, 120000);
    std::vector<std::string> diagrams;  // the diagram printed before each prompt
    for (std::size_t at = output.find(PROMPT); at != std::string::npos;
         at = output.find(PROMPT, at + 1))
        diagrams.push_back(output.substr(at - START_DIAGRAM.size(), START_DIAGRAM.size()));
    ASSERT_EQ(diagrams.size(), 8u);
    for (int i : {0, 1, 2, 3, 6, 7}) EXPECT_EQ(diagrams[i], START_DIAGRAM) << i;
    // After e2e4 the engine has answered: white to move again, the e-pawn on e4.
    EXPECT_NE(diagrams[4].find(". . . . P . . . "), std::string::npos);
    EXPECT_NE(diagrams[4].find("\nwhite to move"), std::string::npos);
    EXPECT_EQ(diagrams[5], diagrams[4]);
    EXPECT_NE(output.find("\nd  1/"), std::string::npos);
    EXPECT_TRUE(
        std::regex_search(output, std::regex("\nponder move is ([a-h][1-8]){2} \\([0-9]+\\)")));
}

}  // namespace
