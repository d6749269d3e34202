// `orlo bench [DEPTH]` through the real binary: one line with the benchmark searches' node
// total (the same as in-process) and their speed, then exit; bad depths refused.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <regex>

#include "app/bench_searches.h"
#include "support/engine_runner.h"

namespace {

std::string run_orlo(const std::vector<std::string>& arguments, int& status) {
    ChildProcess child;
    if (!start_child(child, ORLO_BINARY, arguments, make_scratch_dir("command_line"))) return "";
    close_child_input(child);
    const std::string output = read_child_all(child, 120000);
    status = wait_child(child, 5000);
    return output;
}

TEST(CommandLine, BenchPrintsTheSearchesNodeTotalAndSpeedOnOneLine) {
    int status = -1;
    const std::string output = run_orlo({"bench", "3"}, status);
    EXPECT_EQ(status, 0);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(output, m, std::regex("([0-9]+) nodes [0-9]+ nps\n"))) << output;
    const BenchRun run = run_bench_searches(3);
    EXPECT_EQ(std::stoll(m[1]), run.total_nodes);
    EXPECT_GT(run.total_visited, 0);
    EXPECT_LT(run.total_visited, run.total_nodes);  // the protocol count takes children twice
}

TEST(CommandLine, BenchRefusesDepthsOutsideTheRange) {
    for (const char* depth : {"0", "21", "x", "-3"}) {
        int status = -1;
        EXPECT_EQ(run_orlo({"bench", depth}, status), "depth must be between 1 and 20\n");
        EXPECT_EQ(status, 2) << depth;
    }
}

}  // namespace
