// Fixed times a move and low clocks kept by the real binary through pipes, as an interface
// that enforces its clock sees it: the reply arrives before the time has passed, measured from
// sending the command. These are the only tests that time anything: keeping a clock is what
// they are about. The positions are hard to stop: many root moves, tactics everywhere, long
// iterations that the engine's own time rules would let run on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/protocol_checks.h"
#include "shell/clock.h"

namespace {

// Many root moves and tactics everywhere; the queens in the middle; a queen against a rook,
// checks everywhere; a pawn ending, iterations that reach deep. Each made the engine's own time
// rules overrun a fixed time a move before it had a deadline.
const std::string KIWIPETE = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
const std::string OPEN_CENTRE = "r3k2r/ppp2ppp/2n5/3qp3/8/2N2N2/PPP2PPP/R2QK2R w KQkq - 0 1";
const std::string QUEEN_ROOK = "8/8/3k4/8/8/3r4/8/Q3K3 w - - 0 1";
const std::string PAWN_ENDING = "8/8/1p6/1P1k4/3P4/4K3/8/8 w - - 0 1";

struct Row {
    bool uci;
    std::string fen;
    std::vector<std::string> setup;  // sent (and answered) before the timed line
    std::string timed;               // the command whose reply is timed
    std::int64_t allowed_ms;         // the time the interface allows for the reply
};

// Milliseconds from sending the row's command to reading the engine's move; -1 if none came.
std::int64_t reply_time(EngineProcess& engine, const Row& row) {
    const char* reply = row.uci ? "bestmove " : "\nmove ";
    const std::int64_t sent = clock_ms();
    engine.send(row.timed);
    const std::string text = engine.until(reply, 30000);
    const std::int64_t used = clock_ms() - sent;
    engine.until("\n");
    return text.empty() ? -1 : used;
}

}  // namespace

TEST(MoveTimePipe, FixedMoveTimesAndLowClocksAreKept) {
    const Row rows[] = {
        {true, KIWIPETE, {}, "go movetime 200", 200},
        {true, OPEN_CENTRE, {}, "go movetime 1000", 1000},
        {false, QUEEN_ROOK, {"st 1"}, "go", 1000},
        // Low clocks: the last move of a period, and depths the clock cuts short.
        {true, KIWIPETE, {}, "go wtime 300 btime 300 movestogo 1", 300},
        {true, PAWN_ENDING, {}, "go depth 30 wtime 300 btime 300", 300},
        {false, PAWN_ENDING, {"level 0 1 0", "sd 30", "time 30", "otim 30"}, "go", 300},
    };
    UciEngine uci("move_time_uci");
    XboardEngine xboard("move_time_xboard");
    for (const Row& row : rows) {
        // A reply can be late without the engine's fault: a machine too busy to run it (or this
        // test) for longer than the margin. A late reply is asked for once more; an engine that
        // does not keep the time is late again.
        std::int64_t used = -1;
        for (int attempt = 0; attempt < 2 && (used < 0 || used >= row.allowed_ms); ++attempt) {
            if (row.uci) {
                uci.exchange("position fen " + row.fen);
                used = reply_time(uci, row);
                uci.exchange("");
            } else {
                for (const std::string& line :
                     {std::string("new"), std::string("force"), "setboard " + row.fen})
                    xboard.send(line);
                for (const std::string& line : row.setup) xboard.send(line);
                xboard.exchange("");
                used = reply_time(xboard, row);
                xboard.exchange("");
            }
        }
        EXPECT_GE(used, 0) << row.timed;
        EXPECT_LT(used, row.allowed_ms) << row.timed << " " << row.fen;
    }
    EXPECT_EQ(uci.quit(), 0);
    EXPECT_EQ(xboard.quit(), 0);
}
