// The xboard loop through pipes to the real binary, as xboard drives it.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "protocol/protocol_checks.h"
#include "shell/signals.h"
#include "support/engine_runner.h"

namespace {

const char* const FEATURES = "feature setboard=1 ping=1 analyze=1 variants=normal done=1\n";
// White mates with a1a8.
const char* const MATE_IN_ONE = "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1";

}  // namespace

TEST(XboardPipe, HandshakePingAndLog) {
    XboardEngine engine("xb_handshake");
    // xboard only takes a line that begins with "feature": no prompt may stand in front of it.
    EXPECT_NE(engine.features.find(std::string("\n") + FEATURES), std::string::npos)
        << engine.features;
    EXPECT_EQ(engine.exchange("protover 1"), "pong 1\n");
    // xboard interrupts with SIGINT unless told otherwise; the engine carries on.
    send_interrupt(engine.child.pid);
    EXPECT_EQ(engine.exchange("nonsense words here"), "pong 2\n");
    EXPECT_EQ(engine.quit(), 0);
    EXPECT_EQ(read_file(engine.dir + "/winboard.txt"),
              std::string("protover 2\n") + FEATURES +
                  "protover 1\nping 1\nnonsense words here\nping 2\nquit\n");
}

// Moves answered or refused, force and go, take-backs and setboard, in one game record.
TEST(XboardPipe, MovesForceAndTakeBacks) {
    XboardEngine engine("xb_moves");
    engine.send("new");
    engine.send("sd 2");
    std::string reply = engine.move_after("e2e4");
    EXPECT_TRUE(legal_after("", {"e2e4"}, reply)) << reply;
    // "remove" takes back the answer and e2e4; "undo" the answer alone, then "go" replays it.
    engine.send("remove");
    EXPECT_TRUE(legal_after("", {"d2d4"}, engine.move_after("d2d4")));
    engine.send("undo");
    EXPECT_TRUE(legal_after("", {"d2d4"}, engine.move_after("go")));
    // An illegal move and a king-exposing one get no answer; take-backs past the start do
    // nothing.
    engine.send("new");
    EXPECT_EQ(engine.move_after("e2e5"), "");
    engine.send("undo");
    engine.send("remove");
    engine.send("force");
    engine.send("e2e4");
    EXPECT_EQ(engine.move_after("e7e5"), "");
    reply = engine.move_after("go");
    EXPECT_TRUE(legal_after("", {"e2e4", "e7e5"}, reply)) << reply;
    // Back in normal mode: the next move is answered.
    EXPECT_TRUE(legal_after("", {"e2e4", "e7e5", reply, "b8c6"}, engine.move_after("b8c6")));

    // setboard starts a new record; a refused one changes nothing.
    const std::string fen = "4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1";
    engine.send("setboard " + fen);
    engine.send("undo");
    EXPECT_EQ(engine.move_after("e2d3"), "");
    EXPECT_NE(engine.exchange("setboard 8/8/8/8/8/8/8/8 w - - 0 1")
                  .find("tellusererror Illegal position\n"),
              std::string::npos);
    reply = engine.move_after("go");
    EXPECT_TRUE(legal_after(fen, {}, reply)) << reply;
    EXPECT_EQ(engine.quit(), 0);
}

TEST(XboardPipe, TimeControlsAndDepth) {
    XboardEngine engine("xb_level");
    // sd 1 keeps the searches short; the plan is written all the same.
    struct Case {
        const char* control;
        const char* time;
        const char* plan;
    } cases[] = {
        {"level 40 5 0", "time 30000", "7317ms of 300000 remaining, 40 moves to go"},
        {"level 0 2 12", "time 12000", "10000ms of 120000 remaining, 0 moves to go"},
        {"st 1", "time 12000", "1000ms of 120000 remaining, 0 moves to go"},
    };
    for (const Case& c : cases) {
        engine.send("new");
        engine.send("sd 1");
        engine.send(c.control);
        engine.send(c.time);
        ASSERT_FALSE(engine.move_after("e2e4").empty());
        EXPECT_NE(read_file(engine.dir + "/winboard.txt")
                      .find(std::string("\n***planning to use ") + c.plan + " \n"),
                  std::string::npos)
            << c.control;
    }
    engine.send("new");
    engine.send("sd 3");
    const std::string text = engine.exchange("e2e4");
    int deepest = 0;
    for (const std::string& line : lines_of(text))
        if (!line.empty() && line[0] >= '1' && line[0] <= '9')
            deepest = std::max(deepest, std::atoi(line.c_str()));
    EXPECT_EQ(deepest, 3);
    // The console's table-wipe text opens the search, byte for byte; no log has it.
    EXPECT_TRUE(
        std::regex_search(text, std::regex("^ \nhash cleared/aged in [0-9]+\\.[0-9]{3} s\n1 ")))
        << text;
    EXPECT_EQ(engine.quit(), 0);
    for (const char* log : {"/orlo.txt", "/winboard.txt"})
        EXPECT_EQ(read_file(engine.dir + log).find("hash cleared"), std::string::npos) << log;
}

