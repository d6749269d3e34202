#include "support/eval_support.h"

#include "board/fen.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"

void prepare_for_evaluation(const Position& position) {
    piece_counts = count_pieces(position);
    pawn_hash_key = compute_pawn_hash_key(position);
}

int full_evaluation(const Position& position, AttackInfo* attacks, PawnRecord* record,
                    int* flag_word) {
    prepare_for_evaluation(position);
    AttackInfo local_attacks;
    PawnRecord local_record;
    int local_flag = 0;
    return evaluate(position, record ? *record : local_record, -32000, 32000,
                    flag_word ? *flag_word : local_flag, 0, attacks ? *attacks : local_attacks);
}

Position from_fen(const char* fen) {
    Position p{};
    read_fen(fen, p);
    return p;
}

Bitboard squares(const char* names) {
    Bitboard set = 0;
    for (const char* c = names; c[0] && c[1];) {
        if (c[0] == ' ') {
            ++c;
            continue;
        }
        set |= bit(square_named(c));
        c += 2;
    }
    return set;
}
