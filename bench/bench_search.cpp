// orlo-bench search [DEPTH]: the bench searches (see app/bench_searches.h), printing the
// nodes per position and in total, the seconds, the nodes per second and the positions
// actually visited.
#include <cstdio>
#include <cstdlib>

#include "app/bench_searches.h"
#include "bench.h"

namespace {

void print_search(int index, const BenchSearch& search) {
    if (search.nodes == 0)
        std::printf("%2d  not searched: %s\n", index + 1, BENCH_POSITIONS[index]);
    else
        std::printf("%2d  %-6s %12lld nodes %8.4f s  %s\n", index + 1, search.best_text,
                    static_cast<long long>(search.nodes), search.seconds, BENCH_POSITIONS[index]);
}

double per_second(std::int64_t count, double seconds) {
    return seconds > 0 ? static_cast<double>(count) / seconds : 0.0;
}

}  // namespace

int bench_search(int argc, char** argv) {
    int depth = BENCH_DEFAULT_DEPTH;
    if (argc > 0) depth = std::atoi(argv[0]);
    if (depth < 1 || depth > BENCH_MAX_DEPTH) {
        std::printf("depth must be between 1 and %d\n", BENCH_MAX_DEPTH);
        return 2;
    }
    const BenchRun run = run_bench_searches(depth, print_search);
    std::printf("\ndepth %d, %d positions: %lld nodes in %.3f s, %.0f nodes per second\n", depth,
                BENCH_POSITION_COUNT, static_cast<long long>(run.total_nodes), run.total_seconds,
                per_second(run.total_nodes, run.total_seconds));
    // The protocol's count takes each quiescence child twice; engines that count every
    // position once compare with this figure.
    std::printf("positions visited (each once): %lld, %.0f a second\n",
                static_cast<long long>(run.total_visited),
                per_second(run.total_visited, run.total_seconds));
    return 0;
}
