#include "support/term_inputs.h"

#include "board/fen.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "eval/terms.h"

TermInputs term_inputs(const char* fen) {
    Position position{};
    read_fen(fen, position);
    return term_inputs(position);
}

TermInputs term_inputs(const Position& position) {
    TermInputs in{};
    in.position = position;
    piece_counts = count_pieces(in.position);
    pawn_hash_key = compute_pawn_hash_key(in.position);
    fill_eval_context(in.position, in.context);
    analyse_pawns(in.position, in.record);
    in.attacks = AttackInfo{};
    mobility_term(in.position, in.context, in.attacks);
    pawns_term(in.position, in.record, in.context);
    return in;
}

int white_view_evaluation(const Position& position, int alpha, int beta) {
    piece_counts = count_pieces(position);
    pawn_hash_key = compute_pawn_hash_key(position);
    PawnRecord record;
    AttackInfo attacks;
    int flag_word = 0;
    int value = evaluate(position, record, alpha, beta, flag_word, 0, attacks);
    return (position.flags & BLACK_TO_MOVE) ? -value : value;
}
