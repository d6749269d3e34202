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

// Calls made and lazy exits taken; only ever grow.
extern std::uint64_t eval_count;
extern std::uint64_t lazy_eval_count;
