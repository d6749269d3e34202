// The protocol loops driven in-process, as the fuzz targets drive them: the whole session in
// a pipe (redirect_input_to_text), the output captured, the loop returning its status.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "protocol/uci_loop.h"
#include "protocol/xboard_loop.h"
#include "shell/input.h"
#include "shell/protocol_output.h"
#include "support/engine_runner.h"
#include "support/search_run.h"
#include "testsupport/input_redirect.h"
#include "testsupport/protocol_lines.h"

namespace {

struct Session {
    int status;
    std::string output;
};

// Runs the loop on the text in a scratch directory (it writes its logs there).
template <typename Loop>
Session run_loop(Loop loop, const std::string& text, const std::string& name) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(make_scratch_dir(name));
    Session session{-1, ""};
    EXPECT_TRUE(redirect_input_to_text(text));
    {
        CapturedOutput capture;
        session.status = loop();
        session.output = capture.text();
    }
    restore_standard_input();
    fresh_search_state();
    std::filesystem::current_path(previous);
    return session;
}

}  // namespace

TEST(InProcessLoops, SessionsEndWithTheInput) {
    Session s = run_loop(uci_loop, "uci\nisready\nposition startpos\ngo depth 2\n", "uci_in");
    EXPECT_EQ(s.status, 0);
    EXPECT_NE(s.output.find("\nreadyok\n"), std::string::npos);
    EXPECT_NE(s.output.find("\nbestmove "), std::string::npos);
    for (const std::string& line : lines_of(s.output)) EXPECT_TRUE(is_uci_line(line)) << line;
    s = run_loop(xboard_loop, "protover 2\nnew\nsd 2\ngo\nping 3\n", "xboard_in");
    EXPECT_EQ(s.status, 0);
    EXPECT_NE(s.output.find("\nmove "), std::string::npos);
    EXPECT_NE(s.output.find("\npong 3\n"), std::string::npos);
    for (const std::string& line : lines_of(s.output)) EXPECT_TRUE(is_xboard_line(line)) << line;
}

TEST(InProcessLoops, TextLargerThanAPipeArrivesWhole) {
    std::string text;
    for (int i = 0; i < 40000; ++i) text += "line " + std::to_string(i) + "\n";
    ASSERT_GT(text.size(), 65536u);
    EXPECT_TRUE(redirect_input_to_text(text));
    std::string line, last;
    int count = 0;
    while (read_line(line)) {
        ++count;
        last = line;
    }
    restore_standard_input();
    EXPECT_EQ(count, 40000);
    EXPECT_EQ(last, "line 39999");
}

TEST(ProtocolLines, WhatAnInterfaceCanRead) {
    struct Case {
        const char* line;
        bool uci;
        bool xboard;
    } cases[] = {
        // (The id, option, feature and pong lines are read in the sessions above.)
        {"", true, true},
        {"info depth 3 score cp -12 upperbound pv e2e4", true, false},
        {"info string anything at all: 5", true, false},
        {"bestmove e7e8q ponder a2a1n", true, false},
        {"info depth x", false, false},
        {"bestmove e2e4 ponder", false, false},
        {"move e1g1", false, true},
        {"3 -25 12 4711 e2e4 e7e5 g1f3 .", false, true},
        {"tellothers 3 -25 12 4711 e2e4 .", false, true},
        {"1-0 {White mates}", false, true},
        {"1/2-1/2 {Stalemate}", false, true},
        {"tellusererror Illegal position", false, true},
        {">orlo feature setboard=1 ping=1 done=1", false, false},
        {"move e9e4", false, false},
        {"3 -25 12 e2e4 .", false, false},
        // The table wipe of every search, in both protocols; nothing like it.
        {" ", true, true},
        {"hash cleared/aged in 0.002 s", true, true},
        {"hash cleared/aged in 12.345 s", true, true},
        {"hash cleared/aged in 0.02 s", false, false},
        {"hash cleared/aged in .002 s", false, false},
        {"hash cleared/aged in 0.002s", false, false},
        {"  ", false, false},
        // The evaluation heading of a shallow UCI search, and nothing like it.
        {"now evaluating", true, false},
        {"r n b q k b n r ", true, false},
        {". . . . P . . . ", true, false},
        {"black to move", true, false},
        {"castling : WS WL BS BL 1 0 0 1", true, false},
        {"r n b q k b n r", false, false},
        {"r n b q x b n r ", false, false},
        {"castling : WS WL BS BL 1 0 2 1", false, false},
        {"castling : WS WL BS BL 1 0 0", false, false},
        {"now evaluating ", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(is_uci_line(c.line), c.uci) << '"' << c.line << '"';
        EXPECT_EQ(is_xboard_line(c.line), c.xboard) << '"' << c.line << '"';
    }
}
