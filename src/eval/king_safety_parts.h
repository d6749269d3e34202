// The pieces of king safety: the shelter of one king (castling, open lines, advanced king,
// wing pawns, pawn cover) with the weakness it leaves for the opponent's attack score, the
// pawn storms, and the kings' endgame activity.
#pragma once

#include "board/position.h"
#include "eval/eval_context.h"
#include "eval/pawn_record.h"
#include "movegen/attack_info.h"

// C's shelter from C's point of view; `weakness` receives 0, 1 or 2.
template <Color C>
int king_shelter_score(const Position& position, const EvalContext& context,
                       const AttackInfo& attacks, int& weakness);

// Pawn storms with the kings on opposite wings: what each side's shelter loses.
void pawn_storms(const Position& position, const EvalContext& context, int& white_loss,
                 int& black_loss);

// The kings' endgame activity, scaled by the pieces left (the "king endgame" value).
int king_activity(const Position& position, const EvalContext& context, const PawnRecord& record,
                  const AttackInfo& attacks);
