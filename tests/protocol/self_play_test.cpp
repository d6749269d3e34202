// Whole games of Orlo against itself through each protocol, judged by the referee the soak
// tool uses: every move checked with the engine's own generator, every line's form checked.
// The clocks run but are not judged: tests never assert on timing.
#include <gtest/gtest.h>

#include "support/engine_runner.h"
#include "testsupport/referee.h"

TEST(SelfPlay, GamesThroughEachProtocol) {
    for (RefereeProtocol protocol : {RefereeProtocol::UCI, RefereeProtocol::XBOARD}) {
        RefereeSetup setup;
        setup.engine = ORLO_BINARY;
        setup.directory =
            make_scratch_dir(protocol == RefereeProtocol::UCI ? "self_uci" : "self_xboard");
        setup.protocol = protocol;
        setup.base_ms = 3000;
        setup.increment_ms = 0;
        setup.count_overruns = false;
        setup.ply_limit = 40;
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
