// The xboard loop through pipes to the real binary, as xboard drives it.
#include <gtest/gtest.h>

#include "board/fen.h"
#include "protocol/play_move.h"
#include "protocol/protocol_checks.h"
#include "shell/signals.h"
#include "support/engine_runner.h"

namespace {

const char* const FEATURES = "feature setboard=1 ping=1 analyze=1 variants=normal done=1\n";
// White mates with a1a8.
const char* const MATE_IN_ONE = "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1";

Position from_fen(const std::string& fen) {
    Position p;
    read_fen(fen.c_str(), p);
    return p;
}

Position after_moves(Position p, std::initializer_list<const char*> moves) {
    for (const char* m : moves) EXPECT_TRUE(play_move_text(p, m, MatchRule::LAST)) << m;
    return p;
}

struct XboardEngine : EngineProcess {
    int pings = 0;
    explicit XboardEngine(const std::string& name) : EngineProcess(name, "xboard") {
        send("protover 2");
        features = until(FEATURES);
    }
    std::string features;
    // Sends the line and reads through the answer to a following "ping".
    std::string exchange(const std::string& line) {
        if (!line.empty()) send(line);
        std::string n = std::to_string(++pings);
        send("ping " + n);
        return until("pong " + n + "\n");
    }
    // Sends the line and returns the text of the engine's "move" answer ("" if none).
    std::string move_after(const std::string& line) {
        std::string text = exchange(line);
        std::size_t at = text.rfind("move ");
        if (at == std::string::npos) return "";
        return text.substr(at + 5, text.find('\n', at) - at - 5);
    }
    std::string log() { return read_file(dir + "/winboard.txt"); }
};

}  // namespace

TEST(XboardPipe, HandshakePingAndLog) {
    XboardEngine engine("xb_handshake");
    // xboard only takes a line that begins with "feature": the console's prompt must not
    // stand in front of it.
    EXPECT_NE(engine.features.find(std::string("\n") + FEATURES), std::string::npos)
        << engine.features;
    EXPECT_EQ(engine.exchange("protover 1"), "pong 1\n");
    EXPECT_EQ(engine.exchange("nonsense words here"), "pong 2\n");
    // xboard interrupts with SIGINT unless told otherwise; the engine carries on.
    send_interrupt(engine.child.pid);
    EXPECT_EQ(engine.exchange("hint"), "pong 3\n");
    EXPECT_EQ(engine.quit(), 0);
    EXPECT_EQ(engine.log(), std::string("protover 2\n") + FEATURES +
                                "protover 1\nping 1\nnonsense words here\nping 2\n"
                                "hint\nping 3\nquit\n");
}

TEST(XboardPipe, MovesAnsweredAndForceMode) {
    XboardEngine engine("xb_moves");
    engine.send("new");
    engine.send("sd 2");
    std::string reply = engine.move_after("e2e4");
    Position after_e4 = after_moves(start_position, {"e2e4"});
    EXPECT_TRUE(play_move_text(after_e4, reply, MatchRule::LAST)) << reply;
    // An illegal move and a king-exposing one get no answer.
    engine.send("new");
    EXPECT_EQ(engine.move_after("e2e5"), "");
    engine.send("setboard 4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1");
    EXPECT_EQ(engine.move_after("e2d3"), "");

    engine.send("new");
    engine.send("force");
    engine.send("e2e4");
    EXPECT_EQ(engine.move_after("e7e5"), "");
    reply = engine.move_after("go");
    Position after = after_moves(start_position, {"e2e4", "e7e5"});
    EXPECT_TRUE(play_move_text(after, reply, MatchRule::LAST)) << reply;
    // Back in normal mode: the next move is answered.
    std::string black_move;
    for (const char* candidate : {"b8c6", "g8f6", "d7d6", "f8c5"}) {
        Position p = after;
        if (play_move_text(p, candidate, MatchRule::LAST)) {
            black_move = candidate;
            after = p;
            break;
        }
    }
    ASSERT_FALSE(black_move.empty());
    reply = engine.move_after(black_move);
    EXPECT_TRUE(play_move_text(after, reply, MatchRule::LAST)) << reply;
    EXPECT_EQ(engine.quit(), 0);
}

