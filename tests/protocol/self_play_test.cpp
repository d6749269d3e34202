// Whole games of Orlo against itself through each protocol, judged by the referee the soak
// tool uses: every move checked with the engine's own generator, every line's form checked.
// The clocks (or fixed times a move) run but are not judged: a busy machine must not fail a
// game here; move_time_pipe_test.cpp times replies.
#include <gtest/gtest.h>

#include <string>

#include "support/engine_runner.h"
#include "testsupport/referee.h"

TEST(SelfPlay, GamesThroughEachProtocol) {
    struct Case {
        RefereeProtocol protocol;
        int movetime_ms;  // 0: 3 s clocks
        int ply_limit;
    } cases[] = {
        {RefereeProtocol::UCI, 0, 40},
        {RefereeProtocol::XBOARD, 0, 40},
        {RefereeProtocol::UCI, 100, 12},  // a fixed time a move
    };
    for (const Case& c : cases) {
        RefereeSetup setup;
        setup.engine = ORLO_BINARY;
        setup.directory = make_scratch_dir(
            std::string(c.protocol == RefereeProtocol::UCI ? "self_uci" : "self_xboard") +
            std::to_string(c.movetime_ms));
        setup.protocol = c.protocol;
        setup.base_ms = 3000;
        setup.increment_ms = 0;
        setup.movetime_ms = c.movetime_ms;
        setup.count_overruns = false;
        setup.ply_limit = c.ply_limit;
        setup.grace_ms = 60000;
        setup.opening = {"e2e4", "c7c5"};
        const GameReport r = referee_game(setup);
        std::string faults;
        for (const std::string& f : r.faults) faults += f + "\n";
        EXPECT_EQ(r.crashes + r.hangs + r.illegal_moves + r.malformed_lines, 0)
            << faults << r.moves;
        EXPECT_GT(r.plies, 0);
        EXPECT_NE(r.result, "*") << r.reason;
    }
}
