// orlo-bench search [DEPTH]: the benchmark searches, printing the nodes per position and in
// total, the seconds, the nodes per second and the positions actually visited.
#include <cstdio>
#include <cstdlib>

#include "bench.h"
#include "harness/bench_searches.h"

namespace {

void print_position(int number, const char* fen, const char* best, std::int64_t nodes) {
    std::printf("%2d  %-6s %12lld nodes  %s\n", number, best, static_cast<long long>(nodes), fen);
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
    BenchTotals totals;
    if (!run_bench_searches(depth, totals, print_position)) return 1;
    std::printf("\ndepth %d, %d positions: %lld nodes in %.3f s, %.0f nodes per second\n", depth,
                totals.positions, static_cast<long long>(totals.nodes), totals.seconds,
                per_second(totals.nodes, totals.seconds));
    // The protocol's count takes each quiescence child twice; engines that count every
    // position once compare with this figure.
    std::printf("positions visited (each once): %lld, %.0f a second\n",
                static_cast<long long>(totals.visited), per_second(totals.visited, totals.seconds));
    return 0;
}