TEST(XboardPipe, ResultsAnnounced) {
    XboardEngine engine("xb_mate");
    engine.send("sd 3");
    struct Case {
        const char* fen;
        const char* line;
        const char* expected;
        bool answered;
    } cases[] = {
        {MATE_IN_ONE, "a1a8", "1-0 {White mates}\n", false},
        {MATE_IN_ONE, "go", "move a1a8\n1-0 {White mates}\n", true},
        {"7k/8/4Q3/6K1/8/8/8/8 w - - 0 1", "e6f7", "1/2-1/2 {Stalemate}\n", false},
    };
    for (const Case& c : cases) {
        engine.send(std::string("setboard ") + c.fen);
        const std::string text = engine.exchange(c.line);
        EXPECT_NE(text.find(c.expected), std::string::npos) << text;
        EXPECT_EQ(text.find("move ") != std::string::npos, c.answered) << text;
    }
    // End of input ends the program.
    close_child_input(engine.child);
    read_child_all(engine.child, 30000);
    EXPECT_EQ(wait_child(engine.child, 30000), 0);
}

// Analysis follows the position through moves, take-backs and setboard (a line shaped like a
// move that is none analyses the same position again), sending thinking output and never a
// move; "exit" ends it and leaves force mode; "quit" ends the program during it.
TEST(XboardPipe, AnalysisFollowsThePositionAndNeverMoves) {
    XboardEngine engine("xb_analysis");
    const std::string open = "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 0 1";
    const struct Step {
        std::string line;
        std::string fen;  // the position analysed: fen ("" the start) and moves
        std::vector<std::string> moves;
    } steps[] = {
        {"analyze", "", {}},      {"e2e4", "", {"e2e4"}},         {"e7e5", "", {"e2e4", "e7e5"}},
        {"undo", "", {"e2e4"}},   {"setboard " + open, open, {}}, {"f1c4", open, {"f1c4"}},
        {"a1a5", open, {"f1c4"}},
    };
    std::string all;
    for (const Step& step : steps) {
        engine.send(step.line);
        // The new search: its table wipe, then iterations up to the third.
        const std::string text = engine.until("\ntellothers 3 ");
        all += text;
        const std::size_t wipe = text.rfind("hash cleared/aged in ");
        ASSERT_NE(wipe, std::string::npos) << step.line << ": " << text;
        int iterations = 0;
        for (const std::string& line : lines_of(text.substr(wipe))) {
            if (!well_formed_thinking(line)) continue;
            ++iterations;
            // Every move of the principal variation is legal from the analysed position.
            std::istringstream words(line);
            std::string word;
            for (int i = 0; i < 4; ++i) words >> word;
            std::vector<std::string> path = step.moves;
            while (words >> word && word != ".") {
                EXPECT_TRUE(legal_after(step.fen, path, word)) << step.line << ": " << line;
                path.push_back(word);
            }
        }
        EXPECT_EQ(iterations, 3) << step.line << ": " << text;
    }
    all += engine.exchange("exit");
    // Force mode now: a move is recorded, neither answered nor analysed.
    const std::string force_reply = engine.exchange("g8f6");
    EXPECT_EQ(force_reply, "pong " + std::to_string(engine.pings) + "\n");
    engine.send("analyze");
    all += engine.until("\n1 ");
    for (const std::string& line : lines_of(all.substr(0, all.size() - 2))) {
        EXPECT_TRUE(is_xboard_line(line)) << line;
        EXPECT_NE(line.rfind("move ", 0), 0u) << line;
    }
    EXPECT_EQ(engine.quit(), 0);
}
