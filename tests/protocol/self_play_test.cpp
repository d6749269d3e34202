// Whole games of Orlo against itself through each protocol, judged by the referee the soak
// tool uses: every move checked with the engine's own generator, every line's form checked.
// The clocks run but are not judged: tests never assert on timing.
#include <gtest/gtest.h>

#include "harness/referee.h"
#include "support/engine_runner.h"

namespace {

constexpr int PLY_CAP = 40;

GameReport short_game(RefereeProtocol protocol, const std::string& name) {
    RefereeSetup setup;
    setup.engine = ORLO_BINARY;
    setup.directory = make_scratch_dir(name);
    setup.protocol = protocol;
    setup.base_ms = 3000;
    setup.increment_ms = 0;
    setup.count_overruns = false;
    setup.ply_limit = PLY_CAP;
    setup.grace_ms = 60000;
    setup.opening = {"e2e4", "c7c5"};
    return referee_game(setup);
}

void expect_clean(const GameReport& r) {
    std::string faults;
    for (const std::string& f : r.faults) faults += f + "\n";
    EXPECT_EQ(r.crashes, 0) << faults;
    EXPECT_EQ(r.hangs, 0) << faults;
    EXPECT_EQ(r.illegal_moves, 0) << faults << r.moves;
    EXPECT_EQ(r.malformed_lines, 0) << faults;
    EXPECT_GT(r.plies, 0);
    EXPECT_NE(r.result, "*") << r.reason;
}

}  // namespace

TEST(SelfPlay, UciGame) {
    expect_clean(short_game(RefereeProtocol::UCI, "self_uci"));
}

TEST(SelfPlay, XboardGame) {
    expect_clean(short_game(RefereeProtocol::XBOARD, "self_xboard"));
}
