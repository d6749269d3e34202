// The search below think: mate and draw scores, repetitions, the futility fail-low, and the
// aspiration steps.
#include <gtest/gtest.h>

#include "board/make_move.h"
#include "board/zobrist.h"
#include "search/alpha_beta.h"
#include "search/search_state.h"
#include "search/think.h"
#include "search/trans_table.h"
#include "shell/clock.h"
#include "support/positions.h"
#include "support/search_run.h"

namespace {

// The globals a node reads, as think would leave them, with the node at `at_ply`.
Position node_setup(const std::string& fen, int at_ply, int contempt, int side_at_root) {
    Position p = position_from_fen(fen);
    clear_hash_tables();
    stop_flag = 0;
    pondering = 0;
    time_budget = 100000000;
    search_start_ms = 0;
    stats = SearchStats{};
    stats.node_count = 1;  // off the 4096 grid: no interrupt check
    draw_value = contempt;
    root_side = side_at_root;
    path_keys.fill(0);
    null_mark.fill(0);
    check_extended.fill(0);
    in_check.fill(0);
    captured_value.fill(0);
    pawn_push.fill(0);
    capture_square.fill(-1);
    ply = at_ply;
    const bool black = (p.flags & BLACK_TO_MOVE) != 0;
    in_check[at_ply] = black ? is_attacked(p, p.black_king, 0) : is_attacked(p, p.white_king, 1);
    return p;
}

int search_node(Position& p, int alpha, int beta, int depth) {
    Move best = 0;
    const int v = alpha_beta(p, alpha, beta, depth, best, 0);
    ply = 0;
    return v;
}

TEST(AlphaBeta, MateAndStalemateScores) {
    // Checkmated at ply 3 scores 3 - 32000.
    Position mated = node_setup("k7/1Q6/1K6/8/8/8/8/8 b", 3, 0, 0);
    EXPECT_EQ(search_node(mated, -MATE, MATE, 16), 3 - MATE);
    // Stalemate scores 0, whatever the contempt.
    Position stalemate = node_setup("k7/2Q5/1K6/8/8/8/8/8 b", 2, 75, 0);
    EXPECT_EQ(search_node(stalemate, -MATE, MATE, 16), 0);
}

TEST(AlphaBeta, QuiescenceNodesCountTowardsTheNextLookAtTheClock) {
    // A budget long used up: the next look at the clock stops the search.
    Position p = node_setup("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq", 0, 0, 0);
    time_budget = 1;
    search_start_ms = clock_ms() - 1000;
    // Few alpha-beta nodes (off any grid of them) but many quiescence nodes: the look is due.
    stats.node_count = 1;
    stats.qs_node_count = 100000;
    next_interrupt_check = INTERRUPT_INTERVAL;
    search_node(p, -MATE, MATE, 16);
    EXPECT_EQ(stop_flag, 1);
    // Not yet due: the node is searched.
    p = node_setup("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq", 0, 0, 0);
    time_budget = 1;
    search_start_ms = clock_ms() - 1000;
    next_interrupt_check = INTERRUPT_INTERVAL;
    search_node(p, -MATE, MATE, 8);
    EXPECT_EQ(stop_flag, 0);
    time_budget = 100000000;
    stop_flag = 0;
}

TEST(AlphaBeta, RepetitionFourPliesBackScoresContemptForTheRootSide) {
    const std::string fen = "4k3/8/8/8/8/8/8/3QK3 w";
    for (int side_at_root : {0, 1}) {
        Position p = node_setup(fen, 4, 40, side_at_root);
        path_keys[PATH_ROOT] = path_key_of(hash_key);  // the same position at the root
        EXPECT_EQ(search_node(p, -MATE, MATE, 16), side_at_root == 0 ? 40 : -40);
    }
    // Six plies back is not a repetition of the side to move: searched normally.
    Position p = node_setup(fen, 6, 40, 0);
    path_keys[PATH_ROOT] = path_key_of(hash_key);
    EXPECT_GT(search_node(p, -MATE, MATE, 8), 200);
}

TEST(AlphaBeta, NodeWithEveryMovePrunedFailsLowWithoutMateScore) {
    // Only quiet king moves, far below alpha, near the leaves: all are pruned.
    Position p = node_setup("7k/8/8/8/8/8/8/K7 w", 2, 0, 0);
    const int v = search_node(p, 5000, 5001, 8);
    EXPECT_LE(v, 5000);
    EXPECT_GT(v, -31000);
    // The table holds it as an upper bound: a probe with a lower alpha finds no cutoff above.
    HashProbe probe = hash_probe(hash_key, 8, 4000, 6000);
    EXPECT_TRUE(!probe.cutoff || probe.value <= 5000);
}

TEST(Aspiration, FirstIterationFailLowSequence) {
    int alpha = -50, beta = 50, delta = 50;
    widen_window(-60, alpha, beta, delta);
    EXPECT_EQ(alpha, -100);
    EXPECT_EQ(beta, 0);
    EXPECT_EQ(delta, 100);
    widen_window(-150, alpha, beta, delta);
    EXPECT_EQ(alpha, -200);
    EXPECT_EQ(beta, -50);
    EXPECT_EQ(delta, 200);
    // Fail high moves alpha to the middle; past 1000 a side opens completely.
    alpha = 500, beta = 900, delta = 400;
    widen_window(950, alpha, beta, delta);
    EXPECT_EQ(alpha, 700);
    EXPECT_EQ(beta, MATE);
    alpha = -900, beta = -500, delta = 400;
    widen_window(-950, alpha, beta, delta);
    EXPECT_EQ(alpha, -MATE);
    EXPECT_EQ(beta, -700);
}

}  // namespace
