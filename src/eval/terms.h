// The evaluation's term routines, in the order the driver calls them. Every value is from
// white's point of view (positive favours white) and unweighted; the driver scales them.
#pragma once

#include "board/position.h"
#include "eval/eval_context.h"
#include "eval/pawn_record.h"
#include "movegen/attack_info.h"

// Driver steps: the context with its ending type (cannot-win flags cleared), and the
// material term, which may set the cannot-win flags.
void fill_eval_context(const Position& position, EvalContext& context);
int material_balance(EvalContext& context, int material_sum);

// Pawn structure: the analysis run on a pawn-table miss, and the pawns term that runs on
// every call.
void analyse_pawns(const Position& position, PawnRecord& record);
int pawns_term(const Position& position, const PawnRecord& record, const EvalContext& context);

// Mobility: fills the cleared attack record and returns white's minus black's mobility.
int mobility_term(const Position& position, const EvalContext& context, AttackInfo& attacks);

// Undefended attacked pawns, before the passivity scale.
int passivity_term(const Position& position, const AttackInfo& attacks);

// Passed pawns.
int passers_term(const Position& position, const EvalContext& context, const PawnRecord& record,
                 const AttackInfo& attacks);

// King safety: shelter and attack with queens or many pieces (ending types 0 and 1), king
// activity otherwise. Adds the shelter weaknesses to the attack weights in `attacks` and ORs
// STRONG_ATTACK into `flag_word`. Outputs not computed are set to 0.
void king_safety(const Position& position, const EvalContext& context, const PawnRecord& record,
                 AttackInfo& attacks, int& flag_word, int& shelter, int& attack, int& king_endgame);

// Piece placement, and pieces against the pawn structure.
int pieces_term(const Position& position, const EvalContext& context, const PawnRecord& record,
                const AttackInfo& attacks);
int piece_pawn_term(const Position& position, const EvalContext& context, const PawnRecord& record);

// Special endings.
int queen_ending(const Position& position, const EvalContext& context, const PawnRecord& record);
int rook_pawn_ending(const Position& position, const EvalContext& context);
int rook_on_seventh(const Position& position, const EvalContext& context);
int pawn_ending(const Position& position, const EvalContext& context, const PawnRecord& record);
