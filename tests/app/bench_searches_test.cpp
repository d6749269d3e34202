// The bench searches' node total is the engine's behaviour signature: any change to the
// search, its ordering, pruning and extensions, or to the evaluation moves it.
#include "app/bench_searches.h"

#include <gtest/gtest.h>

#include "support/search_run.h"

namespace {

TEST(BenchSearches, DepthEightTotalIsTheSignature) {
    ASSERT_TRUE(tables_as_at_start_up());
    const BenchRun run = run_bench_searches(BENCH_DEFAULT_DEPTH);
    for (int i = 0; i < BENCH_POSITION_COUNT; ++i)
        EXPECT_GT(run.searches[i].nodes, 0) << BENCH_POSITIONS[i];
    EXPECT_EQ(run.total_nodes, 2644560);
}

}  // namespace
