// The bench searches: fixed-depth searches of a built-in set of positions, each from the state
// of a freshly started engine. Their node total at depth 8 is the engine's behaviour
// signature: it must not change unless the search or the evaluation is meant to change.
#pragma once

#include <array>
#include <cstdint>

constexpr int BENCH_POSITION_COUNT = 33;
constexpr int BENCH_DEFAULT_DEPTH = 8;
constexpr int BENCH_MAX_DEPTH = 20;
// Openings, middlegames and endings, quiet and tactical.
extern const std::array<const char*, BENCH_POSITION_COUNT> BENCH_POSITIONS;

struct BenchSearch {
    std::int64_t nodes;    // alpha-beta and quiescence; 0 when the position was not searched
    std::int64_t visited;  // positions searched, each quiescence child once
    double seconds;
    char best_text[8];
};

struct BenchRun {
    std::array<BenchSearch, BENCH_POSITION_COUNT> searches;
    std::int64_t total_nodes;
    std::int64_t total_visited;
    double total_seconds;
};

// Searches every bench position to `depth` plies, each from a freshly started engine
// (reset_engine_state), the searches' own output going nowhere.
// Calls `searched` (when given) after each position with its index, to report progress.
BenchRun run_bench_searches(int depth, void (*searched)(int index, const BenchSearch&) = nullptr);
