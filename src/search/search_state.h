// The process-wide state shared by think, the root, alpha-beta and quiescence searches:
// limits, the repetition path, per-ply marks and the statistics counters.
#pragma once

#include <array>
#include <cstdint>

#include "board/make_move.h"

constexpr int MATE = 32000;
// Depths count in eighths of a ply, so that extensions and reductions can be fractions.
constexpr int ONE_PLY = 8;

// How often, in nodes of both searches, the search looks at the clock and the input.
// Quiescence nodes count too: a stretch of alpha-beta nodes with large quiescence trees
// below them could otherwise run far past the time limit between two looks.
#ifdef ORLO_FUZZING
// The fuzz build drives whole protocol sessions in-process: its searches end at these limits
// and never by the clock, so that every run of an input does the same and stays short.
constexpr std::int64_t INTERRUPT_INTERVAL = 256;
constexpr int FUZZ_DEPTH_LIMIT = 3;
constexpr std::int64_t FUZZ_NODE_LIMIT = 4096;  // alpha-beta and quiescence nodes
#else
constexpr std::int64_t INTERRUPT_INTERVAL = 4096;
#endif
// The node total (alpha-beta and quiescence) at which the next look is due. The first comes
// one interval into the search: by then the shallow iterations are done, so that a line
// already waiting when the search starts ends it with a searched move, not an unsearched one.
extern std::int64_t next_interrupt_check;

// Planned time in ms and the clock reading when the search proper started.
extern std::int64_t time_budget;
extern std::int64_t search_start_ms;
// This search's deadline: its length in ms (0: none), as the protocol loop handed it over, and
// the clock reading by which the search must have ended (from the start, or from a ponderhit;
// 0 while it does not run). The clock reading at the last look at the clock (the start before
// the first), and the longest time so far between two looks (the first from the start).
extern std::int64_t deadline_span_ms;
extern std::int64_t deadline_at_ms;
extern std::int64_t previous_look_ms;
extern std::int64_t longest_look_gap_ms;
// Would a clock reading `lead` ms after `now` be past the deadline (never when none runs)?
bool deadline_reached(std::int64_t now, std::int64_t lead);

// The contempt value and the side to move at the root (0 white, 1 black).
extern int draw_value;
extern int root_side;
// Copy of the easymove setting for the root search.
extern int easy_move_enabled;
// Highest ply reached by a quiescence node in this search.
extern int sel_depth;

// Repetition path: entries 1..19 the game positions before the root (nearest at 19), entry
// 20 + p the position at ply p of the current path. 0 holds no key and matches nothing,
// which is why every stored key is forced nonzero.
constexpr int PATH_ROOT = 20;
extern std::array<std::uint32_t, PATH_ROOT + MAX_PLY + 1> path_keys;
constexpr std::uint32_t path_key_of(std::uint64_t key) {
    std::uint32_t low = static_cast<std::uint32_t>(key);
    return low ? low : 1;
}

// Per ply: the move made here is a null move; the move made here got the check extension.
struct PlyMarks {
    std::array<std::int32_t, MAX_PLY + 2> null_mark;
    std::array<std::int32_t, MAX_PLY + 2> check_extended;
};
extern PlyMarks ply_marks;
// Clears the marks above and make_move's per-ply entries, as every search starts.
void clear_ply_marks();

// Statistics, all reset by think. 64-bit: long analyses pass 2^31 nodes.
struct SearchStats {
    std::int64_t node_count;     // alpha-beta nodes past the hash probe (and root calls)
    std::int64_t qs_node_count;  // quiescence nodes (each child counted twice)
    std::int64_t visited;        // root, alpha-beta and quiescence calls, each once
    std::int64_t null_tries;
    std::int64_t null_cutoffs;
    std::int64_t beta_cutoffs;
    std::int64_t first_move_cutoffs;
    std::int64_t pv_hits;
    std::int64_t check_extensions;
    std::int64_t single_reply_extensions;
    std::int64_t mate_threat_extensions;
};
extern SearchStats stats;

// The aspiration step after a search of the window (alpha, beta) returned v outside it:
// widens the failing side, moves the other to the middle, doubles delta, and opens a side
// fully once it passes 1000.
void widen_window(int v, int& alpha, int& beta, int& delta);
