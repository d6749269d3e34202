// Evaluating a test position the way the search would: counters and pawn key set first.
#pragma once

#include "board/position.h"
#include "eval/attack_info.h"
#include "eval/pawn_record.h"

// Sets `piece_counts` and `pawn_hash_key` from the position.
void prepare_for_evaluation(const Position& position);

// Full-window evaluation from the side to move's point of view.
int full_evaluation(const Position& position, AttackInfo* attacks = nullptr,
                    PawnRecord* record = nullptr, int* flag_word = nullptr);

// Position from FEN text (the engine's reader).
Position from_fen(const char* fen);

// Square number from its name, "a1" .. "h8".
constexpr int square_named(const char* name) {
    return (name[1] - '1') * 8 + (name[0] - 'a');
}
// The set of the named squares, blank-separated: squares("d4 e5").
Bitboard squares(const char* names);
