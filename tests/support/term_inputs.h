// The inputs of a single evaluation term, filled the way the driver fills them, so a term
// can be checked on its own.
#pragma once

#include "board/position.h"
#include "eval/attack_info.h"
#include "eval/eval_context.h"
#include "eval/pawn_record.h"

struct TermInputs {
    Position position;
    EvalContext context;
    PawnRecord record;
    AttackInfo attacks;
};

// From FEN: counters, context, pawn record, attack maps and pawn attacks.
TermInputs term_inputs(const char* fen);
TermInputs term_inputs(const Position& position);

// Full-window evaluation of `position` from white's point of view, counters and pawn key set
// first; `alpha`/`beta` are from the side to move's point of view as evaluate takes them.
int white_view_evaluation(const Position& position, int alpha = -32000, int beta = 32000);
