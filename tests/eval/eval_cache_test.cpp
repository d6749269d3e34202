// The search's evaluation cache answers a repeated position exactly as a fresh evaluation
// would, whatever the two windows: value, passer flags, the counters, and attack maps that
// leave the generators and the ordering unchanged.
#include "eval/eval_cache.h"

#include <gtest/gtest.h>

#include "board/make_move.h"
#include "board/zobrist.h"
#include "eval/eval_weights.h"
#include "eval/evaluate.h"
#include "movegen/generate_captures.h"
#include "movegen/generate_evasions.h"
#include "movegen/generate_moves.h"
#include "search/ordering.h"
#include "support/mirror.h"
#include "support/positions.h"

namespace {

struct Result {
    int value;
    int passer_flag;
    std::uint64_t evals;
    std::uint64_t lazy_evals;
    AttackInfo attacks;
};

void set_globals_for(const Position& position) {
    piece_counts = count_pieces(position);
    pawn_hash_key = compute_pawn_hash_key(position);
    hash_key = compute_hash_key(position);
}

template <typename Evaluation>
Result counted(Evaluation evaluation) {
    const std::uint64_t evals = eval_count, lazy = lazy_eval_count;
    Result r{};
    r.value = evaluation(r.passer_flag, r.attacks);
    r.evals = eval_count - evals;
    r.lazy_evals = lazy_eval_count - lazy;
    return r;
}

Result fresh(const Position& p, int alpha, int beta) {
    return counted([&](int& flag, AttackInfo& attacks) {
        PawnRecord record;
        return evaluate(p, record, alpha, beta, flag, 0, attacks);
    });
}

Result cached(const Position& p, int alpha, int beta) {
    return counted([&](int& flag, AttackInfo& attacks) {
        return evaluate_for_search(p, alpha, beta, flag, attacks);
    });
}

// What the move generators and the ordering produce from these maps.
std::vector<int> consumers_output(const Position& p, const AttackInfo& attacks) {
    MoveList moves;
    ScoreList scores;
    int count;
    const bool in_check =
        (p.flags & BLACK_TO_MOVE) ? attacks.white_checkers : attacks.black_checkers;
    if (in_check) {
        int extension = 0;
        count = generate_evasions(p, moves, attacks, extension);
    } else {
        int any_check = 0;
        count = generate_captures(p, moves, attacks, 1, any_check);
    }
    std::vector<int> out(moves.begin(), moves.begin() + count);
    if (!in_check) {
        count = generate_moves(p, moves);
        order_moves(p, moves, scores, count, attacks);
        out.insert(out.end(), scores.begin(), scores.begin() + count);
    }
    return out;
}

// A window far below, far above, just around and wide open, relative to the value v.
struct Window {
    int alpha_from_value;
    int beta_from_value;
};
constexpr Window WINDOWS[] = {{-32000, 32000}, {150, 151}, {-151, -150}, {-1, 1}, {60, 61}};

TEST(EvalCache, RepeatedPositionGetsTheFreshEvaluationForEveryPairOfWindows) {
    for (const Position& p : sample_positions(200, 77)) {
        set_globals_for(p);
        const int v = fresh(p, -32000, 32000).value;
        for (const Window& first : WINDOWS) {
            for (const Window& second : WINDOWS) {
                clear_eval_cache();
                for (const Window& w : {first, second}) {
                    const int alpha = std::max(-32000, v + w.alpha_from_value);
                    const int beta = std::min(32000, v + w.beta_from_value);
                    const Result expected = fresh(p, alpha, beta);
                    const Result got = cached(p, alpha, beta);
                    ASSERT_EQ(got.value, expected.value);
                    ASSERT_EQ(got.passer_flag, expected.passer_flag);
                    ASSERT_EQ(got.evals, expected.evals);
                    ASSERT_EQ(got.lazy_evals, expected.lazy_evals);
                    ASSERT_EQ(consumers_output(p, got.attacks),
                              consumers_output(p, expected.attacks));
                }
            }
        }
    }
}

TEST(EvalCache, CastlingRightsAndNewWeightsKeepEntriesApart) {
    // Same pieces and key; only the castling rights differ, and the evaluation reads them.
    const Position rights =
        position_from_fen("r3k2r/pppq1ppp/2n2n2/3pp3/3PP3/2N2N2/PPPQ1PPP/R3K2R w KQ -");
    const Position none =
        position_from_fen("r3k2r/pppq1ppp/2n2n2/3pp3/3PP3/2N2N2/PPPQ1PPP/R3K2R w - -");
    ASSERT_EQ(compute_hash_key(rights), compute_hash_key(none));
    set_globals_for(rights);
    ASSERT_NE(fresh(rights, -32000, 32000).value, fresh(none, -32000, 32000).value);
    clear_eval_cache();
    EXPECT_EQ(cached(rights, -32000, 32000).value, fresh(rights, -32000, 32000).value);
    EXPECT_EQ(cached(none, -32000, 32000).value, fresh(none, -32000, 32000).value);

    // Weights change only between searches, and each search clears the cache.
    const EvalWeights saved = eval_weights;
    const int before = cached(rights, -32000, 32000).value;
    eval_weights.king_shelter = eval_weights.king_shelter * 2 + 10;
    clear_eval_cache();
    const int after = cached(rights, -32000, 32000).value;
    EXPECT_NE(after, before);
    EXPECT_EQ(after, fresh(rights, -32000, 32000).value);
    eval_weights = saved;
}

}  // namespace
