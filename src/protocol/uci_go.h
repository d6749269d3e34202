// The UCI "go" line: its tokens, the choice of search, and the clock rule that turns the
// interface's clock figures into the time budget of one search.
#pragma once

#include <cstdint>
#include <string>

struct GoParameters {
    int wtime = 0;
    int btime = 0;
    int winc = 0;
    int binc = 0;
    int movestogo = 0;  // a negative figure counts as none
    int movetime = 0;
    int depth = 0;
    bool infinite = false;
    bool ponder = false;
};

// Walks the tokens of a whole "go" line; a keyword's value is the next token (0 if missing).
GoParameters parse_go(const std::string& line);

// Milliseconds for one search from the mover's clock figures, never below 1.
int clock_budget(const GoParameters& go, bool black_to_move);

// What think is asked for: a time budget in ms (0: none), a depth (0: none), whether the
// moves played count is passed on, and the deadline (0: none) that keeps a fixed time a move
// ("movetime") and the mover's clock ("wtime" / "btime", whatever the other limits).
struct SearchRequest {
    int time_ms;
    int depth;
    bool pass_moves_played;
    std::int64_t deadline_ms;
};
SearchRequest choose_search(const GoParameters& go, bool black_to_move);

// The budget of "go infinite".
constexpr int INFINITE_BUDGET_MS = 99999999;
