// The console through the real binary, as a person at the keyboard would use it.
#include <gtest/gtest.h>

#include <regex>

#include "board/fen.h"
#include "support/engine_runner.h"

namespace {

const std::string START_DIAGRAM = board_diagram(start_position, true);
const std::string PROMPT = "\n>orlo ";

TEST(Console, BannerDiagramPromptAndCleanExitAtEndOfInput) {
    std::string dir = make_scratch_dir("console_banner");
    int status = -2;
    std::string output = run_engine(dir, "new\nundo\n", &status);
    const std::string pass = START_DIAGRAM + PROMPT;
    EXPECT_EQ(output, "\norlo 0.953\ninitializing...  done!" + pass + pass + pass);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(read_file(dir + "/orlo.txt").find("tree"), std::string::npos);
}

TEST(Console, PerftLineWithItsTimingFigures) {
    std::string dir = make_scratch_dir("console_perft");
    std::string output = run_engine(dir, "perft 3\nperft\nperft x\n", nullptr);
    EXPECT_TRUE(std::regex_search(
        output, std::regex("\ntree to depth 3: 8902 nodes in [0-9]+\\.[0-9]{2} seconds "
                           "\\([0-9]+\\.[0-9] kN/s\\)")));
    EXPECT_NE(output.find("\ntree to depth 0: 20 nodes in "), std::string::npos);
}

// The diagrams printed before each prompt.
std::vector<std::string> prompt_diagrams(const std::string& output) {
    std::vector<std::string> diagrams;
    const std::size_t length = START_DIAGRAM.size();
    for (std::size_t at = output.find(PROMPT); at != std::string::npos;
         at = output.find(PROMPT, at + 1))
        diagrams.push_back(at >= length ? output.substr(at - length, length) : std::string());
    return diagrams;
}

TEST(Console, TypedMovesUndoAndNew) {
    std::string dir = make_scratch_dir("console_moves");
    Position after_e4{};
    read_fen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq", after_e4);
    std::string with_e4 = board_diagram(after_e4, true);
    // Unknown words and near-commands are ignored; a typed move is answered by the engine
    // (one search on the console's budget) and followed by the ponder line; "new" then
    // "undo" gives back the position before the last typed move; an illegal move is refused.
    std::string output =
        run_engine(dir, "e2e5\nNew\nperft3\ne2e4\ne7e5\nnew\nundo\n\n", nullptr, 120000);
    std::vector<std::string> diagrams = prompt_diagrams(output);
    ASSERT_EQ(diagrams.size(), 9u);
    for (int i : {0, 1, 2, 3}) EXPECT_EQ(diagrams[i], START_DIAGRAM) << i;
    // After e2e4 the engine has answered: white to move again, the e-pawn on e4.
    EXPECT_NE(diagrams[4], with_e4);
    EXPECT_NE(diagrams[4].find("\nwhite to move"), std::string::npos);
    EXPECT_NE(diagrams[4].find(". . . . P . . . "), std::string::npos);
    EXPECT_EQ(diagrams[5], diagrams[4]);  // e7e5 is not white's move: ignored
    EXPECT_EQ(diagrams[6], START_DIAGRAM);
    EXPECT_EQ(diagrams[7], START_DIAGRAM);  // undo_copy is the position before e2e4
    EXPECT_NE(output.find("\nd  1/"), std::string::npos);
    EXPECT_NE(output.find("\n  pv: "), std::string::npos);
    EXPECT_TRUE(
        std::regex_search(output, std::regex("\nponder move is ([a-h][1-8]){2} \\([0-9]+\\)")));
}

TEST(Console, HugeAndBinaryLinesAreHarmless) {
    std::string dir = make_scratch_dir("console_garbage");
    std::string junk(300000, 'x');
    junk += "\n";
    junk += std::string("\0\xff\x80 \t\r\n", 7);
    junk += "perft 99999999999999999999 \n";
    int status = -2;
    std::string output = run_engine(dir, junk + "perft -5\n", &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(output.find("\ntree to depth -5: 20 nodes"), std::string::npos);
    EXPECT_NE(output.find("\nperft depth 2147483647 is too deep (at most 20)"), std::string::npos);
}

}  // namespace
