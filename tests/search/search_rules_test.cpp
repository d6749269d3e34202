// The rules of the searches, each through a small position where the rule, and nothing else,
// decides the result or a count the search keeps: quiescence, null move, extensions, late-move
// reductions, futility, internal iterative deepening, the hash move and hint, repetitions and
// mates, the root's time rule and ordering, and the aspiration step.
#include <gtest/gtest.h>

#include <limits>

#include "board/make_move.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "movegen/generate_captures.h"
#include "movegen/generate_moves.h"
#include "search/alpha_beta.h"
#include "search/ordering.h"
#include "search/quiesce.h"
#include "search/root_search.h"
#include "search/search_state.h"
#include "search/think.h"
#include "search/trans_table.h"
#include "shell/clock.h"
#include "support/positions.h"

namespace {

constexpr int PLY = 8;

// The position with the globals as think leaves them for a node at `at_ply`: keys and counters
// for it, empty tables and history, no path or game before it, no time limit, and no look at
// the clock or input.
Position node(const Position& p, int at_ply) {
    hash_key = compute_hash_key(p);
    pawn_hash_key = compute_pawn_hash_key(p);
    piece_counts = count_pieces(p);
    clear_hash_tables();
    clear_history();
    stop_flag = 0;
    pondering = 0;
    time_budget = 100000000;
    search_start_ms = clock_ms();
    next_interrupt_check = std::numeric_limits<std::int64_t>::max();
    stats = SearchStats{};
    draw_value = 0;
    root_side = side_to_move(p);
    sel_depth = 0;
    path_keys.fill(0);
    clear_ply_marks();
    ply = at_ply;
    in_check[at_ply] = side_to_move_in_check(p);
    return p;
}
Position node(const std::string& fen, int at_ply) {
    return node(position_from_fen(fen), at_ply);
}

// The evaluation a node with this window sees (lazy exits included).
int eval_in(const Position& p, int alpha, int beta) {
    PawnRecord record;
    AttackInfo attacks;
    int passer_flag = 0;
    return evaluate(p, record, alpha, beta, passer_flag, 0, attacks);
}

struct Searched {
    int value;
    std::string best;  // "" when the node reported no move
    SearchStats stats;
};

Searched alpha_beta_at(Position& p, int alpha, int beta, int depth, Move hint = 0) {
    Move best = 0;
    const int v = alpha_beta(p, alpha, beta, depth, best, hint);
    ply = 0;
    return {v, best ? move_texts(p, {best})[0] : "", stats};
}

Searched quiesce_at(Position& p, int alpha, int beta, int level) {
    const int v = quiesce(p, alpha, beta, level);
    ply = 0;
    return {v, "", stats};
}

// The index of the named move in the node's full list, as the main table stores it.
int list_index(const Position& p, const std::string& text) {
    MoveList list;
    const int n = generate_moves(p, list);
    for (int i = 0; i < n; ++i)
        if (list[i] == find_move(p, text)) return i;
    ADD_FAILURE() << "no move " << text;
    return -1;
}

// A main-table entry for the node too shallow to cut: it gives only its move (and its mark).
void store_move(const Position& p, const std::string& text) {
    hash_store(list_index(p, text), hash_key, 0, -1, 1, 0);
}

// ---------------------------------------------------------------- quiescence

TEST(Quiesce, StandPatMarginAndTheDoubledCount) {
    // One pawn capture, exd5, whose child has nothing to do: searched, it costs two nodes
    // (counted in the parent and on entry). alpha - eval - 150 is the bar a capture's gain
    // must pass: the pawn (100) passes it when alpha is 249 above the evaluation, not at 250,
    // and then the node gives up at once. At beta <= eval the node stands pat.
    const std::string fen = "4k3/8/8/3p4/4P3/8/8/4K3 w";
    const int e = eval_in(node(fen, 0), -MATE, MATE);  // a pawn ending: never lazy
    const struct {
        int alpha, beta;
        std::int64_t nodes;
        int value;
    } cases[] = {
        {e + 249, e + 1000, 3, 65},
        {e + 250, e + 1000, 1, e},
        {e - 10, e, 1, e},
    };
    for (const auto& c : cases) {
        Position p = node(fen, 0);
        const Searched s = quiesce_at(p, c.alpha, c.beta, 1);
        EXPECT_EQ(s.stats.qs_node_count, c.nodes) << c.alpha - e;
        EXPECT_EQ(s.value, c.value) << c.alpha - e;
    }
}

TEST(Quiesce, ChecksAtTheFirstLevelOnlyAndMatesInCheck) {
    const struct {
        const char* fen;
        int at_ply, level;
        std::int64_t nodes;
        int value;  // 0: the static evaluation
    } cases[] = {
        // Ra8 mates. At level 0 the quiet check is generated and searched although it gains
        // nothing and alpha is far above the evaluation: a check's bar is 0.
        {"6k1/5ppp/8/8/8/7r/8/R5K1 w", 0, 0, 3, MATE - 1},
        // Deeper, checks are not generated: the node stands pat.
        {"6k1/5ppp/8/8/8/7r/8/R5K1 w", 0, 1, 1, 0},
        // Ra8+ Nxa8 loses the rook: below the bar of 0, not searched.
        {"6k1/5ppp/1n6/8/8/7r/8/R5K1 w", 0, 0, 1, 0},
        // Checkmated: ply - MATE, without a stand pat.
        {"3R2k1/5ppp/8/8/8/8/8/6K1 b", 3, 0, 1, 3 - MATE},
    };
    for (const auto& c : cases) {
        Position p = node(c.fen, c.at_ply);
        const int e = eval_in(p, 1000, 1100);
        const Searched s = quiesce_at(p, 1000, 1100, c.level);
        EXPECT_EQ(s.stats.qs_node_count, c.nodes) << c.fen << " level " << c.level;
        EXPECT_EQ(s.value, c.value ? c.value : e) << c.fen << " level " << c.level;
    }
    // In check there is no stand pat: the evasions are searched although eval >= beta.
    const std::string checked = "4k3/8/8/8/8/8/3p4/4K3 w";
    Position p = node(checked, 0);
    const int e = eval_in(p, -MATE, MATE);
    const Searched s = quiesce_at(p, e - 10, e, 0);
    EXPECT_EQ(s.stats.qs_node_count, 11);
    EXPECT_EQ(s.value, -5);
    EXPECT_LT(s.value, e);
}

TEST(Quiesce, TheStoredMoveGoesFirst) {
    // Rxc5 (500) is tried before exd4 (100) and cuts off; with exd4 stored as the node's
    // move it goes first, fails low, and Rxc5 follows.
    const std::string fen = "4k3/8/8/R1r5/3p4/4P3/8/4K3 w";
    const int e = eval_in(node(fen, 0), -MATE, MATE);
    const std::pair<const char*, std::int64_t> cases[] = {{"", 5}, {"e3d4", 9}, {"a5c5", 5}};
    for (const auto& [stored, nodes] : cases) {
        Position p = node(fen, 0);
        if (stored[0]) {
            MoveList list;
            int any_check = 0;
            const int n = generate_captures(p, list, attack_maps(p), false, any_check);
            const Move m = find_move(p, stored);
            const int index =
                static_cast<int>(std::find(list.begin(), list.begin() + n, m) - list.begin());
            // An upper bound far above the window: no cutoff, no narrowing, only the move.
            qs_hash_store(index, hash_key, 30000, 30000, 30001, 0);
        }
        const Searched s = quiesce_at(p, e - 1, e + 300, 1);
        EXPECT_EQ(s.stats.qs_node_count, nodes) << stored;
    }
}

// ---------------------------------------------------------------- null move

TEST(NullMove, WhenItIsTried) {
    const std::string knight = "4k3/8/8/8/8/8/4P3/1N2K3 w";
    const struct {
        const char* what;
        std::string fen;
        bool after_null, pv_marked;
        std::int64_t tries;
    } cases[] = {
        {"a piece besides the pawns", knight, false, false, 1},
        {"king and pawns only", "4k3/8/8/8/8/8/4P3/4K3 w", false, false, 0},
        {"right after a null move", knight, true, false, 0},
        {"at a node of the principal variation", knight, false, true, 0},
    };
    for (const auto& c : cases) {
        Position p = node(c.fen, 1);
        store_move(p, "e2e3");
        if (c.pv_marked) {
            char text[PV_TEXT_SIZE];
            hash_pv_line(p, text);  // marks the entry it passes
            piece_counts = count_pieces(p);
            clear_ply_marks();
        }
        null_mark[0] = c.after_null ? 1 : 0;
        ply = 1;
        const Searched s = alpha_beta_at(p, -501, -500, 2 * PLY);
        EXPECT_EQ(s.stats.null_tries, c.tries) << c.what;
        EXPECT_EQ(s.stats.pv_hits, c.pv_marked ? 1 : 0) << c.what;
    }
}

TEST(NullMove, ReducedByFourPliesThenByThree) {
    // The null move cuts off at each depth. Its search is depth - 5 plies from 6 plies on,
    // depth - 4 below: 5 and 6 plies both leave 1 ply, 4 plies leave none (quiescence).
    const std::string fen = "r1bqk2r/pp2bppp/2n1pn2/2pp4/3P4/2PBPN2/PP1N1PPP/R1BQK2R w KQkq";
    const struct {
        int depth;
        std::int64_t nodes, qs_nodes;
    } cases[] = {{4 * PLY, 1, 5}, {5 * PLY, 2, 39}, {6 * PLY, 2, 39}, {7 * PLY, 4, 35}};
    for (const auto& c : cases) {
        Position p = node(fen, 1);
        const Searched s = alpha_beta_at(p, -51, -50, c.depth);
        EXPECT_EQ(s.stats.null_cutoffs, 1) << c.depth;
        EXPECT_EQ(s.stats.node_count, c.nodes) << c.depth;
        EXPECT_EQ(s.stats.qs_node_count, c.qs_nodes) << c.depth;
    }
}

TEST(NullMove, MateThreatExtendsTheNode) {
    // A queen up, but ...Ra1 mates: the null move finds the mate, the node goes a ply deeper.
    Position p = node("r5k1/5ppp/8/8/7Q/8/5PPP/6K1 w", 1);
    const Searched s = alpha_beta_at(p, -1, 0, 2 * PLY);
    EXPECT_EQ(s.stats.null_tries, 1);
    EXPECT_EQ(s.stats.null_cutoffs, 0);
    EXPECT_EQ(s.stats.mate_threat_extensions, 1);
    EXPECT_EQ(s.stats.node_count, 5);
    EXPECT_EQ(s.stats.qs_node_count, 23);
}

TEST(NullMove, EnPassantTargetGoneDuringItAndBackAfter) {
    // After ...d5 white may take en passant; during white's null move black must not: with
    // the target left in place black's c7 and e7 pawns would "take" a pawn on d7.
    Position start = position_from_fen("rnbqkbnr/1ppppppp/p7/4P3/8/8/PPPP1PPP/RNBQKBNR b KQkq");
    ASSERT_TRUE(play_moves(start, {"d7d5"}));
    const struct {
        int beta, depth;
        std::int64_t nodes, qs_nodes;
        const char* best;
    } cases[] = {
        {-50, 5 * PLY, 2, 26, ""},  // the null move cuts off
        {20, 6 * PLY, 209, 967, "e5d6"},
    };
    for (const auto& c : cases) {
        Position p = node(start, 1);
        const Searched s = alpha_beta_at(p, c.beta - 1, c.beta, c.depth);
        EXPECT_EQ(p, start);
        EXPECT_GE(s.stats.null_tries, 1);
        EXPECT_EQ(s.stats.node_count, c.nodes) << c.beta;
        EXPECT_EQ(s.stats.qs_node_count, c.qs_nodes) << c.beta;
        EXPECT_EQ(s.best, c.best) << c.beta;
    }
}

// ---------------------------------------------------------------- extensions

TEST(Extensions, ChecksThatKeepTheirPieceAndSingleReplies) {
    // Ra8, Qe2, Qh5 and Qa4 check safely and are extended; Qd7 and Qd8 check but the king
    // takes the queen: not extended.
    Position p = node("4k3/8/8/8/8/8/8/R2QK3 w", 1);
    EXPECT_EQ(alpha_beta_at(p, -MATE, MATE, PLY).stats.check_extensions, 4);

    // Kg8 is the only reply: the node goes a ply deeper, so its child is a full-width node
    // instead of quiescence; not when the check into the node was itself extended.
    for (int after_extended_check : {0, 1}) {
        p = node("7k/8/6K1/8/8/8/8/7R b", 1);
        check_extended[0] = after_extended_check;
        const Searched s = alpha_beta_at(p, -MATE, MATE, PLY);
        EXPECT_EQ(s.stats.single_reply_extensions, 1);
        EXPECT_EQ(s.stats.node_count, after_extended_check ? 1 : 2);
        EXPECT_EQ(s.best, "h8g8");
    }
}

// ---------------------------------------------------------------- pruning and reductions

TEST(Futility, QuietMovesBelowAlphaByTheMarginOfTheDepth) {
    // eval + 100 x (plies + 1) < alpha prunes a quiet move below 3 plies. With every move
    // pruned the node fails low at alpha without a child; one point less and they are
    // searched. Captures and advanced free pawn pushes are never pruned.
    const struct {
        const char* fen;
        int depth, above;  // alpha = eval + above
        std::int64_t qs_nodes;
    } cases[] = {
        {"7k/8/8/8/8/8/8/K7 w", 0, 100, 3},       {"7k/8/8/8/8/8/8/K7 w", 0, 101, 0},
        {"7k/8/8/8/8/8/8/K7 w", PLY, 200, 3},     {"7k/8/8/8/8/8/8/K7 w", PLY, 201, 0},
        {"7k/8/8/8/8/8/8/K7 w", 2 * PLY, 300, 3}, {"7k/8/8/8/8/8/8/K7 w", 2 * PLY, 301, 0},
        {"7k/8/8/8/8/8/8/K7 w", 3 * PLY, 401, 2}, {"7k/8/8/8/8/8/p7/K7 w", 0, 101, 1},  // Kxa2
        {"7k/8/8/P7/8/8/8/K7 w", 0, 101, 1},                                            // a6
    };
    for (const auto& c : cases) {
        Position p = node(c.fen, 2);
        const int alpha = eval_in(p, -MATE, MATE) + c.above;  // kings and pawns: never lazy
        const Searched s = alpha_beta_at(p, alpha, alpha + 1, c.depth);
        EXPECT_EQ(s.stats.qs_node_count, c.qs_nodes) << c.fen << " " << c.depth << " " << c.above;
        if (c.qs_nodes == 0) {
            EXPECT_EQ(s.value, alpha);  // a fail low, not a mate score
            EXPECT_EQ(s.stats.node_count, 1);
            // Stored as an upper bound: below it a window is narrowed, never cut.
            const HashProbe probe = hash_probe(hash_key, c.depth, alpha - 10, MATE);
            EXPECT_EQ(probe.cutoff, 0);
            EXPECT_EQ(probe.beta, alpha);
        }
    }
}

TEST(LateMoveReductions, LaterQuietMovesOneOrTwoPliesShallower) {
    // Kf1 is the stored move and goes first; f3 follows. With its ordering score 0 f3 is
    // searched two plies shallower, into quiescence; as the hint (score 115) one ply
    // shallower, a full-width node. In the full window the moves that beat alpha at the
    // reduced depth are searched again at full depth.
    const std::string fen = "6k1/5ppp/8/8/8/8/5PPP/6K1 w";
    const int e = eval_in(node(fen, 1), -MATE, MATE);  // a pawn ending: never lazy
    const struct {
        const char* hint;
        int alpha, beta;
        std::int64_t nodes, qs_nodes;
    } cases[] = {
        {"", e + 99, e + 100, 3, 16},
        {"f2f3", e + 99, e + 100, 4, 16},
        {"", -MATE, MATE, 7, 39},
        {"f2f3", -MATE, MATE, 8, 46},
    };
    for (const auto& c : cases) {
        Position p = node(fen, 1);
        store_move(p, "g1f1");
        const Move hint = c.hint[0] ? find_move(p, c.hint) : 0;
        const Searched s = alpha_beta_at(p, c.alpha, c.beta, 3 * PLY, hint);
        EXPECT_EQ(s.stats.node_count, c.nodes) << c.hint << " " << c.alpha;
        EXPECT_EQ(s.stats.qs_node_count, c.qs_nodes) << c.hint << " " << c.alpha;
    }
}

TEST(InternalDeepening, ANodeWithoutAStoredMoveSearchesTwoPliesShallowerFirst) {
    const std::string fen = "r1bqk2r/pp2bppp/2n1pn2/2pp4/3P4/2PBPN2/PP1N1PPP/R1BQK2R w KQkq";
    const struct {
        int depth;
        const char* stored;
        std::int64_t nodes;
    } cases[] = {
        {2 * PLY, "", 4},
        {3 * PLY, "", 14},
        {3 * PLY, "d4c5", 6},
    };
    for (const auto& c : cases) {
        Position p = node(fen, 1);
        if (c.stored[0]) store_move(p, c.stored);
        null_mark[0] = 1;
        const Searched s = alpha_beta_at(p, -MATE, MATE, c.depth);
        EXPECT_EQ(s.stats.node_count, c.nodes) << c.depth << c.stored;
    }
}

// ---------------------------------------------------------------- ordering in the node

TEST(NodeOrdering, HashMoveAboveCapturesHintBetweenKnightAndPawnCaptures) {
    // The queen must leave d4. Rxh5 (knight, 130) loses it, so do bxa4 and Qxa4+ (pawns,
    // 110, the latter a check that keeps the queen). The hint (115) comes after the knight
    // capture and before the pawn captures; the stored move (1000) before everything.
    const std::string fen = "4k3/8/1p6/2p4n/p2Q4/1P6/8/6KR w";
    const int e = eval_in(node(fen, 1), -MATE, MATE);
    const struct {
        const char *hint, *stored;
        std::int64_t nodes, qs_nodes, first_move_cutoffs;
        const char* best;
    } cases[] = {
        {"", "", 2, 11, 0, "d4a4"},
        {"d4d3", "", 1, 9, 0, "d4d3"},
        {"", "d4d3", 1, 5, 1, "d4d3"},
        {"d4e3", "d4d3", 1, 5, 1, "d4d3"},
    };
    for (const auto& c : cases) {
        Position p = node(fen, 1);
        if (c.stored[0]) store_move(p, c.stored);
        null_mark[0] = 1;  // no null move here
        const Move hint = c.hint[0] ? find_move(p, c.hint) : 0;
        const Searched s = alpha_beta_at(p, e - 101, e - 100, PLY, hint);
        EXPECT_EQ(s.stats.beta_cutoffs, 1) << c.hint << c.stored;
        EXPECT_EQ(s.stats.first_move_cutoffs, c.first_move_cutoffs) << c.hint << c.stored;
        EXPECT_EQ(s.stats.node_count, c.nodes) << c.hint << c.stored;
        EXPECT_EQ(s.stats.qs_node_count, c.qs_nodes) << c.hint << c.stored;
        EXPECT_EQ(s.best, c.best) << c.hint << c.stored;
    }
}

// ---------------------------------------------------------------- scores

TEST(AlphaBeta, MateStalemateAndRepetitionScores) {
    const struct {
        const char* fen;
        int at_ply, contempt, root_side_black, depth;
        bool root_repeated;
        int value;
    } cases[] = {
        {"k7/1Q6/1K6/8/8/8/8/8 b", 3, 0, 0, 2 * PLY, false, 3 - MATE},  // mated at ply 3
        {"k7/2Q5/1K6/8/8/8/8/8 b", 2, 75, 0, 2 * PLY, false, 0},        // stalemate
        // The root position again 4 plies later: the contempt, for the root side.
        {"4k3/8/8/8/8/8/8/3QK3 w", 4, 40, 0, 2 * PLY, true, 40},
        {"4k3/8/8/8/8/8/8/3QK3 w", 4, 40, 1, 2 * PLY, true, -40},
        // 6 plies back the other side was to move: no repetition.
        {"4k3/8/8/8/8/8/8/3QK3 w", 6, 40, 0, PLY, true, 99999},
    };
    for (const auto& c : cases) {
        Position p = node(c.fen, c.at_ply);
        draw_value = c.contempt;
        root_side = c.root_side_black;
        if (c.root_repeated) path_keys[PATH_ROOT] = path_key_of(hash_key);
        const int v = alpha_beta_at(p, -MATE, MATE, c.depth).value;
        if (c.value == 99999)
            EXPECT_GT(v, 200) << c.fen;
        else
            EXPECT_EQ(v, c.value) << c.fen;
    }
}

// ---------------------------------------------------------------- the root

TEST(RootSearch, NoSeventhMoveOnceTheBudgetIsSpent) {
    // At one ply every root move costs one node below the root. Once the budget is spent the
    // first six are still searched, no more.
    for (const bool spent : {false, true}) {
        Position p = node("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq", 0);
        reset_root_moves();
        if (spent) time_budget = -1;
        Move best = 0;
        int easy = 0;
        root_search(p, -MATE, MATE, PLY, best, easy);
        EXPECT_EQ(stats.node_count, spent ? 7 : 21);
        reset_root_moves();
    }
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
        {500, 900, 400, 950, 700, MATE, 800},
        {-900, -500, 400, -950, -MATE, -700, 800},
    };
    for (const auto& s : steps) {
        int alpha = s.alpha, beta = s.beta, delta = s.delta;
        widen_window(s.value, alpha, beta, delta);
        EXPECT_EQ(alpha, s.new_alpha);
        EXPECT_EQ(beta, s.new_beta);
        EXPECT_EQ(delta, s.new_delta);
    }
}

}  // namespace
