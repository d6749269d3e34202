// The benchmark searches: fixed-depth searches of a built-in set of positions, each from the
// state of a freshly started engine. Their node total is the engine's behaviour signature; it
// must not change unless the search or the evaluation is meant to change. orlo-bench search
// and `orlo bench` both run them.
#pragma once

#include <cstdint>

constexpr int BENCH_DEFAULT_DEPTH = 8;
constexpr int BENCH_MAX_DEPTH = 20;

struct BenchTotals {
    std::int64_t nodes;    // the protocol's count: alpha-beta plus quiescence nodes
    std::int64_t visited;  // positions searched, each quiescence child once
    double seconds;
    int positions;
};

// Called after each search with its number (from 1), FEN, best move text and node count.
using BenchReport = void (*)(int number, const char* fen, const char* best, std::int64_t nodes);

// Runs the searches at `depth` (1 .. BENCH_MAX_DEPTH) with the search's own output sent to a
// scratch file, calling `report` (if given) after each. Returns false, with a message on
// standard output, if the scratch file cannot be had or a position is unusable.
bool run_bench_searches(int depth, BenchTotals& totals, BenchReport report);
