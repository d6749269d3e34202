// Whole games of Orlo against itself through each protocol, with a referee that checks every
// move with the engine's own generator and every protocol line's form.
#include <gtest/gtest.h>

#include <sstream>

#include "protocol/play_move.h"
#include "protocol/protocol_checks.h"
#include "protocol/xboard_reply.h"

namespace {

constexpr int PLY_CAP = 40;

// A thinking line: depth, score, centiseconds, nodes, then the moves.
bool well_formed_thinking(const std::string& line) {
    std::istringstream in(line);
    long long figures[4];
    for (long long& f : figures)
        if (!(in >> f)) return false;
    std::string rest;
    return static_cast<bool>(in >> rest);
}

}  // namespace

TEST(SelfPlay, UciGame) {
    EngineProcess engines[2] = {{"self_uci_white", "uci"}, {"self_uci_black", "uci"}};
    for (EngineProcess& e : engines) {
        ASSERT_FALSE(e.until("uciok\n").empty());
        e.send("ucinewgame");
    }
    Position board = start_position;
    std::string moves;
    int ply = 0;
    for (; ply < PLY_CAP && has_legal_move(board); ++ply) {
        EngineProcess& engine = engines[ply % 2];
        engine.send("position startpos" + (moves.empty() ? "" : " moves" + moves));
        engine.send("go wtime 3000 btime 3000");
        std::string text = engine.until("bestmove");
        text += engine.until("\n");
        ASSERT_FALSE(text.empty()) << "no reply at ply " << ply;
        std::string move;
        for (const std::string& line : lines_of(text)) {
            if (line.rfind("info", 0) == 0) {
                EXPECT_TRUE(well_formed_info(line)) << line;
            }
            if (line.rfind("bestmove", 0) == 0) {
                EXPECT_TRUE(well_formed_bestmove(line)) << line;
                move = line.substr(9, line.find(' ', 9) - 9);
            }
        }
        ASSERT_TRUE(play_move_text(board, move, MatchRule::FIRST))
            << "illegal move " << move << " at ply " << ply << " after" << moves;
        moves += " " + move;
    }
    EXPECT_GT(ply, 0);
    for (EngineProcess& e : engines) EXPECT_EQ(e.quit(), 0);
}

TEST(SelfPlay, XboardGame) {
    EngineProcess engines[2] = {{"self_xb_white", "xboard"}, {"self_xb_black", "xboard"}};
    int pings = 0;
    // Sends the lines and reads the engine's output through a following "ping".
    auto exchange = [&pings](EngineProcess& e, const std::vector<std::string>& lines) {
        for (const std::string& line : lines) e.send(line);
        std::string n = std::to_string(++pings);
        e.send("ping " + n);
        std::string text = e.until("pong " + n + "\n");
        EXPECT_FALSE(text.empty()) << "no pong";
        return text;
    };
    // White's engine starts with "go"; each engine then answers the other's moves.
    for (EngineProcess& e : engines) exchange(e, {"protover 2", "new", "level 0 1 0", "post"});

    Position board = start_position;
    std::vector<std::string> to_send = {"time 150", "go"};
    int ply = 0;
    for (; ply < PLY_CAP; ++ply) {
        EngineProcess& engine = engines[ply % 2];
        std::string text = exchange(engine, to_send);
        std::string move, result;
        for (const std::string& line : lines_of(text)) {
            if (line.rfind("move ", 0) == 0) {
                EXPECT_TRUE(is_move_text(line.substr(5))) << line;
                EXPECT_TRUE(move.empty()) << "two moves: " << text;
                move = line.substr(5);
            } else if (line.rfind("1-0 ", 0) == 0 || line.rfind("0-1 ", 0) == 0 ||
                       line.rfind("1/2-1/2 ", 0) == 0) {
                result = line;
            } else if (!line.empty() && line[0] >= '0' && line[0] <= '9' &&
                       line.rfind("pong", 0) != 0) {
                EXPECT_TRUE(well_formed_thinking(line)) << line;
            }
        }
        if (!has_legal_move(board)) {
            EXPECT_EQ(result, game_result(board));
            EXPECT_TRUE(move.empty());
            break;
        }
        ASSERT_TRUE(play_move_text(board, move, MatchRule::LAST))
            << "illegal move '" << move << "' at ply " << ply << "\n"
            << text;
        to_send = {"time 150", move};
    }
    EXPECT_GT(ply, 0);
    for (EngineProcess& e : engines) EXPECT_EQ(e.quit(), 0);
}
