// Evaluating test positions the way the search would (counters and pawn key set first), and
// the inputs of a single term filled the way the driver fills them.
#pragma once

#include "board/position.h"
#include "eval/eval_context.h"
#include "eval/pawn_record.h"
#include "movegen/attack_info.h"

// Evaluation of `position` from white's point of view; `alpha`/`beta` are from the side to
// move's point of view as evaluate takes them.
int white_view_evaluation(const Position& position, int alpha = -32000, int beta = 32000,
                          PawnRecord* record = nullptr, int* flag_word = nullptr);

struct TermInputs {
    Position position;
    EvalContext context;
    PawnRecord record;
    AttackInfo attacks;
};
// From FEN: counters, context, pawn record, attack maps and pawn attacks.
TermInputs term_inputs(const char* fen);

// The set of the named squares, blank-separated: squares("d4 e5").
Bitboard squares(const char* names);
