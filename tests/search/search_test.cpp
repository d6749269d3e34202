// The search below think: mate and draw scores, repetitions, the futility fail-low, root
// ordering, and the aspiration steps.
#include <gtest/gtest.h>

#include "board/make_move.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "movegen/generate_moves.h"
#include "search/alpha_beta.h"
#include "search/root_search.h"
#include "search/search_state.h"
#include "search/think.h"
#include "search/trans_table.h"
#include "support/positions.h"

namespace {

// Searches a node at `at_ply` with the globals as think would leave them.
int search_node(const std::string& fen, int at_ply, int contempt, int side_at_root, int alpha,
                int beta, int depth, bool repeat_root = false) {
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
    if (repeat_root) path_keys[PATH_ROOT] = path_key_of(hash_key);  // the same at the root
    clear_ply_marks();
    ply = at_ply;
    in_check[at_ply] = side_to_move_in_check(p);
    Move best = 0;
    const int v = alpha_beta(p, alpha, beta, depth, best, 0);
    ply = 0;
    return v;
}

TEST(AlphaBeta, MateStalemateAndRepetitionScores) {
    // Checkmated at ply 3 scores 3 - 32000; stalemate 0 whatever the contempt.
    EXPECT_EQ(search_node("k7/1Q6/1K6/8/8/8/8/8 b", 3, 0, 0, -MATE, MATE, 16), 3 - MATE);
    EXPECT_EQ(search_node("k7/2Q5/1K6/8/8/8/8/8 b", 2, 75, 0, -MATE, MATE, 16), 0);
    // The position 4 plies back scores the contempt for the root side; 6 plies back is not a
    // repetition of the side to move.
    const std::string fen = "4k3/8/8/8/8/8/8/3QK3 w";
    EXPECT_EQ(search_node(fen, 4, 40, 0, -MATE, MATE, 16, true), 40);
    EXPECT_EQ(search_node(fen, 4, 40, 1, -MATE, MATE, 16, true), -40);
    EXPECT_GT(search_node(fen, 6, 40, 0, -MATE, MATE, 8, true), 200);
}

TEST(AlphaBeta, NodeWithEveryMovePrunedFailsLowWithoutMateScore) {
    // Only quiet king moves, far below alpha, near the leaves: all are pruned.
    const int v = search_node("7k/8/8/8/8/8/8/K7 w", 2, 0, 0, 5000, 5001, 8);
    EXPECT_LE(v, 5000);
    EXPECT_GT(v, -31000);
    // Stored as an upper bound: no cutoff above it.
    const HashProbe probe = hash_probe(hash_key, 8, 4000, 6000);
    EXPECT_TRUE(!probe.cutoff || probe.value <= 5000);
}

TEST(RootOrder, SortsWithoutCountingAnEvaluation) {
    // Black's queen hangs on d4: taking it goes first. Reading the attack record is not one
    // of the evaluations whose count the statistics print.
    Position p = position_from_fen("rnb1kbnr/pppp1ppp/8/8/3q4/8/PPP2PPP/RNBQKBNR w KQkq");
    root_count = generate_moves(p, root_moves);
    const std::uint64_t evals = eval_count;
    root_order(p);
    EXPECT_EQ(eval_count, evals);
    EXPECT_EQ(move_texts(p, {root_moves[0]})[0], "d1d4");
    reset_root_moves();
}

TEST(Aspiration, WindowSteps) {
    const struct {
        int alpha, beta, delta, value;
        int new_alpha, new_beta, new_delta;
    } steps[] = {
        // The first iteration's fail low: beta 0, alpha -100, delta 100; then again.
        {-50, 50, 50, -60, -100, 0, 100},
        {-100, 0, 100, -150, -200, -50, 200},
        // A fail high moves alpha to the middle; past 1000 a side opens completely.
        {500, 900, 400, 950, 700, MATE, -1},
        {-900, -500, 400, -950, -MATE, -700, -1},
    };
    for (const auto& s : steps) {
        int alpha = s.alpha, beta = s.beta, delta = s.delta;
        widen_window(s.value, alpha, beta, delta);
        EXPECT_EQ(alpha, s.new_alpha);
        EXPECT_EQ(beta, s.new_beta);
        if (s.new_delta > 0) {
            EXPECT_EQ(delta, s.new_delta);
        }
    }
}

}  // namespace
