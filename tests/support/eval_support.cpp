#include "support/eval_support.h"

#include "board/make_move.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "eval/terms.h"
#include "support/positions.h"

int white_view_evaluation(const Position& position, int alpha, int beta, PawnRecord* record,
                          int* flag_word) {
    piece_counts = count_pieces(position);
    pawn_hash_key = compute_pawn_hash_key(position);
    PawnRecord local_record;
    AttackInfo attacks;
    int local_flag = 0;
    const int value = evaluate(position, record ? *record : local_record, alpha, beta,
                               flag_word ? *flag_word : local_flag, 0, attacks);
    return (position.flags & BLACK_TO_MOVE) ? -value : value;
}

TermInputs term_inputs(const char* fen) {
    TermInputs in{};
    in.position = position_from_fen(fen);
    fill_eval_context(in.position, in.context);
    analyse_pawns(in.position, in.record);
    mobility_term(in.position, in.context, in.attacks);
    pawns_term(in.position, in.record, in.context);
    return in;
}

Bitboard squares(const char* names) {
    Bitboard set = 0;
    for (const char* c = names; c[0] && c[1]; ++c)
        if (c[0] != ' ') set |= bit((c[1] - '1') * 8 + (c[0] - 'a')), ++c;
    return set;
}
