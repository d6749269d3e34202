// orlo-bench search [DEPTH]: the bench searches (see app/bench_searches.h), printing the
// nodes per position and in total, the seconds and the nodes per second.
#include <cstdio>
#include <cstdlib>

#include "bench.h"
#include "app/bench_searches.h"

namespace {

constexpr int MAX_BENCH_DEPTH = 20;

void print_search(int index, const BenchSearch& search) {
    if (search.nodes == 0)
        std::printf("%2d  not searched: %s\n", index + 1, BENCH_POSITIONS[index]);
    else
        std::printf("%2d  %-6s %12lld nodes  %s\n", index + 1, search.best_text,
                    static_cast<long long>(search.nodes), BENCH_POSITIONS[index]);
}

}  // namespace

int bench_search(int argc, char** argv) {
    int depth = BENCH_DEFAULT_DEPTH;
    if (argc > 0) depth = std::atoi(argv[0]);
    if (depth < 1 || depth > MAX_BENCH_DEPTH) {
        std::printf("depth must be between 1 and %d\n", MAX_BENCH_DEPTH);
        return 2;
    }
    const BenchRun run = run_bench_searches(depth, print_search);
    std::printf(
        "\ndepth %d, %d positions: %lld nodes in %.3f s, %.0f nodes per second\n", depth,
        BENCH_POSITION_COUNT, static_cast<long long>(run.total_nodes), run.total_seconds,
        run.total_seconds > 0 ? static_cast<double>(run.total_nodes) / run.total_seconds : 0.0);
    return 0;
}
