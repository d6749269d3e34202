// The deadline that keeps an interface's clock, on a clock the tests drive: a fixed time a move
// (UCI "movetime", xboard "st"), what is left on the mover's clock, and pondering, which runs
// no deadline until "ponderhit" and from then on counts it from there. The lines go through
// the protocol loops' own handlers; the search then ends at the last look at the clock before
// the deadline.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/uci_loop.h"
#include "protocol/xboard_loop.h"
#include "search/search_flags.h"
#include "search/search_state.h"
#include "shell/clock.h"
#include "support/engine_runner.h"
#include "support/search_run.h"
#include "support/test_clock.h"
#include "testsupport/input_redirect.h"

namespace {

// A look at the clock comes every INTERRUPT_INTERVAL nodes of the search, a little later when
// quiescence nodes delay it: about 30 ms apart at this rate, so that every deadline below is
// several looks away.
constexpr std::int64_t NODES_PER_MS = 150;
constexpr std::int64_t LOOK_GAP_MS = (INTERRUPT_INTERVAL + INTERRUPT_INTERVAL / 8) / NODES_PER_MS;

// Many root moves and tactics everywhere: the searches here are cut, not ended by themselves.
const std::string KIWIPETE = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

struct Row {
    const char* what;
    ProtocolMode mode;
    std::vector<std::string> lines;  // after the position is set up; the last one searches
    std::int64_t deadline_ms;        // the deadline the lines give, from the search's start
    std::int64_t release_ms;         // UCI: when "ponderhit" (or "stop") is written; 0 none
    const char* release;
};

struct Outcome {
    std::int64_t end_ms;  // the clock reading when the search had ended
    int stop_flag;
    std::string output;
};

// Runs the row's lines through the loop's handlers with the clock at NODES_PER_MS.
Outcome search_row(const Row& row) {
    fresh_search_state(row.mode);
    InputPipe pipe;  // nothing waits unless the row writes it
    EXPECT_TRUE(redirect_input_to_pipe(pipe));
    CapturedOutput capture;
    TestClock clock(NODES_PER_MS);
    if (row.release_ms)
        clock.at_nodes(row.release_ms * NODES_PER_MS,
                       [&] { write_input_pipe(pipe, std::string(row.release) + "\n"); });
    if (row.mode == UCI_MODE) {
        UciSession session;
        uci_handle_line(session, "position fen " + KIWIPETE);
        for (const std::string& line : row.lines) uci_handle_line(session, line);
    } else {
        XboardSession session;
        for (const std::string& line :
             {std::string("new"), std::string("force"), "setboard " + KIWIPETE})
            xboard_handle_line(session, line);
        for (const std::string& line : row.lines) xboard_handle_line(session, line);
    }
    const Outcome outcome{clock_ms(), search_flags.stop_flag, capture.text()};
    close_input_pipe(pipe);
    restore_standard_input();
    fresh_search_state();
    return outcome;
}

}  // namespace

TEST(MoveDeadline, TheSearchEndsAtTheLastLookBeforeIt) {
    const Row rows[] = {
        {"movetime", UCI_MODE, {"go movetime 200"}, 190, 0, ""},
        {"movetime", UCI_MODE, {"go movetime 1000"}, 990, 0, ""},
        {"st", XBOARD_MODE, {"st 1", "go"}, 990, 0, ""},
        // The clock left bounds every search: a depth, a longer fixed time.
        {"clock left", UCI_MODE, {"go depth 30 wtime 300 btime 9000"}, 290, 0, ""},
        {"clock left", UCI_MODE, {"go movetime 1000 wtime 500 btime 500"}, 490, 0, ""},
        {"clock left", XBOARD_MODE, {"level 0 1 0", "time 30", "sd 30", "go"}, 290, 0, ""},
        // Pondering runs no deadline; from the ponderhit it counts from the look before it.
        {"search_flags.pondering",
         UCI_MODE,
         {"go ponder depth 30 wtime 300 btime 300"},
         0,
         1000,
         "stop"},
        {"ponderhit", UCI_MODE, {"go ponder depth 30 wtime 300 btime 300"}, 290, 500, "ponderhit"},
    };
    InDirectory scratch(make_scratch_dir("move_deadline"));
    for (const Row& row : rows) {
        const Outcome outcome = search_row(row);
        const std::int64_t end = outcome.end_ms;
        const std::string name = std::string(row.what) + " " + row.lines.back();
        EXPECT_NE(outcome.output.find(row.mode == UCI_MODE ? "\nbestmove " : "\nmove "),
                  std::string::npos)
            << name << outcome.output;
        if (!row.deadline_ms) {
            // The "stop" ended it, long past the deadline the clock figures would give.
            EXPECT_EQ(outcome.stop_flag, STOPPED_BY_INPUT) << name;
            EXPECT_GE(end, row.release_ms) << name;
            continue;
        }
        EXPECT_EQ(outcome.stop_flag, 1) << name;
        // The look before the ponderhit was at most one gap before it was written.
        const std::int64_t from = row.release_ms;
        const std::int64_t earliest_from = row.release_ms ? row.release_ms - LOOK_GAP_MS : 0;
        EXPECT_LE(end, from + row.deadline_ms) << name;
        EXPECT_GT(end, earliest_from + row.deadline_ms - LOOK_GAP_MS) << name;
    }
}
