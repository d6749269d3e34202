// Placeholders for the terms not written yet: each contributes nothing.
#include "eval/terms.h"

int passers_term(const Position&, const EvalContext&, const PawnRecord&, const AttackInfo&) {
    return 0;
}

void king_safety(const Position&, const EvalContext&, const PawnRecord&, AttackInfo&, int&,
                 int& shelter, int& attack, int& king_endgame) {
    shelter = 0;
    attack = 0;
    king_endgame = 0;
}

int pieces_term(const Position&, const EvalContext&, const PawnRecord&, const AttackInfo&) {
    return 0;
}

int piece_pawn_term(const Position&, const EvalContext&, const PawnRecord&) {
    return 0;
}

int queen_ending(const Position&, const EvalContext&, const PawnRecord&) {
    return 0;
}

int rook_pawn_ending(const Position&, const EvalContext&) {
    return 0;
}

int rook_on_seventh(const Position&, const EvalContext&) {
    return 0;
}

int pawn_ending(const Position&, const EvalContext&, const PawnRecord&) {
    return 0;
}
