// The static evaluation: centipawns from the side to move's point of view.
#pragma once

#include <cstdint>

#include "board/position.h"
#include "eval/pawn_record.h"
#include "movegen/attack_info.h"

// Bits of the flag word evaluate leaves for the search.
constexpr int PASSER_ON_SEVENTH = 1;  // side to move has a passed pawn on its seventh, free
constexpr int STRONG_ATTACK = 2;      // side to move's king attack score exceeds 75

// Needs `pawn_hash_key` and `piece_counts` current for the position. Lazy exits return
// early when the score is more than 100 outside (alpha, beta); pass -32000, 32000 for an
// exact score. `pawn_record_out` receives the position's pawn record, `attack_info` the
// attack maps. `report` nonzero prints every term (full window only).
int evaluate(const Position& position, PawnRecord& pawn_record_out, int alpha, int beta,
             int& passer_flag_out, int report, AttackInfo& attack_info);

// A lazy exit returns a value this far outside the window (alpha, beta).
constexpr int LAZY_MARGIN = 100;
constexpr bool outside_lazy_window(int value, int alpha, int beta) {
    return value < alpha - LAZY_MARGIN || value > beta + LAZY_MARGIN;
}

// The values an evaluation reached, each from the side to move's point of view: at the two
// lazy exits (only on the path that has them) and at the end. They give the evaluation's
// result for any window, as far as `reached` goes.
struct EvalStages {
    std::int32_t values[3];
    std::int32_t reached;  // 0..3: how many of `values` are known
    bool lazy_exits;       // false: values[2] is the result whatever the window
};
// evaluate (no report, pawn record dropped) that also records its stages.
int evaluate_recording(const Position& position, int alpha, int beta, int& passer_flag_out,
                       AttackInfo& attack_info, EvalStages& stages);

// Calls made and lazy exits taken; only ever grow.
extern std::uint64_t eval_count;
extern std::uint64_t lazy_eval_count;