TEST(XboardPipe, TakeBacks) {
    XboardEngine engine("xb_takeback");
    engine.send("new");
    engine.send("sd 2");
    ASSERT_FALSE(engine.move_after("e2e4").empty());
    // "remove" takes back the engine's answer and e2e4: white is to move at the start.
    engine.send("remove");
    std::string reply = engine.move_after("d2d4");
    Position after_d4 = after_moves(start_position, {"d2d4"});
    EXPECT_TRUE(play_move_text(after_d4, reply, MatchRule::LAST)) << reply;
    // "undo" takes back the answer alone: the engine then plays black's move again.
    engine.send("undo");
    reply = engine.move_after("go");
    after_d4 = after_moves(start_position, {"d2d4"});
    EXPECT_TRUE(play_move_text(after_d4, reply, MatchRule::LAST)) << reply;
    // Take-backs past the record's start do nothing.
    engine.send("new");
    engine.send("undo");
    engine.send("remove");
    engine.send("force");
    EXPECT_EQ(engine.move_after("e2e4"), "");
    reply = engine.move_after("go");
    Position after_e4 = after_moves(start_position, {"e2e4"});
    EXPECT_TRUE(play_move_text(after_e4, reply, MatchRule::LAST)) << reply;
    EXPECT_EQ(engine.quit(), 0);
}

TEST(XboardPipe, SetboardStartsANewRecord) {
    XboardEngine engine("xb_setboard");
    const std::string fen = "4k3/8/3p4/8/8/3P4/8/4K3 b - - 0 1";
    engine.send("new");
    engine.send("sd 2");
    engine.send("force");
    engine.send("e2e4");
    engine.send("setboard " + fen);
    engine.send("undo");  // nothing to take back in the new record
    std::string reply = engine.move_after("go");
    Position position = from_fen(fen);
    EXPECT_TRUE(play_move_text(position, reply, MatchRule::LAST)) << reply;
    EXPECT_NE(engine.exchange("setboard 8/8/8/8/8/8/8/8 w - - 0 1")
                  .find("tellusererror Illegal position\n"),
              std::string::npos);
    // The refused position changed nothing: white's move is answered in the game.
    engine.send("force");
    engine.send("undo");
    engine.send("undo");
    reply = engine.move_after("go");
    position = from_fen(fen);
    EXPECT_TRUE(play_move_text(position, reply, MatchRule::LAST)) << reply;
    EXPECT_EQ(engine.quit(), 0);
}

TEST(XboardPipe, TimeControlsPlanTheBudget) {
    XboardEngine engine("xb_level");
    engine.send("new");
    engine.send("level 40 5 0");
    engine.send("sd 1");  // keeps the searches short; the plan is written all the same
    engine.send("time 30000");
    ASSERT_FALSE(engine.move_after("e2e4").empty());
    EXPECT_NE(
        engine.log().find("\n***planning to use 7317ms of 300000 remaining, 40 moves to go \n"),
        std::string::npos);

    engine.send("new");
    engine.send("level 0 2 12");
    engine.send("time 12000");
    ASSERT_FALSE(engine.move_after("e2e4").empty());
    EXPECT_NE(
        engine.log().find("\n***planning to use 10000ms of 120000 remaining, 0 moves to go \n"),
        std::string::npos);

    engine.send("new");
    engine.send("st 1");
    ASSERT_FALSE(engine.move_after("e2e4").empty());
    EXPECT_NE(
        engine.log().find("\n***planning to use 1000ms of 120000 remaining, 0 moves to go \n"),
        std::string::npos);
    EXPECT_EQ(engine.quit(), 0);
}

TEST(XboardPipe, DepthLimitBoundsTheThinkingLines) {
    XboardEngine engine("xb_sd");
    engine.send("new");
    engine.send("sd 3");
    std::string text = engine.exchange("e2e4");
    int deepest = 0;
    for (const std::string& line : lines_of(text)) {
        if (line.empty() || line[0] < '1' || line[0] > '9') continue;
        deepest = std::max(deepest, std::atoi(line.c_str()));
    }
    EXPECT_EQ(deepest, 3) << text;
    EXPECT_EQ(engine.quit(), 0);
}

TEST(XboardPipe, MatesAreAnnounced) {
    XboardEngine engine("xb_mate");
    engine.send("sd 3");
    // The opponent mates: the result, and no answer.
    engine.send(std::string("setboard ") + MATE_IN_ONE);
    std::string text = engine.exchange("a1a8");
    EXPECT_NE(text.find("1-0 {White mates}\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("move "), std::string::npos) << text;
    // The engine mates.
    engine.send(std::string("setboard ") + MATE_IN_ONE);
    text = engine.exchange("go");
    EXPECT_NE(text.find("move a1a8\n1-0 {White mates}\n"), std::string::npos) << text;
    // Stalemate by the opponent's move.
    engine.send("setboard 7k/8/4Q3/6K1/8/8/8/8 w - - 0 1");
    text = engine.exchange("e6f7");
    EXPECT_NE(text.find("1/2-1/2 {Stalemate}\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("move "), std::string::npos) << text;
    EXPECT_EQ(engine.quit(), 0);
}

TEST(XboardPipe, EndOfInputEndsTheProgram) {
    XboardEngine engine("xb_eof");
    engine.exchange("new");
    close_child_input(engine.child);
    read_child_all(engine.child, 30000);
    EXPECT_EQ(wait_child(engine.child, 30000), 0);
}
